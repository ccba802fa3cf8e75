#include <gtest/gtest.h>

#include <filesystem>

#include "FileContents.h"
#include "PhonebookConverter.h"
#include "Phonebooks.h"
#include "PlatformFiles.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

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
    WriteFile(dir.File("in.adr"), NumberedPhonebook(200000));
    const ConversionResult result = ConvertPhonebook(dir.File("in.adr"), dir.File("out.txt"));
    ASSERT_EQ(result.status, ConversionStatus::Ok);
    EXPECT_EQ(result.recordCount, 200000);
    const std::string output = ReadFile(dir.File("out.txt"));
    EXPECT_EQ(output.substr(0, 12), "0300;Name 0\n");
    EXPECT_EQ(output.substr(output.size() - 22), "030199999;Name 199999\n");
}

// Billions of lines must not wrap the count around.
static_assert(sizeof(ConversionResult::recordCount) == 8, "record count of 64 bits");

// The failures, each through the whole command, are in the bad-input matrix
// of the command-line tests.
TEST(ConvertPhonebook, ReadFailureKeepsAnOutputThatExisted)
{
    TempDir dir;
    WriteFile(dir.File("out.txt"), "old");
    const ConversionResult result = ConvertPhonebook(kUnreadableFile, dir.File("out.txt"));
    EXPECT_EQ(result.status, ConversionStatus::InputReadFailed);
    EXPECT_EQ(ReadFile(dir.File("out.txt")), "old");
}

}  // namespace
