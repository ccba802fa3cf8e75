#include <gtest/gtest.h>

#include "TextEncoding.h"

namespace {

TEST(Windows1252ToUtf8, ConvertsEveryRange)
{
    const struct {
        const char* windows1252;
        const char* utf8;
    } cases[] = {
        {"Kann Eingabedatei nicht \xF6" "ffnen", "Kann Eingabedatei nicht öffnen"},
        {"42 Eintr\xE4ge konvertiert", "42 Einträge konvertiert"},
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "ÄÖÜäöüß"},
        {"\x80", "€"},
        {"\x84\x93\x94", "„“”"},
        {"\x9F\xFF", "Ÿÿ"},
        {"\x81\x9D", "\xC2\x81\xC2\x9D"},
        {"\xA0", "\xC2\xA0"},
        {"plain ASCII;0123\n", "plain ASCII;0123\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Windows1252ToUtf8(c.windows1252), c.utf8) << c.windows1252;
}

}  // namespace
