#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ChildProcess.h"
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

namespace {

// Standard input and output ("-"), pipes and FIFOs, as pipelines use them.
TEST(ConverterTool, ProgramWorksInPipelines)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    const std::string records = "0301;Anna\n";
    const std::string converted = "1 Einträge konvertiert\n";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::optional<std::string> input;  // through a pipe
        int status;
        std::string out;
        std::string err;
        std::string written;  // the file the run must have made, relative to the folder
    };
    const Case cases[] = {
        {"standard input to standard output", {"-"}, "Anna;0301\r\n", 0, records, converted, ""},
        {"standard input to a bare name in the current folder", {"-", "liste.txt"}, "Anna;0301\r\n", 0, converted, "",
         "liste.txt"},
        {"a file to standard output", {dir.File("fritz.adr"), "-"}, std::nullopt, 0, records, converted, ""},
        {"a pipe by name, with a folder for the output", {"/dev/stdin", dir.File("aus.txt")}, "Anna;0301\r\n", 0,
         converted, "", "aus.txt"},
        {"a pipe by name, default output", {"/dev/stdin"}, "Anna;0301\r\n", 1, "", "Kann Ausgabedatei nicht öffnen\n",
         ""},
        {"a pipe by name, bare output", {"/dev/stdin", "aus.txt"}, "Anna;0301\r\n", 1, "",
         "Kann Ausgabedatei nicht öffnen\n", ""},
    };
    for (const Case& c : cases) {
        ChildOptions options;
        options.workingDirectory = dir.Path().string();
        options.input = c.input;
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, c.args, options);
        EXPECT_EQ(outcome.exitStatus, c.status) << c.what;
        EXPECT_EQ(outcome.out, c.out) << c.what;
        EXPECT_EQ(outcome.err, c.err) << c.what;
        if (!c.written.empty()) {
            EXPECT_EQ(ReadFile(dir.File(c.written)), records) << c.what;
            fs::remove(dir.File(c.written));
        }
    }
    EXPECT_FALSE(fs::exists("/dev/phonebook.txt"));
    EXPECT_FALSE(fs::exists("/dev/aus.txt"));
}

TEST(ConverterTool, ProgramReadsAFifoAsItIsFed)
{
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("in.fifo").c_str(), 0600), 0);
    ChildProcess converter(ZEDULO_CONVERT_PROGRAM, {dir.File("in.fifo"), dir.File("aus.txt")});
    // Fed in two parts, a line split between them.
    const int feed = open(dir.File("in.fifo").c_str(), O_WRONLY);
    ASSERT_NE(feed, -1);
    ASSERT_EQ(write(feed, "Anna;03", 7), 7);
    ASSERT_EQ(write(feed, "01\r\nBob;0402\r\n", 14), 14);
    close(feed);
    const ChildOutcome outcome = converter.Wait();
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
    EXPECT_EQ(ReadFile(dir.File("aus.txt")), "0301;Anna\n0402;Bob\n");
}

// Answers that cannot be written are failures, as in GNU tools.
TEST(ConverterTool, ProgramReportsAFullStandardOutput)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"--version"}, {dir.File("fritz.adr"), "-"}, {dir.File("fritz.adr")}}) {
        ChildOptions options;
        options.outputPath = "/dev/full";
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, args, options);
        const std::string what = ::testing::PrintToString(args);
        EXPECT_EQ(outcome.exitStatus, 1) << what;
        EXPECT_FALSE(outcome.err.empty()) << what;
    }
}

}  // namespace
