// The program as started from a desktop or a terminal.
#include <gtest/gtest.h>

#include "AfxTexts.h"
#include "ChildProcess.h"

namespace {

TEST(Program, SaysSoWithoutADisplay)
{
    const ChildOutcome outcome =
        RunChild(ZEDULO_PROGRAM, {"--irgendwas"}, WithoutDisplay());
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(outcome.err, kAfxNoDisplay);
}

}  // namespace
