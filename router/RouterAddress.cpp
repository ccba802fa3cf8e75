#include "RouterAddress.h"

#include <cctype>

namespace {

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

std::optional<int> PortNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

bool IsHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

}  // namespace

std::optional<RouterAddress> ParseRouterAddress(std::string_view text)
{
    RouterAddress address;
    if (StartsWith(text, "https://")) {
        address.https = true;
        text.remove_prefix(8);
    } else if (StartsWith(text, "http://")) {
        text.remove_prefix(7);
    }
    // "http://box/" is still the box; anything after the slash is not.
    if (!text.empty() && text.back() == '/')
        text.remove_suffix(1);

    std::string_view port;
    if (StartsWith(text, "[")) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty() && (rest[0] != ':' || (port = rest.substr(1)).empty()))
            return std::nullopt;
        for (const char c : address.host) {
            if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.')
                return std::nullopt;
        }
    } else {
        const std::size_t colon = text.find(':');
        address.host = std::string(text.substr(0, colon));
        if (colon != std::string_view::npos && (port = text.substr(colon + 1)).empty())
            return std::nullopt;
        for (const char c : address.host) {
            if (!IsHostCharacter(c))
                return std::nullopt;
        }
    }
    if (address.host.empty())
        return std::nullopt;
    if (!port.empty()) {
        const std::optional<int> number = PortNumber(port);
        if (!number)
            return std::nullopt;
        address.port = *number;
    }
    return address;
}

std::string BaseUrl(const RouterAddress& address, int port)
{
    const bool ipv6 = address.host.find(':') != std::string::npos;
    return std::string(address.https ? "https://" : "http://") + (ipv6 ? "[" + address.host + "]" : address.host) +
           ":" + std::to_string(port);
}

std::string PathAndQuery(std::string_view url)
{
    if (!StartsWith(url, "http://") && !StartsWith(url, "https://"))
        return {};
    const std::size_t authority = url.find("//") + 2;
    const std::size_t path = url.find('/', authority);
    if (path == std::string_view::npos)
        return {};
    // A fragment is never sent; a blank or control character never goes into a request line.
    const std::string_view pathAndQuery = url.substr(path, url.find('#', path) - path);
    for (const char c : pathAndQuery) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F')
            return {};
    }
    return std::string(pathAndQuery);
}
