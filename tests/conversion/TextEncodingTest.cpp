#include <gtest/gtest.h>

#include "TextEncoding.h"

namespace {

TEST(Windows1252ToUtf8, ConvertsEveryRange)
{
    const struct {
        const char* windows1252;
        const char* utf8;
    } cases[] = {
        {"nicht \xF6" "ffnen", "nicht öffnen"},
        {"42 im M\xE4rz", "42 im März"},
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

// A cut after that many bytes splits no character.
TEST(Utf8WholeCharactersLength, LeavesOutACharacterCutAtTheEnd)
{
    const struct {
        std::string text;
        std::size_t whole;
    } cases[] = {
        {"", 0},
        {"abc", 3},
        {"a\xC3\xA4", 3},            // "aä": whole
        {"a\xC3", 1},                // the first of ä's two bytes
        {"a\xE2\x82\xAC", 4},        // "a€": whole
        {"a\xE2\x82", 1},            // two of €'s three bytes
        {"\xF0\x9F\x93\x9E", 4},     // four bytes, whole
        {"\xF0\x9F\x93", 0},         // three of four
        {"\x80\x80\x80\x80", 4},     // no lead byte within reach: nothing to wait for
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8WholeCharactersLength(c.text), c.whole) << c.text.size() << " bytes";
}

}  // namespace

namespace {

TEST(Utf16ToUtf8, JoinsSurrogatePairsAndReplacesLoneOnes)
{
    const struct {
        std::u16string utf16;
        const char* utf8;
    } cases[] = {
        {u"Info über Zedulo", "Info über Zedulo"},
        {u"\u20AC\u00A9", "€©"},
        {u"\U0001F4DE", "\xF0\x9F\x93\x9E"},               // a pair: one character
        {std::u16string(1, u'\xD83D') + u"x", "\xEF\xBF\xBDx"},  // a high surrogate alone
        {std::u16string(1, u'\xDCDE'), "\xEF\xBF\xBD"},    // a low surrogate alone
        {u"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
}

TEST(Utf8ToUtf16, ReadsEveryLengthAndReplacesWhatIsNoUtf8)
{
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"\xC5\x81ukasz.adr", u"\u0141ukasz.adr"},
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA.txt", u"\u0141\u00F3d\u017A.txt"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x93\x9E", u"\U0001F4DE"},
        {"a\x80z", u"a\uFFFDz"},                 // a stray continuation byte
        {"\xC3", u"\uFFFD"},                     // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
}

}  // namespace
