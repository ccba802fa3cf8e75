// HTTP Digest authentication (RFC 7616, MD5, qop="auth"), as the FritzBox
// asks for it: the challenge read, the answer computed. The MD5 itself is
// the platform's (a parameter), never written here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct DigestChallenge {
    std::string realm;
    std::string nonce;
    std::string opaque;     // empty: none sent
    bool qopAuth = false;   // qop offers "auth"
};

// The Digest challenge of a WWW-Authenticate header's value, or nothing when
// it is no Digest challenge with MD5 (or no algorithm named).
std::optional<DigestChallenge> ReadDigestChallenge(std::string_view header);

// Hex MD5 of the bytes, lower case.
using Md5Hex = std::function<std::string(std::string_view)>;

struct DigestCredentials {
    std::string user;
    std::string password;
};

// The Authorization header's value for a request of method on uri (path and
// query), with this client nonce and nonce count 1.
std::string DigestAuthorization(const DigestChallenge& challenge, const DigestCredentials& credentials,
                                std::string_view method, std::string_view uri, std::string_view clientNonce,
                                const Md5Hex& md5);
