#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "ConversionMessages.h"
#include "FileContents.h"
#include "RecordingHost.h"
#include "RunConversion.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

using Calls = std::vector<std::string>;

// Both fields are read before either is judged; the outcome is shown, and
// only a success closes the dialog. The failures of the files themselves are
// in the bad-input matrix.
TEST(RunConversion, ReportsEachOutcomeWithItsExactText)
{
    TempDir dir;
    WriteFile(dir.File("none.adr"), "Name;Nummer\r\n");
    WriteFile(dir.File("one.adr"), "Anna;0301\r\n");
    WriteFile(dir.File("two.adr"), "Anna;0301\r\nBob;0402\r\n");
    const struct {
        std::string input;
        std::string output;
        std::string message;
        bool closes;
    } cases[] = {
        {"", "", ConversionMessages::kNoInput, false},
        {"", "phonebook.txt", ConversionMessages::kNoInput, false},
        {"fritz.adr", "", ConversionMessages::kNoOutput, false},
        {dir.File("none.adr"), "out.txt", ConversionMessages::Converted(0), true},
        {dir.File("one.adr"), "out.txt", ConversionMessages::Converted(1), true},
        {dir.File("two.adr"), "out.txt", ConversionMessages::Converted(2), true},
        {"   ", "   ", ConversionMessages::kInputOpenFailed, false},
    };
    for (const auto& c : cases) {
        RecordingHost host(c.input, c.output);
        RunConversion(host);
        Calls expected{"input", "output", "show " + c.message};
        if (c.closes)
            expected.push_back("close");
        EXPECT_EQ(host.calls, expected) << "'" << c.input << "' -> '" << c.output << "'";
    }
}

TEST(RunConversion, PutsABareOutputNameBesideTheInput)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    // As the platform spells it, and with "/", which Windows takes too.
    for (const std::string& input : {dir.File("fritz.adr"), (dir.Path() / "fritz.adr").generic_string()}) {
        RecordingHost host(input, "phonebook.txt");
        RunConversion(host);
        EXPECT_EQ(ReadFile(dir.File("phonebook.txt")), "0301;Anna\n") << input;
        EXPECT_EQ(host.output, "phonebook.txt");
        fs::remove(dir.File("phonebook.txt"));
    }
}

TEST(RunConversion, ResolvesAfreshAfterAFailure)
{
    TempDir dir;
    fs::create_directory(dir.File("daten"));
    WriteFile(dir.File("daten/fritz.adr"), "Anna;0301\r\n");
    RecordingHost host(dir.File("fritz.adr"), "phonebook.txt");
    RunConversion(host);
    EXPECT_EQ(host.calls.back(), std::string("show ") + ConversionMessages::kInputOpenFailed);

    host.input = dir.File("daten/fritz.adr");
    host.calls.clear();
    RunConversion(host);
    EXPECT_EQ(host.calls.back(), "close");
    EXPECT_TRUE(fs::exists(dir.File("daten/phonebook.txt")));
    EXPECT_FALSE(fs::exists(dir.File("phonebook.txt")));
}

}  // namespace
