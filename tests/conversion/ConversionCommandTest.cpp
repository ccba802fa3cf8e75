#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "ConversionMessages.h"
#include "PhonebookConverter.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// Records what the command asks of its dialog, in order.
class RecordingHost : public ConversionHost {
public:
    RecordingHost(std::string input, std::string output) : input(std::move(input)), output(std::move(output)) {}

    std::string ReadInputField() override { calls.push_back("input"); return input; }
    std::string ReadOutputField() override { calls.push_back("output"); return output; }
    void ShowMessage(const std::string& text) override { calls.push_back("show " + text); }
    void CloseWithOk() override { calls.push_back("close"); }

    std::string input;
    std::string output;
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST(RunConversion, ChecksTheFieldsInOrder)
{
    struct Case {
        const char* input;
        const char* output;
        const char* message;
    };
    const Case cases[] = {
        {"", "", ConversionMessages::kNoInput},
        {"", "phonebook.txt", ConversionMessages::kNoInput},
        {"fritz.adr", "", ConversionMessages::kNoOutput},
    };
    for (const Case& c : cases) {
        RecordingHost host(c.input, c.output);
        RunConversion(host);
        EXPECT_EQ(host.calls, (Calls{"input", "output", std::string("show ") + c.message}))
            << "input '" << c.input << "', output '" << c.output << "'";
    }
}

// The failures of the files themselves are in the bad-input matrix.
TEST(RunConversion, ReportsEachOutcomeWithItsExactText)
{
    TempDir dir;
    WriteFile(dir.File("none.adr"), "Name;Nummer\r\n");
    WriteFile(dir.File("one.adr"), "Anna;0301\r\n");
    WriteFile(dir.File("two.adr"), "Anna;0301\r\nBob;0402\r\n");
    struct Case {
        std::string input;
        std::string output;
        std::string message;
        bool closes;
    };
    const Case cases[] = {
        {dir.File("none.adr"), "out.txt", "0 Eintr\xE4ge konvertiert", true},
        {dir.File("one.adr"), "out.txt", "1 Eintr\xE4ge konvertiert", true},
        {dir.File("two.adr"), "out.txt", "2 Eintr\xE4ge konvertiert", true},
        {"   ", "   ", "Kann Eingabedatei nicht \xF6" "ffnen", false},
    };
    for (const Case& c : cases) {
        RecordingHost host(c.input, c.output);
        RunConversion(host);
        Calls expected{"input", "output", "show " + c.message};
        if (c.closes)
            expected.push_back("close");
        EXPECT_EQ(host.calls, expected) << c.input << " -> " << c.output;
    }
}

TEST(RunConversion, PutsABareOutputNameBesideTheInput)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    RecordingHost host(dir.File("fritz.adr"), "phonebook.txt");
    RunConversion(host);
    EXPECT_EQ(ReadFile(dir.File("phonebook.txt")), "0301;Anna\n");
    EXPECT_EQ(host.output, "phonebook.txt");
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

struct ResolveCase {
    char separator;
    const char* input;
    const char* output;
    const char* resolved;
};

TEST(ResolveOutputPath, PlacesBareNamesInTheInputFolder)
{
    const ResolveCase cases[] = {
        {'\\', "C:\\Daten\\fritz.adr", "phonebook.txt", "C:\\Daten\\phonebook.txt"},
        {'\\', "C:\\Daten\\fritz.adr", "D:\\Export\\liste.txt", "D:\\Export\\liste.txt"},
        {'\\', "C:\\Daten\\fritz.adr", "sub\\liste.txt", "sub\\liste.txt"},
        {'\\', "C:\\Daten\\fritz.adr", "D:liste.txt", "C:\\Daten\\D:liste.txt"},
        {'\\', "C:\\Daten\\", "x.txt", "C:\\Daten\\x.txt"},
        {'\\', "fritz.adr", "phonebook.txt", "phonebook.txt"},
        {'\\', "C:/Daten/fritz.adr", "x.txt", "x.txt"},
        {'\\', "\\fritz.adr", "x.txt", "\\x.txt"},
        {'/', "/daten/fritz.adr", "phonebook.txt", "/daten/phonebook.txt"},
        {'/', "/fritz.adr", "x.txt", "/x.txt"},
        {'/', "/daten/fritz.adr", "/export/liste.txt", "/export/liste.txt"},
        {'/', "/daten/fritz.adr", "sub/liste.txt", "sub/liste.txt"},
        {'/', "daten\\fritz.adr", "x.txt", "x.txt"},
        {'/', "/daten/fritz.adr", "a\\b.txt", "/daten/a\\b.txt"},
        {'/', "fritz.adr", "phonebook.txt", "phonebook.txt"},
        {'/', "/daten/", "x.txt", "/daten/x.txt"},
    };
    for (const ResolveCase& c : cases)
        EXPECT_EQ(ResolveOutputPathWith(c.separator, c.input, c.output), c.resolved)
            << "'" << c.separator << "' " << c.input << " + " << c.output;
}

TEST(ResolveOutputPath, UsesThisPlatformsSeparator)
{
#ifdef _WIN32
    EXPECT_EQ(ResolveOutputPath("C:\\Daten\\fritz.adr", "x.txt"), "C:\\Daten\\x.txt");
#else
    EXPECT_EQ(ResolveOutputPath("/daten/fritz.adr", "x.txt"), "/daten/x.txt");
    EXPECT_EQ(ResolveOutputPath("C:\\Daten\\fritz.adr", "x.txt"), "x.txt");
#endif
}

}  // namespace
