// A disk that is full midway, on Windows: CTest runs this program under a
// file size limit of 64 KiB set before Wine starts (see CMakeLists.txt), so
// every write past it fails, here and in the converter it starts. The large
// phonebook was written by the build.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ChildProcess.h"
#include "FileContents.h"
#include "PhonebookConverter.h"
#include "Phonebooks.h"
#include "ShownMessages.h"
#include "TempDir.h"

namespace {

TEST(DiskFull, AFailedWriteKeepsTheOldOutputOrNone)
{
    {
        TempDir dir;
        ASSERT_THROW(WriteFile(dir.File("probe"), std::string(128 * 1024, 'x')), std::runtime_error)
            << "run under a file size limit of 64 KiB";
    }
    for (const bool throughTheProgram : {false, true}) {
        for (const bool outputExisted : {true, false}) {
            const std::string what = std::string(throughTheProgram ? "program" : "conversion") +
                                     (outputExisted ? ", output existed" : ", new output");
            TempDir dir;
            if (outputExisted)
                WriteFile(dir.File("out.txt"), kOldOutput);
            const auto before = DescribeTree(dir.Path());
            if (throughTheProgram) {
                const ChildOutcome outcome =
                    RunChild(ZEDULO_CONVERT_PROGRAM, {ZEDULO_LARGE_PHONEBOOK, dir.File("out.txt")});
                EXPECT_EQ(outcome.exitStatus, 1) << what;
                EXPECT_EQ(outcome.err, Shown(ConversionMessages::kOutputWriteFailed) + "\n") << what;
            } else {
                EXPECT_EQ(ConvertPhonebook(ZEDULO_LARGE_PHONEBOOK, dir.File("out.txt")).status,
                          ConversionStatus::OutputWriteFailed)
                    << what;
            }
            EXPECT_EQ(DescribeTree(dir.Path()), before) << what << ": as it was, no temporary file left";
        }
    }
}

}  // namespace
