// The user's country on Linux: the telephone locale of the environment.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "HomeCountry.h"
#include "TelephoneLocale.h"

namespace {

TEST(HomeCountry, TheTelephoneLocalesCountry)
{
    const struct {
        const char* locale;
        std::string named;  // what the platform names
        int country;
    } cases[] = {
        {"de_AT.UTF-8", "43", 43},
        {"de_CH.UTF-8", "41", 41},
        {"de_DE.UTF-8", "49", 49},
        {"C", "", 49},
        {"POSIX", "", 49},
        {"xx_XX.UTF-8", "", 49},  // not installed
    };
    const std::string before = std::setlocale(LC_TELEPHONE, nullptr);
    for (const auto& c : cases) {
        const TelephoneLocale locale(c.locale);
        EXPECT_EQ(PlatformCountryCode(), c.named) << c.locale;
        EXPECT_EQ(HomeCountry().code, c.country) << c.locale;
        EXPECT_EQ(std::setlocale(LC_TELEPHONE, nullptr), before) << "the process's locale stays";
    }
}

}  // namespace
