#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

#include "ConverterTool.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kUsageStart = "Aufruf: zedulo-convert [--] EINGABEDATEI [AUSGABEDATEI]\n";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunConverterTool(args, out, err);
    return {status, out.str(), err.str()};
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

TEST(ConverterTool, AnswersOptionsAndMisuse)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        bool usageOnOut;
        bool usageOnErr;
    };
    const Case cases[] = {
        {{}, kExitUsage, false, true},
        {{"a.adr", "b.txt", "c"}, kExitUsage, false, true},
        {{"--unknown", "a.adr"}, kExitUsage, false, true},
        {{"-x"}, kExitUsage, false, true},
        {{"--"}, kExitUsage, false, true},
        {{"--help"}, kExitSuccess, true, false},
        {{"a.adr", "--help"}, kExitSuccess, true, false},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunTool(c.args);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(outcome.status, c.status) << what;
        EXPECT_EQ(StartsWith(outcome.out, kUsageStart), c.usageOnOut) << what;
        EXPECT_EQ(outcome.err.find(kUsageStart) != std::string::npos, c.usageOnErr) << what;
        EXPECT_EQ(outcome.out.empty(), !c.usageOnOut) << what;
    }
    EXPECT_TRUE(StartsWith(RunTool({"--bogus"}).err, "Unbekannte Option: --bogus\n"));
}

TEST(ConverterTool, PrintsItsVersion)
{
    const Outcome outcome = RunTool({"--version"});
    EXPECT_EQ(outcome.status, kExitSuccess);
    EXPECT_EQ(outcome.out, "zedulo-convert 1.0.0.2\n");
    EXPECT_EQ(outcome.err, "");
}

// Every failure and awkward path is in the bad-input matrix; these are the
// arguments' own cases.
TEST(ConverterTool, ReportsEachConversionOnOneLine)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\nBob;0402\r\n");
    WriteFile(dir.File("-strich.adr"), "Anna;0301\r\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
        std::string written;  // the file the run must have made, if any
    };
    const Case cases[] = {
        {{dir.File("fritz.adr")}, 0, "2 Einträge konvertiert\n", "", dir.File("phonebook.txt")},
        {{dir.File("fritz.adr"), "liste.txt"}, 0, "2 Einträge konvertiert\n", "", dir.File("liste.txt")},
        {{"--", dir.File("-strich.adr"), dir.File("-x.txt")}, 0, "1 Einträge konvertiert\n", "",
         dir.File("-x.txt")},
        {{""}, 1, "", "Keine Eingabedatei angegeben\n", ""},
        {{dir.File("missing.adr")}, 1, "", "Kann Eingabedatei nicht öffnen\n", ""},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunTool(c.args);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(outcome.status, c.status) << what;
        EXPECT_EQ(outcome.out, c.out) << what;
        EXPECT_EQ(outcome.err, c.err) << what;
        if (!c.written.empty()) {
            EXPECT_TRUE(fs::exists(c.written)) << what;
        }
    }
}

// The installed program itself: its streams and exit statuses, as a script
// sees them.
TEST(ConverterTool, ProgramExitsWithItsStatus)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    struct Case {
        std::string args;
        int status;
        std::string out;
        std::string errStart;
    };
    const Case cases[] = {
        {"'" + dir.File("fritz.adr") + "'", 0, "1 Einträge konvertiert\n", ""},
        {"''", 1, "", "Keine Eingabedatei angegeben\n"},
        {"", 2, "", kUsageStart},
        {"--help", 0, kUsageStart, ""},
        {"--version", 0, "zedulo-convert 1.0.0.2\n", ""},
    };
    for (const Case& c : cases) {
        const std::string command = std::string("LC_ALL=C '") + ZEDULO_CONVERT_PROGRAM + "' " + c.args +
                                    " >'" + dir.File("out") + "' 2>'" + dir.File("err") + "'";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << command;
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << command;
        const std::string out = ReadFile(dir.File("out"));
        EXPECT_EQ(c.out == kUsageStart ? out.substr(0, c.out.size()) : out, c.out) << command;
        EXPECT_TRUE(StartsWith(ReadFile(dir.File("err")), c.errStart)) << command;
        if (c.errStart.empty()) {
            EXPECT_EQ(ReadFile(dir.File("err")), "") << command;
        }
    }
}

}  // namespace
