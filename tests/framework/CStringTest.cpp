#include <gtest/gtest.h>

#include "CString.h"
#include "resource.h"

namespace {

TEST(CString, FindsFromBothEnds)
{
    const CString path("/daten/fritz.adr");
    EXPECT_EQ(path.Find('/'), 0);
    EXPECT_EQ(path.Find('/', 1), 6);
    EXPECT_EQ(path.Find('\\'), -1);
    EXPECT_EQ(path.Find('r', 100), -1);
    EXPECT_EQ(path.Find("fritz"), 7);
    EXPECT_EQ(path.Find("fehlt"), -1);
    EXPECT_EQ(path.ReverseFind('/'), 6);
    EXPECT_EQ(path.ReverseFind('\\'), -1);
    EXPECT_EQ(CString().ReverseFind('/'), -1);
    EXPECT_EQ(CString().Find('/'), -1);
}

TEST(CString, CutsAndInsertsAtTheEnds)
{
    const CString text("abc");
    const struct {
        int count;
        const char* left;
    } lefts[] = {{-1, ""}, {0, ""}, {2, "ab"}, {3, "abc"}, {10, "abc"}};
    for (const auto& c : lefts)
        EXPECT_EQ(text.Left(c.count), c.left) << c.count;

    const struct {
        int index;
        const char* inserted;
    } inserts[] = {{-5, "XYabc"}, {0, "XYabc"}, {1, "aXYbc"}, {3, "abcXY"}, {99, "abcXY"}};
    for (const auto& c : inserts) {
        CString copy = text;
        EXPECT_EQ(copy.Insert(c.index, "XY"), 5);
        EXPECT_EQ(copy, c.inserted) << c.index;
    }
    CString withChar = text;
    withChar.Insert(0, '/');
    EXPECT_EQ(withChar, "/abc");
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_FALSE(CString(" ").IsEmpty());
}

TEST(CString, FormatsAndLoadsStrings)
{
    CString text;
    text.Format("%d Eintr\xC3\xA4ge %s", 42, "konvertiert");
    EXPECT_EQ(text, "42 Eintr\xC3\xA4ge konvertiert");
    text.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(text.GetLength(), 5000);

    // A string the program's resources do not hold leaves the string empty.
    CString missing("vorher");
    EXPECT_FALSE(missing.LoadStringA(4711));
    EXPECT_TRUE(missing.IsEmpty());
}

}  // namespace
