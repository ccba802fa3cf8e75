// The main of a test program that opens windows: the toolkit started as the
// program starts it, offscreen unless a display is there (so that ctest can
// list and run the tests anywhere), and every modal window answered by a
// test or counted as a failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "AfxToolkit.h"
#include "TestHooks.h"

inline int RunWindowTests(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxHasDisplay())
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    AfxToolkit toolkit(argv[0]);
    // A window no test answers would wait for a user forever.
    AfxTestHooks::SetStrict(true);
    const int result = RUN_ALL_TESTS();
    AfxTestHooks::Reset();
    return result != 0 || AfxTestHooks::UnansweredCount() != 0 ? 1 : 0;
}
