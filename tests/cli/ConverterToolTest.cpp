#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "ChildProcess.h"
#include "ConverterTool.h"
#include "FileContents.h"
#include "PathText.h"
#include "PlatformFiles.h"
#include "ShownMessages.h"
#include "TempDir.h"
#include "Version.h"

namespace fs = std::filesystem;

namespace {

const std::string kUsageStart = "Aufruf: zedulo-convert [--landesvorwahl=NR] [--] EINGABEDATEI [AUSGABEDATEI]\n";

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
        {{"--landesvorwahl=49", "--help"}, kExitSuccess, true, false},
        {{"--landesvorwahl"}, kExitUsage, false, true},
        {{"a.adr", "--landesvorwahl"}, kExitUsage, false, true},
        {{"--landesvorwahl=", "a.adr"}, kExitUsage, false, true},
        {{"--landesvorwahl=999", "a.adr"}, kExitUsage, false, true},
        {{"--landesvorwahl", "049", "a.adr"}, kExitUsage, false, true},
        {{"--landesvorwahl=800", "a.adr"}, kExitUsage, false, true},   // a code of no country
        {{"--landesvorwahl=+4 9", "a.adr"}, kExitUsage, false, true},
        {{"--landesvorwahlen=49", "a.adr"}, kExitUsage, false, true},  // another option
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
    EXPECT_TRUE(StartsWith(RunTool({"--landesvorwahl", "0o49", "a.adr"}).err, "Unbekannte Landesvorwahl: 0o49\n"));
    EXPECT_TRUE(StartsWith(RunTool({"a.adr", "--landesvorwahl"}).err,
                           "Die Option --landesvorwahl braucht einen Wert\n"));
}

TEST(ConverterTool, PrintsItsVersion)
{
    const Outcome outcome = RunTool({"--version"});
    EXPECT_EQ(outcome.status, kExitSuccess);
    EXPECT_EQ(outcome.out, "zedulo-convert " ZEDULO_VERSION_TEXT "\n");
    EXPECT_EQ(outcome.err, "");
}

