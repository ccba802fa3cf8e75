// The FritzBox's address as the user gives it: "fritz.box", "host:port",
// "http://host[:port]", "https://host[:port]".
#pragma once

#include <optional>
#include <string>
#include <string_view>

// TR-064's plain port, which every FritzBox answers on its home network.
constexpr int kTr64Port = 49000;
// Its TLS port when the box does not tell another.
constexpr int kTr64DefaultSecurePort = 49443;

struct RouterAddress {
    bool https = false;
    std::string host;  // a name, an IPv4 address or an IPv6 address without brackets
    int port = 0;      // 0: not given
};

// The address, or nothing when it is none (empty, another scheme, a path, a
// port that is no number from 1 to 65535).
std::optional<RouterAddress> ParseRouterAddress(std::string_view text);

// "http://host:port" or "https://host:port", an IPv6 address in brackets.
std::string BaseUrl(const RouterAddress& address, int port);

// The path and query of an absolute URL ("/phonebook?sid=..."), or empty
// when it is not an absolute http(s) URL.
std::string PathAndQuery(std::string_view url);
