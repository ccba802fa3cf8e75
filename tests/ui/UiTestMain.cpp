// Runs the dialog tests with the toolkit started as the program starts it
// and the program's own application object.
#include <gtest/gtest.h>

#include "AfxToolkit.h"
#include "TestHooks.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AfxToolkit toolkit(argv[0]);
    // A window no test answers would wait for a user forever.
    AfxTestHooks::SetStrict(true);
    const int result = RUN_ALL_TESTS();
    AfxTestHooks::Reset();
    return result != 0 || AfxTestHooks::UnansweredCount() != 0 ? 1 : 0;
}
