// The converter interrupted in the middle of a conversion: the old output
// stays whole (or there stays none), and the temporary file goes with the
// process unless nothing could run at all (SIGKILL).
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "FileContents.h"
#include "OutputTemporaries.h"
#include "Phonebooks.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(Interrupt, LeavesTheOldOutputOrNone)
{
    const std::string lines = NumberedPhonebook(40000);

    const struct {
        int signal;
        bool outputExisted;
    } cases[] = {
        {SIGINT, true}, {SIGINT, false}, {SIGTERM, true}, {SIGTERM, false}, {SIGKILL, true}, {SIGKILL, false},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(strsignal(c.signal)) + (c.outputExisted ? ", output existed" : "");
        TempDir dir;
        ASSERT_EQ(mkfifo(dir.File("in.fifo").c_str(), 0600), 0);
        if (c.outputExisted)
            WriteFile(dir.File("out.txt"), kOldOutput);

        ChildProcess converter(ZEDULO_CONVERT_PROGRAM, {dir.File("in.fifo"), dir.File("out.txt")});
        // The converter reads what comes and waits for more: a conversion
        // held in the middle.
        const int feed = open(dir.File("in.fifo").c_str(), O_WRONLY);
        ASSERT_NE(feed, -1);
        ASSERT_EQ(write(feed, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
        ASSERT_TRUE(WaitForRecordsInATemporary(dir.Path())) << what;

        kill(converter.Pid(), c.signal);
        const ChildOutcome outcome = converter.Wait();
        close(feed);

        EXPECT_EQ(outcome.signal, c.signal) << what << ": ended by the same signal";
        if (c.outputExisted) {
            EXPECT_EQ(ReadFile(dir.File("out.txt")), kOldOutput) << what;
        } else {
            EXPECT_FALSE(fs::exists(dir.File("out.txt"))) << what;
        }
        if (c.signal != SIGKILL) {
            EXPECT_TRUE(OutputTemporaries(dir.Path()).empty()) << what;
        }
    }
}

// A signal the caller ignored (as a shell does for a background job) stays
// ignored: the conversion runs to its end.
TEST(Interrupt, IgnoredSignalsStayIgnored)
{
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("in.fifo").c_str(), 0600), 0);
    const auto before = std::signal(SIGINT, SIG_IGN);
    ChildProcess converter(ZEDULO_CONVERT_PROGRAM, {dir.File("in.fifo"), dir.File("out.txt")});
    std::signal(SIGINT, before);

    const int feed = open(dir.File("in.fifo").c_str(), O_WRONLY);
    ASSERT_NE(feed, -1);
    const std::string lines(300000, '\n');  // enough to fill a block
    ASSERT_EQ(write(feed, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    kill(converter.Pid(), SIGINT);
    ASSERT_EQ(write(feed, "Anna;0301\n", 10), 10);
    close(feed);

    const ChildOutcome outcome = converter.Wait();
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
    EXPECT_EQ(ReadFile(dir.File("out.txt")), "0301;Anna\n");
}

}  // namespace
