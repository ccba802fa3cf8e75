// The user's country on Windows: the home region, which under Wine follows
// the LANG a program starts with. CTest runs this test again with other
// LANGs (CMakeLists.txt), ZEDULO_HOME_COUNTRY saying what each must give;
// without it, the test presets' de_DE.UTF-8 gives Germany.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "HomeCountry.h"

namespace {

TEST(HomeCountry, TheHomeRegionsCountry)
{
    const char* expected = std::getenv("ZEDULO_HOME_COUNTRY");
    const std::string code = expected ? expected : "49";
    EXPECT_EQ(PlatformCountryCode(), code);
    EXPECT_EQ(std::to_string(HomeCountry().code), code);
}

}  // namespace
