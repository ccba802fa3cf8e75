#include "DigestAnswer.h"

#include <cctype>

namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

void SkipBlanks(std::string_view& text)
{
    while (!text.empty() && (text[0] == ' ' || text[0] == '\t' || text[0] == ','))
        text.remove_prefix(1);
}

// One name=value or name="value" pair off the front of text.
bool NextParameter(std::string_view& text, std::string& name, std::string& value)
{
    SkipBlanks(text);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return false;
    name = std::string(text.substr(0, equals));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    text.remove_prefix(equals + 1);
    value.clear();
    if (!text.empty() && text[0] == '"') {
        std::size_t at = 1;
        for (; at < text.size() && text[at] != '"'; ++at) {
            if (text[at] == '\\' && at + 1 < text.size())
                ++at;
            value += text[at];
        }
        if (at == text.size())
            return false;
        text.remove_prefix(at + 1);
    } else {
        const std::size_t end = text.find(',');
        value = std::string(text.substr(0, end));
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
            value.pop_back();
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::optional<DigestChallenge> ReadDigestChallenge(std::string_view header)
{
    SkipBlanks(header);
    if (header.size() < 7 || !SameLetters(header.substr(0, 6), "Digest") || header[6] != ' ')
        return std::nullopt;
    header.remove_prefix(7);
    DigestChallenge challenge;
    bool md5 = true;
    std::string name;
    std::string value;
    while (NextParameter(header, name, value)) {
        if (SameLetters(name, "realm"))
            challenge.realm = value;
        else if (SameLetters(name, "nonce"))
            challenge.nonce = value;
        else if (SameLetters(name, "opaque"))
            challenge.opaque = value;
        else if (SameLetters(name, "algorithm"))
            md5 = SameLetters(value, "MD5");
        else if (SameLetters(name, "qop")) {
            std::string_view offers = value;
            while (!offers.empty()) {
                const std::size_t comma = offers.find(',');
                std::string_view offer = offers.substr(0, comma);
                while (!offer.empty() && offer[0] == ' ')
                    offer.remove_prefix(1);
                while (!offer.empty() && offer.back() == ' ')
                    offer.remove_suffix(1);
                challenge.qopAuth = challenge.qopAuth || SameLetters(offer, "auth");
                offers.remove_prefix(comma == std::string_view::npos ? offers.size() : comma + 1);
            }
        }
    }
    if (!md5 || challenge.nonce.empty())
        return std::nullopt;
    return challenge;
}

std::string DigestAuthorization(const DigestChallenge& challenge, const DigestCredentials& credentials,
                                std::string_view method, std::string_view uri, std::string_view clientNonce,
                                const Md5Hex& md5)
{
    const std::string nonceCount = "00000001";
    const std::string ha1 = md5(credentials.user + ":" + challenge.realm + ":" + credentials.password);
    const std::string ha2 = md5(std::string(method) + ":" + std::string(uri));
    const std::string response =
        challenge.qopAuth
            ? md5(ha1 + ":" + challenge.nonce + ":" + nonceCount + ":" + std::string(clientNonce) + ":auth:" + ha2)
            : md5(ha1 + ":" + challenge.nonce + ":" + ha2);
    std::string header = "Digest username=" + Quoted(credentials.user) + ", realm=" + Quoted(challenge.realm) +
                         ", nonce=" + Quoted(challenge.nonce) + ", uri=" + Quoted(uri) + ", algorithm=MD5";
    if (challenge.qopAuth)
        header += ", qop=auth, nc=" + nonceCount + ", cnonce=" + Quoted(clientNonce);
    header += ", response=" + Quoted(response);
    if (!challenge.opaque.empty())
        header += ", opaque=" + Quoted(challenge.opaque);
    return header;
}
