// The user's own country, for the rewriting of international numbers, as
// the platform names it: on Linux the telephone locale (LC_TELEPHONE, as
// LC_ALL, LC_TELEPHONE and LANG decide), on Windows the user's home region,
// else the calling code of the user's locale.
//
// One small implementation per platform (HomeCountryPosix.cpp,
// HomeCountryWin32.cpp); choosing the entry is shared.
#pragma once

#include <string>

#include "CallingCodes.h"

// The calling code the platform names for the user ("49"), or empty where
// it names none (Linux's C and POSIX locales, a locale not installed).
std::string PlatformCountryCode();

// The user's own country: the platform's if the table has it, else Germany.
inline const CallingCode& HomeCountry()
{
    return CountryOrDefault(PlatformCountryCode());
}
