#include "HomeCountry.h"

#include <windows.h>

namespace {

std::string Narrow(const wchar_t* digits)
{
    std::string text;
    for (; *digits; ++digits)
        text += *digits < 0x80 ? static_cast<char>(*digits) : '?';
    return text;
}

}  // namespace

std::string PlatformCountryCode()
{
    // The home region the user chose in the settings; where none is set,
    // the calling code of the user's locale.
    wchar_t code[16] = {};
    const GEOID region = GetUserGeoID(GEOCLASS_NATION);
    if (region != GEOID_NOT_AVAILABLE && GetGeoInfoW(region, GEO_DIALINGCODE, code, 16, 0) > 0)
        return Narrow(code);
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDIALINGCODE, code, 16) > 0)
        return Narrow(code);
    return "";
}
