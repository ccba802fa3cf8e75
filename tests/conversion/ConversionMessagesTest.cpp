// The messages are spelt once, in ConversionMessages.h: the documents and
// scripts that quote them quote them alike.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "FileContents.h"
#include "ShownMessages.h"

namespace {

const char* const kFixedMessages[] = {
    ConversionMessages::kNoInput,          ConversionMessages::kNoOutput,
    ConversionMessages::kInputOpenFailed,  ConversionMessages::kOutputOpenFailed,
    ConversionMessages::kInputReadFailed,  ConversionMessages::kOutputWriteFailed,
};

// The download's messages: the address stands between the two parts.
const ConversionMessages::RouterMessage kRouterMessages[] = {
    ConversionMessages::kRouterUnreachable,         ConversionMessages::kRouterLoginRefused,
    ConversionMessages::kRouterNoRight,             ConversionMessages::kRouterNoSuchPhonebook,
    ConversionMessages::kRouterCertificateMismatch, ConversionMessages::kRouterCertificateUntrusted,
    ConversionMessages::kRouterUnexpectedAnswer,    ConversionMessages::kRouterPhonebookUnreadable,
};
const char* const kRouterFixedMessages[] = {ConversionMessages::kCertificateUnreadable,
                                            ConversionMessages::kNoPassword};

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
        {"\\(Bq", "\xE2\x80\x9E"}, {"\\(lq", "\xE2\x80\x9C"}, {"\\ ", " "}, {"\\-", "-"},
    };
    for (const auto& [escape, character] : escapes) {
        for (auto at = text.find(escape); at != std::string::npos; at = text.find(escape, at))
            text.replace(at, std::string(escape).size(), character);
    }
    std::string plain;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\r';
        if (!blank || plain.empty() || plain.back() != ' ')
            plain += blank ? ' ' : c;
    }
    return plain;
}

// Where each occurrence of word starts in text.
std::vector<std::size_t> Occurrences(const std::string& text, const std::string& word)
{
    std::vector<std::size_t> found;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        found.push_back(at);
    return found;
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
        {"tests/router/router_test.py", false},
    };
    for (const auto& d : documents) {
        const std::string text = Plain(ReadFile(std::string(ZEDULO_SOURCE_DIR "/") + d.document));
        ASSERT_FALSE(text.empty()) << d.document;
        if (d.quotesEvery) {
            for (const char* message : kFixedMessages)
                EXPECT_NE(text.find(Shown(message)), std::string::npos) << d.document << " lacks " << Shown(message);
            EXPECT_NE(text.find(ConvertedWords()), std::string::npos) << d.document << " lacks" << ConvertedWords();
        }
        // Every message quoted is one the programs give, word for word.
        for (const char* start : {"Kann Eingabedatei", "Kann Ausgabedatei", "Keine Eingabedatei", "Keine Ausgabedatei"}) {
            for (const std::size_t at : Occurrences(text, start)) {
                bool known = false;
                for (const char* message : kFixedMessages)
                    known = known || text.compare(at, Shown(message).size(), Shown(message)) == 0;
                EXPECT_TRUE(known) << d.document << " quotes: " << text.substr(at, 40);
            }
        }
        // The download's messages, with the address the documents' ADRESSE
        // or the test's ADDRESS.
        const bool commandLine = d.document != std::string("man/zedulo.1.in");
        for (const auto& message : kRouterMessages) {
            const std::string before = Shown(message.before);
            const std::string after = Shown(message.after);
            const std::vector<std::size_t> found = Occurrences(text, before);
            if (d.quotesEvery && commandLine) {
                EXPECT_FALSE(found.empty()) << d.document << " lacks " << before;
            }
            for (const std::size_t at : found) {
                const std::size_t end = text.find_first_of(" \"\xE2'", at + before.size());
                EXPECT_TRUE(end != std::string::npos && text.compare(end, after.size(), after) == 0)
                    << d.document << " quotes: " << text.substr(at, 80);
            }
        }
        for (const char* message : kRouterFixedMessages) {
            if (d.quotesEvery && commandLine) {
                EXPECT_NE(text.find(Shown(message)), std::string::npos) << d.document << " lacks " << Shown(message);
            }
        }
        // And every count of converted entries has the same words after it.
        const std::string lastWord = " konvertiert";
        for (const std::size_t at : Occurrences(text, lastWord)) {
            const std::size_t word = text.rfind(' ', at - 1);
            if (word != std::string::npos && word > 0 && std::isdigit(static_cast<unsigned char>(text[word - 1]))) {
                EXPECT_EQ(text.substr(word, at + lastWord.size() - word), ConvertedWords()) << d.document;
            }
        }
    }
}

}  // namespace