// Every failure and awkward path is in the bad-input matrix; these are the
// arguments' own cases.
TEST(ConverterTool, ReportsEachConversionOnOneLine)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\nBob;0402\r\n");
    WriteFile(dir.File("-strich.adr"), "Anna;0301\r\n");
    WriteFile(dir.File("plus.adr"), "Anna;+43 1 2345\r\nBob;0301\r\n");
    WriteFile(dir.File("plus.xml"), "<phonebooks><phonebook><contact><person><realName>Anna</realName></person>"
                                    "<telephony><number>+43 1 2345</number><number>+49 (0)30 1234</number>"
                                    "</telephony></contact></phonebook></phonebooks>");
    const std::string sample = ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.xml";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
        std::string written;  // the file the run must have made, if any
        std::string records = {};  // what that file must hold; not checked if empty
    };
    const Case cases[] = {
        {{dir.File("fritz.adr")}, 0, Shown(ConversionMessages::Converted(2)) + "\n", "", dir.File("phonebook.txt")},
        {{dir.File("fritz.adr"), "liste.txt"}, 0, Shown(ConversionMessages::Converted(2)) + "\n", "", dir.File("liste.txt")},
        {{"--", dir.File("-strich.adr"), dir.File("-x.txt")}, 0, Shown(ConversionMessages::Converted(1)) + "\n", "",
         dir.File("-x.txt")},
        {{""}, 1, "", Shown(ConversionMessages::kNoInput) + "\n", ""},
        {{dir.File("missing.adr")}, 1, "", Shown(ConversionMessages::kInputOpenFailed) + "\n", ""},
        {{"--landesvorwahl=49", sample, dir.File("beispiel.txt")}, 0,
         Shown(ConversionMessages::Converted(13)) + "\n", "", dir.File("beispiel.txt"),
         ReadFile(ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.xml.expected.txt")},
        {{"--landesvorwahl", "43", dir.File("plus.xml"), "at.txt"}, 0, Shown(ConversionMessages::Converted(2)) + "\n",
         "", dir.File("at.txt"), "01 2345;Anna\n0049 30 1234;Anna\n"},
        {{dir.File("plus.xml"), "--landesvorwahl=+49", "de.txt"}, 0, Shown(ConversionMessages::Converted(2)) + "\n",
         "", dir.File("de.txt"), "0043 1 2345;Anna\n030 1234;Anna\n"},
        {{"--landesvorwahl=0041", "--landesvorwahl=1", dir.File("plus.xml"), "us.txt"}, 0,
         Shown(ConversionMessages::Converted(2)) + "\n", "", dir.File("us.txt"),
         "01143 1 2345;Anna\n01149 30 1234;Anna\n"},
        {{"--landesvorwahl=43", dir.File("plus.adr"), "adr.txt"}, 0, Shown(ConversionMessages::Converted(1)) + "\n", "",
         dir.File("adr.txt"), "0301;Bob\n"},  // lines are taken as they stand
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
        if (!c.records.empty()) {
            EXPECT_EQ(ReadFile(c.written), c.records) << what;
        }
    }
}

// The installed program itself: its streams and exit statuses, as a script
// sees them, in any locale (here none: the C locale).
TEST(ConverterTool, ProgramExitsWithItsStatus)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string errStart;
    };
    const Case cases[] = {
        {{dir.File("fritz.adr")}, 0, Shown(ConversionMessages::Converted(1)) + "\n", ""},
        {{""}, 1, "", Shown(ConversionMessages::kNoInput) + "\n"},
        {{dir.File("fehlt.adr")}, 1, "", Shown(ConversionMessages::kInputOpenFailed) + "\n"},
        {{}, 2, "", kUsageStart},
        {{"--help"}, 0, kUsageStart, ""},
        {{"--version"}, 0, "zedulo-convert " ZEDULO_VERSION_TEXT "\n", ""},
        {{"--landesvorwahl=43", dir.File("fritz.adr")}, 0, Shown(ConversionMessages::Converted(1)) + "\n", ""},
        {{"--landesvorwahl", "4", dir.File("fritz.adr")}, 2, "", "Unbekannte Landesvorwahl: 4\n"},
    };
    ChildOptions options;
    options.unset = {"LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES"};
    for (const Case& c : cases) {
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, c.args, options);
        const std::string what = ::testing::PrintToString(c.args);
        EXPECT_EQ(outcome.exitStatus, c.status) << what;
        EXPECT_EQ(c.out == kUsageStart ? outcome.out.substr(0, c.out.size()) : outcome.out, c.out) << what;
        EXPECT_TRUE(StartsWith(outcome.err, c.errStart)) << what << ": " << outcome.err;
        if (c.errStart.empty()) {
            EXPECT_EQ(outcome.err, "") << what;
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
    const std::string converted = Shown(ConversionMessages::Converted(1)) + "\n";
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
    };
    for (const Case& c : cases) {
        ChildOptions options;
        options.workingDirectory = TextOf(dir.Path());
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

    // Records on standard output go as they are read, and a stream cannot be
    // taken back: a document found broken later ends after whole records.
    std::string contacts, manyRecords;
    for (int i = 0; i < 100000; ++i) {
        contacts += "<contact><person><realName>A</realName></person><telephony><number>0301</number>"
                    "</telephony></contact>\n";
        manyRecords += "0301;A\n";
    }
    WriteFile(dir.File("kaputt.xml"), "<phonebooks><phonebook>" + contacts + "<contact><x></contact>");
    const ChildOutcome cut = RunChild(ZEDULO_CONVERT_PROGRAM, {dir.File("kaputt.xml"), "-"});
    EXPECT_EQ(cut.exitStatus, 1);
    EXPECT_EQ(cut.err, Shown(ConversionMessages::kInputReadFailed) + "\n");
    EXPECT_FALSE(cut.out.empty());
    EXPECT_EQ(cut.out, manyRecords.substr(0, cut.out.size()));
    EXPECT_EQ(cut.out.back(), '\n');
}

// Answers that cannot be written are failures, as in GNU tools.
TEST(ConverterTool, ProgramReportsAFullStandardOutput)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"--version"}, {dir.File("fritz.adr"), "-"}, {dir.File("fritz.adr")}}) {
        ChildOptions options;
        options.outputPath = kFullDevice;
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, args, options);
        const std::string what = ::testing::PrintToString(args);
        EXPECT_EQ(outcome.exitStatus, 1) << what;
        EXPECT_FALSE(outcome.err.empty()) << what;
    }
}

}  // namespace
