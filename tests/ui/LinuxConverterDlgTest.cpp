// The main dialog with what only Linux has: FIFOs and a device that never
// ends.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "FileContents.h"
#include "Phonebooks.h"
#include "PlatformMessageCases.h"
#include "ShownMessages.h"

namespace fs = std::filesystem;

std::vector<MessageCase> PlatformMessageCases(const TempDir& dir)
{
    mkfifo(dir.File("fifo").c_str(), 0600);
    return {
        // Neither may hold the dialog: a FIFO waits for a writer, /dev/zero never ends.
        {dir.File("fifo"), "phonebook.txt", Shown(ConversionMessages::kInputOpenFailed), IDCANCEL},
        {"/dev/zero", dir.File("null.txt"), Shown(ConversionMessages::kInputOpenFailed), IDCANCEL},
    };
}

void CheckPlatformMessageCasesLeftNothing(const TempDir& dir)
{
    EXPECT_FALSE(fs::exists(dir.File("null.txt")));
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

namespace {

// A FIFO as output whose reader goes away midway: a failed write, reported,
// and the dialog stays.
TEST(ConverterDlg, ReportsAFifoWhoseReaderWentAway)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), NumberedPhonebook(30000));
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const int reader = open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_NE(reader, -1);
    // Once the converter has filled the pipe and waits, the reader leaves.
    std::thread leaving([reader] {
        int queued = 0;
        while (ioctl(reader, FIONREAD, &queued) == 0 && queued < 4096)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        close(reader);
    });
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
        user.Type(IDC_EDIT_OUTPUT, dir.File("fifo"));
        user.Click(IDOK);
        EXPECT_TRUE(user.IsOpen());
    });
    leaving.join();
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].text, Shown(ConversionMessages::kOutputWriteFailed));
    EXPECT_EQ(run.result, IDCANCEL);
}

}  // namespace
