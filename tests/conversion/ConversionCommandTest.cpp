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

constexpr PathStyle kPosix = PathStyle::Posix;
constexpr PathStyle kWindows = PathStyle::Windows;

const char* NameOf(PathStyle style)
{
    return style == kWindows ? "Windows" : "Posix";
}

TEST(FolderPart, EndsAtTheLastSeparatorOrADrivesColon)
{
    const struct {
        PathStyle style;
        const char* path;
        const char* folder;
    } cases[] = {
        {kWindows, "C:\\Daten\\fritz.adr", "C:\\Daten\\"},
        {kWindows, "C:/Daten/fritz.adr", "C:/Daten/"},
        {kWindows, "C:\\Daten/run\\fritz.adr", "C:\\Daten/run\\"},
        {kWindows, "run/fritz.adr", "run/"},
        {kWindows, "C:\\fritz.adr", "C:\\"},
        {kWindows, "\\fritz.adr", "\\"},
        {kWindows, "\\\\server\\freigabe\\fritz.adr", "\\\\server\\freigabe\\"},
        {kWindows, "D:fritz.adr", "D:"},
        {kWindows, "d:fritz.adr", "d:"},
        {kWindows, "C:\\Daten\\D:x", "C:\\Daten\\"},
        {kWindows, "1:fritz.adr", ""},
        {kWindows, ":fritz.adr", ""},
        {kWindows, "fritz.adr", ""},
        {kWindows, "", ""},
        {kPosix, "/daten/fritz.adr", "/daten/"},
        {kPosix, "/fritz.adr", "/"},
        {kPosix, "daten\\fritz.adr", ""},
        {kPosix, "D:fritz.adr", ""},
        {kPosix, "fritz.adr", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderPart(c.path, c.style), c.folder) << NameOf(c.style) << " " << c.path;
}

TEST(ResolveOutputPath, PlacesBareNamesInTheInputFolder)
{
    const struct {
        PathStyle style;
        const char* input;
        const char* output;
        const char* resolved;
    } cases[] = {
        {kWindows, "C:\\Daten\\fritz.adr", "phonebook.txt", "C:\\Daten\\phonebook.txt"},
        {kWindows, "C:\\Daten\\fritz.adr", "D:\\Export\\liste.txt", "D:\\Export\\liste.txt"},
        {kWindows, "C:\\Daten\\fritz.adr", "sub\\liste.txt", "sub\\liste.txt"},
        {kWindows, "C:\\Daten\\fritz.adr", "sub/liste.txt", "sub/liste.txt"},
        {kWindows, "C:\\Daten\\fritz.adr", "D:liste.txt", "D:liste.txt"},
        {kWindows, "run/fritz.adr", "phonebook.txt", "run/phonebook.txt"},
        {kWindows, "C:/Daten/fritz.adr", "x.txt", "C:/Daten/x.txt"},
        {kWindows, "D:fritz.adr", "x.txt", "D:x.txt"},
        {kWindows, "C:\\Daten\\", "x.txt", "C:\\Daten\\x.txt"},
        {kWindows, "\\fritz.adr", "x.txt", "\\x.txt"},
        {kWindows, "fritz.adr", "phonebook.txt", "phonebook.txt"},
        {kPosix, "/daten/fritz.adr", "phonebook.txt", "/daten/phonebook.txt"},
        {kPosix, "/fritz.adr", "x.txt", "/x.txt"},
        {kPosix, "/daten/fritz.adr", "/export/liste.txt", "/export/liste.txt"},
        {kPosix, "/daten/fritz.adr", "sub/liste.txt", "sub/liste.txt"},
        {kPosix, "daten\\fritz.adr", "x.txt", "x.txt"},
        {kPosix, "/daten/fritz.adr", "a\\b.txt", "/daten/a\\b.txt"},
        {kPosix, "/daten/fritz.adr", "D:liste.txt", "/daten/D:liste.txt"},
        {kPosix, "fritz.adr", "phonebook.txt", "phonebook.txt"},
        {kPosix, "/daten/", "x.txt", "/daten/x.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveOutputPath(c.input, c.output, c.style), c.resolved)
            << NameOf(c.style) << " " << c.input << " + " << c.output;
}

TEST(ResolveOutputPath, UsesThisPlatformsRules)
{
    EXPECT_EQ(ResolveOutputPath("daten/fritz.adr", "x.txt"), "daten/x.txt");
    EXPECT_EQ(ResolveOutputPath("daten\\fritz.adr", "x.txt"),
              kNativePathStyle == kWindows ? "daten\\x.txt" : "x.txt");
}

}  // namespace
