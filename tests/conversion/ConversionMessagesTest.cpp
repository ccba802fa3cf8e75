// The messages are spelt once, in ConversionMessages.h: the documents and
// scripts that quote them quote them alike.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "FileContents.h"
#include "ShownMessages.h"

namespace {

const char* const kFixedMessages[] = {
    ConversionMessages::kNoInput,          ConversionMessages::kNoOutput,
    ConversionMessages::kInputOpenFailed,  ConversionMessages::kOutputOpenFailed,
    ConversionMessages::kInputReadFailed,  ConversionMessages::kOutputWriteFailed,
};

// What follows the count: the same words for every count, 0 and 1 too.
std::string ConvertedWords()
{
    return Shown(ConversionMessages::Converted(0)).substr(1);
}

TEST(ConversionMessages, ConvertedHasOneFormForEveryCount)
{
    for (const std::int64_t count : {std::int64_t{1}, std::int64_t{2}, std::int64_t{12345678901}})
        EXPECT_EQ(Shown(ConversionMessages::Converted(count)), std::to_string(count) + ConvertedWords());
}

// A document's text with the manual pages' escapes for the quotes, umlauts
// and fixed blanks spelt out, and every run of blanks one blank.
std::string Plain(std::string text)
{
    const std::pair<const char*, const char*> escapes[] = {
        {"\\(:a", "\xC3\xA4"}, {"\\(:o", "\xC3\xB6"}, {"\\(:u", "\xC3\xBC"},
        {"\\(Bq", "\xE2\x80\x9E"}, {"\\(lq", "\xE2\x80\x9C"}, {"\\ ", " "},
    };
    for (const auto& [escape, character] : escapes) {
        for (auto at = text.find(escape); at != std::string::npos; at = text.find(escape, at))
            text.replace(at, std::string(escape).size(), character);
    }
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

TEST(ConversionMessages, DocumentsQuoteThemAsTheProgramsSayThem)
{
    const struct {
        const char* document;
        bool quotesEvery;  // or only some
    } documents[] = {
        {"help/Zedulo.html", true},
        {"man/zedulo.1.in", true},
        {"man/zedulo-convert.1.in", true},
        {"README.md", false},
        // Shell scripts cannot include the header: held to it here.
        {"tests/cli/shell_redirect_test.sh", false},
        {"tests/packaging/install_package_test.sh", false},
    };
    const std::regex quoted("(Kann|Keine) (Ein|Aus)gabedatei");
    const std::regex counted("[0-9]+ Eintr[^ ]* konvertiert");
    for (const auto& d : documents) {
        const std::string text = Plain(ReadFile(std::string(ZEDULO_SOURCE_DIR "/") + d.document));
        ASSERT_FALSE(text.empty()) << d.document;
        if (d.quotesEvery) {
            for (const char* message : kFixedMessages)
                EXPECT_NE(text.find(Shown(message)), std::string::npos) << d.document << " lacks " << Shown(message);
            EXPECT_NE(text.find(ConvertedWords()), std::string::npos) << d.document << " lacks" << ConvertedWords();
        }
        // Every message quoted is one the programs give, word for word.
        for (std::sregex_iterator it(text.begin(), text.end(), quoted), end; it != end; ++it) {
            const std::string rest = text.substr(static_cast<std::size_t>(it->position()));
            bool known = false;
            for (const char* message : kFixedMessages)
                known = known || rest.rfind(Shown(message), 0) == 0;
            EXPECT_TRUE(known) << d.document << " quotes: " << rest.substr(0, 40);
        }
        for (std::sregex_iterator it(text.begin(), text.end(), counted), end; it != end; ++it)
            EXPECT_EQ(it->str().substr(it->str().find(' ')), ConvertedWords()) << d.document;
    }
}

}  // namespace
