#include <gtest/gtest.h>

#include <filesystem>

#include "PhonebookConverter.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kPhonebook = "Name;Nummer\r\nAnna;0301\r\nBob;+49\r\nCarl;0402;x\r\n";
const std::string kRecords = "0301;Anna\n0402;Carl\n";

TEST(ConvertPhonebook, ConvertsTheSamplePhonebook)
{
    TempDir dir;
    const std::string output = dir.File("phonebook.txt");
    const ConversionResult result =
        ConvertPhonebook(ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.adr", output);
    EXPECT_EQ(result.status, ConversionStatus::Ok);
    EXPECT_EQ(result.recordCount, 9);
    EXPECT_EQ(ReadFile(output), ReadFile(ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.expected.txt"));
}

TEST(ConvertPhonebook, EmptyInputGivesEmptyOutput)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), "");
    const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt"));
    EXPECT_EQ(result.status, ConversionStatus::Ok);
    EXPECT_EQ(result.recordCount, 0);
    EXPECT_EQ(ReadFile(dir.File("out.txt")), "");
}

TEST(ConvertPhonebook, TruncatesAnExistingOutput)
{
    TempDir dir;
    WriteFile(dir.File("in.adr"), kPhonebook);
    WriteFile(dir.File("out.txt"), std::string(10000, 'o'));
    for (int run = 0; run < 2; ++run) {
        const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt"));
        EXPECT_EQ(result.status, ConversionStatus::Ok);
        EXPECT_EQ(result.recordCount, 2);
        EXPECT_EQ(ReadFile(dir.File("out.txt")), kRecords);
    }
}

TEST(ConvertPhonebook, OutputLargerThanOneBlock)
{
    TempDir dir;
    std::string input;
    for (int i = 0; i < 200000; ++i)
        input += "Name " + std::to_string(i) + ";0" + std::to_string(i) + ";home\r\n";
    WriteFile(dir.File("in.adr"), input);
    const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt"));
    ASSERT_EQ(result.status, ConversionStatus::Ok);
    EXPECT_EQ(result.recordCount, 200000);
    const std::string output = ReadFile(dir.File("out.txt"));
    EXPECT_EQ(output.substr(0, 10), "00;Name 0\n");
    EXPECT_EQ(output.substr(output.size() - 20), "0199999;Name 199999\n");
}

// Billions of lines must not wrap the count around.
static_assert(sizeof(ConversionResult::recordCount) == 8, "record count of 64 bits");

// A failure reports its status, writes no records and leaves the files as
// they were: the input untouched, no output created.
struct FailureCase {
    const char* what;
    std::string input;   // inside the test folder unless absolute
    std::string output;  // likewise
    ConversionStatus status;
};

std::string InDir(const TempDir& dir, const std::string& path)
{
    return !path.empty() && path[0] == '/' ? path : dir.File(path);
}

TEST(ConvertPhonebook, FailsCleanly)
{
    const FailureCase cases[] = {
        {"missing input", "missing.adr", "out.txt", ConversionStatus::InputOpenFailed},
        {"input a folder", "folder", "out.txt", ConversionStatus::InputOpenFailed},
        {"input through a file", "in.adr/y", "out.txt", ConversionStatus::InputOpenFailed},
        {"output in a missing folder", "in.adr", "missing/out.txt", ConversionStatus::OutputOpenFailed},
        {"output a folder", "in.adr", "folder", ConversionStatus::OutputOpenFailed},
        {"output the input", "in.adr", "in.adr", ConversionStatus::OutputOpenFailed},
        {"output the input, spelt otherwise", "in.adr", "folder/../in.adr",
         ConversionStatus::OutputOpenFailed},
        {"output a link to the input", "in.adr", "symlink.adr", ConversionStatus::OutputOpenFailed},
        {"output a hard link of the input", "in.adr", "hardlink.adr", ConversionStatus::OutputOpenFailed},
        {"input that fails while read", "/proc/self/mem", "out.txt", ConversionStatus::InputReadFailed},
        {"output that fails while written", "in.adr", "/dev/full", ConversionStatus::OutputWriteFailed},
    };
    for (const FailureCase& c : cases) {
        TempDir dir;
        WriteFile(dir.File("in.adr"), kPhonebook);
        fs::create_directory(dir.File("folder"));
        fs::create_symlink(dir.File("in.adr"), dir.File("symlink.adr"));
        fs::create_hard_link(dir.File("in.adr"), dir.File("hardlink.adr"));
        const std::string output = InDir(dir, c.output);
        const bool outputExisted = fs::exists(output);

        const ConversionResult result = ConvertPhonebook(InDir(dir, c.input), output);

        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(result.recordCount, 0) << c.what;
        EXPECT_EQ(ReadFile(dir.File("in.adr")), kPhonebook) << c.what;
        EXPECT_EQ(fs::exists(output), outputExisted) << c.what;
        EXPECT_FALSE(fs::exists(dir.File("out.txt"))) << c.what;
    }
}

TEST(ConvertPhonebook, ReadFailureKeepsAnOutputThatExisted)
{
    TempDir dir;
    WriteFile(dir.File("out.txt"), "old");
    const ConversionResult result = ConvertPhonebook("/proc/self/mem", dir.File("out.txt"));
    EXPECT_EQ(result.status, ConversionStatus::InputReadFailed);
    EXPECT_TRUE(fs::exists(dir.File("out.txt")));
}

}  // namespace
