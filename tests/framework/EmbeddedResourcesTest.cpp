// The resources the Linux program carries, as a whole.
#include <gtest/gtest.h>

#include "AfxResources.h"

namespace {

TEST(ProgramResources, AreAllGermanWithoutManifest)
{
    const ResourceFile& resources = AfxResources();
    ASSERT_FALSE(resources.Entries().empty());
    for (const ResourceEntry& entry : resources.Entries()) {
        EXPECT_EQ(entry.language, 0x0407);
        EXPECT_FALSE(entry.type.IsOrdinal(24)) << "no manifest";
    }
}

}  // namespace
