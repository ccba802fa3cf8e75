#include <gtest/gtest.h>

#include "CString.h"

namespace {

TEST(CString, LoadStringLeavesItEmptyWhenMissing)
{
    // A string the program's resources do not hold leaves the string empty.
    CString missing("vorher");
    EXPECT_FALSE(missing.LoadStringA(4711));
    EXPECT_TRUE(missing.IsEmpty());
}

}  // namespace
