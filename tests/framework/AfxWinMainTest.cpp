#include <gtest/gtest.h>

#include "AfxTexts.h"
#include "ChildProcess.h"

namespace {

TEST(AfxWinMain, NeverHandsTheCommandLineToTheToolkit)
{
    // Qt would act on -platform, -style and the rest, and abort on an
    // unknown platform.
    const ChildOutcome outcome =
        RunChild(ZEDULO_PROBE_PROGRAM, {"-platform", "nirgendwo", "-style", "bogus", "-reverse", "datei.adr"});
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "arguments: 1, name: Zedulo\n");
}

TEST(AfxWinMain, SaysSoWithoutADisplay)
{
    const ChildOutcome outcome =
        RunChild(ZEDULO_PROBE_PROGRAM, {}, WithoutDisplay());
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(outcome.err, kAfxNoDisplay);
    EXPECT_EQ(outcome.out, "");
}

}  // namespace
