// The command-line converter with what only POSIX systems have: FIFOs and
// pipes named through /dev.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "FileContents.h"
#include "ShownMessages.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

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

// /dev/stdin has a folder, but not one for the user's phonebook.
TEST(ConverterTool, ProgramNeedsAFolderForTheOutputBesideAPipeByName)
{
    TempDir dir;
    const struct {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"with a folder for the output", {"/dev/stdin", dir.File("aus.txt")}, 0, Shown(ConversionMessages::Converted(1)) + "\n", ""},
        {"default output", {"/dev/stdin"}, 1, "", Shown(ConversionMessages::kOutputOpenFailed) + "\n"},
        {"bare output", {"/dev/stdin", "aus.txt"}, 1, "", Shown(ConversionMessages::kOutputOpenFailed) + "\n"},
    };
    for (const auto& c : cases) {
        ChildOptions options;
        options.workingDirectory = dir.Path().string();
        options.input = "Anna;0301\r\n";
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, c.args, options);
        EXPECT_EQ(outcome.exitStatus, c.status) << c.what;
        EXPECT_EQ(outcome.out, c.out) << c.what;
        EXPECT_EQ(outcome.err, c.err) << c.what;
    }
    EXPECT_EQ(ReadFile(dir.File("aus.txt")), "0301;Anna\n");
    EXPECT_FALSE(fs::exists("/dev/phonebook.txt"));
    EXPECT_FALSE(fs::exists("/dev/aus.txt"));
}

}  // namespace
