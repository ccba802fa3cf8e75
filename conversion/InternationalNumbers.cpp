#include "InternationalNumbers.h"

namespace {

bool IsSeparator(char c)
{
    // Blank and no-break space (0xA0 in Windows-1252), and what people
    // group digits with.
    return c == ' ' || c == '\xA0' || c == '-' || c == '/' || c == '.';
}

std::size_t SkipSeparators(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsSeparator(text[at]))
        ++at;
    return at;
}

}  // namespace

bool DialledFrom(const CallingCode& ownCountry, std::string_view number, std::string& dialled)
{
    dialled.clear();
    const std::string_view afterPlus = number.substr(1);
    std::size_t codeLength = 0;
    const CallingCode* code = CallingCodeAtStart(afterPlus, codeLength);
    if (!code) {
        dialled.append(ownCountry.internationalPrefix).append(afterPlus);
        return true;
    }

    std::size_t at = SkipSeparators(afterPlus, codeLength);
    if (afterPlus.substr(at).starts_with("(0)"))
        at = SkipSeparators(afterPlus, at + 3);
    const std::string_view rest = afterPlus.substr(at);
    if (rest.empty() || rest[0] < '0' || rest[0] > '9')
        return false;

    if (code->code == ownCountry.code) {
        if (!(ownCountry.nationalPrefix == "0" && rest[0] == '0'))
            dialled.append(ownCountry.nationalPrefix);
    } else {
        dialled.append(ownCountry.internationalPrefix).append(afterPlus.substr(0, codeLength));
        if (at > codeLength)
            dialled += ' ';
    }
    dialled.append(rest);
    return true;
}
