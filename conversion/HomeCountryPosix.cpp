#include "HomeCountry.h"

#include <clocale>
#include <langinfo.h>

std::string PlatformCountryCode()
{
    // Only the telephone category is taken from the environment, and put
    // back as it was afterwards: the rest of the process keeps its locale.
    const char* current = std::setlocale(LC_TELEPHONE, nullptr);
    const std::string previous = current ? current : "C";
    std::string code;
    if (std::setlocale(LC_TELEPHONE, "")) {
        const char* prefix = nl_langinfo(_NL_TELEPHONE_INT_PREFIX);
        code = prefix ? prefix : "";
    }
    std::setlocale(LC_TELEPHONE, previous.c_str());
    return code;
}
