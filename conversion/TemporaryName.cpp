#include "TemporaryName.h"

#include <algorithm>
#include <random>
#include <string_view>

#include "TextEncoding.h"

std::string TemporaryName(const std::string& outputName, std::size_t longestName)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    // Room for the two dots and the random part.
    const std::size_t room = longestName - 2 - kTemporaryRandomLetters;
    std::string_view kept(outputName);
    kept = kept.substr(0, std::min(kept.size(), room));
    kept = kept.substr(0, Utf8WholeCharactersLength(kept));
    std::string name(1, '.');
    name.append(kept);
    name += '.';
    for (std::size_t i = 0; i < kTemporaryRandomLetters; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}
