#include "HomeCountry.h"

#include <langinfo.h>
#include <locale.h>

std::string PlatformCountryCode()
{
    // The telephone category alone, as setlocale(LC_TELEPHONE, "") would
    // take it from the environment, but in a locale object of its own: the
    // process's locale stays untouched, and other threads may convert at the
    // same time.
    const locale_t telephone = newlocale(LC_TELEPHONE_MASK, "", static_cast<locale_t>(0));
    if (telephone == static_cast<locale_t>(0))
        return "";  // a locale that is not installed
    const char* prefix = nl_langinfo_l(_NL_TELEPHONE_INT_PREFIX, telephone);
    std::string code = prefix ? prefix : "";
    freelocale(telephone);
    return code;
}
