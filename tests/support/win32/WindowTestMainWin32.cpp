#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "TestHooks.h"
#include "WindowTestMain.h"

int RunWindowTests(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    InitCommonControls();
    // A window no test answers would wait for a user forever.
    AfxTestHooks::SetStrict(true);
    const int result = RUN_ALL_TESTS();
    AfxTestHooks::Reset();
    return result != 0 || AfxTestHooks::UnansweredCount() != 0 ? 1 : 0;
}
