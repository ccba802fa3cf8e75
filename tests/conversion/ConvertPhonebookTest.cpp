#include <gtest/gtest.h>

#include <filesystem>

#include "FileContents.h"
#include "PhonebookConverter.h"
#include "Phonebooks.h"
#include "PlatformFiles.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// The output after a conversion: the records alone, whatever stood there
// before; after a failure, the old output as it was. The samples are those of
// examples/ (the backup's "+49" numbers dialled from Germany).
TEST(ConvertPhonebook, ReplacesTheOutputOnlyWhenItSucceeds)
{
    TempDir dir;
    WriteFile(dir.File("leer.adr"), "");
    WriteFile(dir.File("in.adr"), kPhonebook);
    const std::string longerOutput(10000, 'o');
    const std::string sample = ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.adr";
    const struct {
        std::string input;
        std::string oldOutput;  // empty: none
        ConversionStatus status;
        std::int64_t count;
        std::string output;
    } cases[] = {
        {sample, "", ConversionStatus::Ok, 9, ReadFile(ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.expected.txt")},
        {ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.xml", "", ConversionStatus::Ok, 13,
         ReadFile(ZEDULO_EXAMPLES_DIR "/fritzbox-beispiel.xml.expected.txt")},
        {dir.File("leer.adr"), "", ConversionStatus::Ok, 0, ""},
        {dir.File("in.adr"), longerOutput, ConversionStatus::Ok, 2, kRecords},
        {dir.File("in.adr"), kRecords, ConversionStatus::Ok, 2, kRecords},
        {kUnreadableFile, kOldOutput, ConversionStatus::InputReadFailed, 0, kOldOutput},
    };
    for (const auto& c : cases) {
        fs::remove(dir.File("out.txt"));
        if (!c.oldOutput.empty())
            WriteFile(dir.File("out.txt"), c.oldOutput);
        const ConversionResult result =
            ConvertPhonebook(c.input, dir.File("out.txt"), StreamPolicy::RegularFilesOnly, DefaultCountry());
        EXPECT_EQ(result.status, c.status) << c.input;
        EXPECT_EQ(result.recordCount, c.count) << c.input;
        EXPECT_EQ(ReadFile(dir.File("out.txt")), c.output) << c.input;
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

}  // namespace
