#include <gtest/gtest.h>

#include "PathFolders.h"

namespace {

constexpr PathStyle kPosix = PathStyle::Posix;
constexpr PathStyle kWindows = PathStyle::Windows;

const char* NameOf(PathStyle style)
{
    return style == kWindows ? "Windows" : "Posix";
}

TEST(FolderPart, EndsAtTheLastSeparatorOrADrivesColon)
{
    const struct {
        PathStyle style;
        const char* path;
        const char* folder;
    } cases[] = {
        {kWindows, "C:\\Daten\\fritz.adr", "C:\\Daten\\"},
        {kWindows, "C:/Daten/fritz.adr", "C:/Daten/"},
        {kWindows, "C:\\Daten/run\\fritz.adr", "C:\\Daten/run\\"},
        {kWindows, "run/fritz.adr", "run/"},
        {kWindows, "C:\\fritz.adr", "C:\\"},
        {kWindows, "\\fritz.adr", "\\"},
        {kWindows, "\\\\server\\freigabe\\fritz.adr", "\\\\server\\freigabe\\"},
        {kWindows, "D:fritz.adr", "D:"},
        {kWindows, "d:fritz.adr", "d:"},
        {kWindows, "C:\\Daten\\D:x", "C:\\Daten\\"},
        {kWindows, "1:fritz.adr", ""},
        {kWindows, ":fritz.adr", ""},
        {kWindows, "fritz.adr", ""},
        {kWindows, "", ""},
        {kPosix, "/daten/fritz.adr", "/daten/"},
        {kPosix, "/fritz.adr", "/"},
        {kPosix, "daten\\fritz.adr", ""},
        {kPosix, "D:fritz.adr", ""},
        {kPosix, "fritz.adr", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderPart(c.path, c.style), c.folder) << NameOf(c.style) << " " << c.path;
}

// A bare output name goes into the input's folder, and the output's chooser
// starts there (without the closing separator, but a root stays whole on
// Linux); anything else stays as typed, and the chooser starts where the
// platform chooses.
TEST(ResolveOutputPath, PlacesBareNamesInTheInputFolder)
{
    const struct {
        PathStyle style;
        const char* input;
        const char* output;
        const char* resolved;
        const char* chooserStart;  // nullptr: wherever the platform chooses
    } cases[] = {
        {kWindows, "C:\\Daten\\fritz.adr", "phonebook.txt", "C:\\Daten\\phonebook.txt", "C:\\Daten"},
        {kWindows, "C:\\Daten\\fritz.adr", "D:\\Export\\liste.txt", "D:\\Export\\liste.txt", nullptr},
        {kWindows, "C:\\Daten\\fritz.adr", "sub\\liste.txt", "sub\\liste.txt", nullptr},
        {kWindows, "C:\\Daten\\fritz.adr", "sub/liste.txt", "sub/liste.txt", nullptr},
        {kWindows, "C:\\Daten\\fritz.adr", "D:liste.txt", "D:liste.txt", nullptr},
        {kWindows, "C:\\fritz.adr", "phonebook.txt", "C:\\phonebook.txt", "C:"},
        {kWindows, "run/fritz.adr", "phonebook.txt", "run/phonebook.txt", "run"},
        {kWindows, "C:/Daten/fritz.adr", "x.txt", "C:/Daten/x.txt", "C:/Daten"},
        {kWindows, "D:fritz.adr", "x.txt", "D:x.txt", "D:"},
        {kWindows, "C:\\Daten\\", "x.txt", "C:\\Daten\\x.txt", "C:\\Daten"},
        {kWindows, "\\fritz.adr", "x.txt", "\\x.txt", ""},
        {kWindows, "fritz.adr", "phonebook.txt", "phonebook.txt", nullptr},
        {kPosix, "/daten/fritz.adr", "phonebook.txt", "/daten/phonebook.txt", "/daten"},
        {kPosix, "/fritz.adr", "x.txt", "/x.txt", "/"},
        {kPosix, "/daten/fritz.adr", "/export/liste.txt", "/export/liste.txt", nullptr},
        {kPosix, "/daten/fritz.adr", "sub/liste.txt", "sub/liste.txt", nullptr},
        {kPosix, "daten\\fritz.adr", "x.txt", "x.txt", nullptr},
        {kPosix, "/daten/fritz.adr", "a\\b.txt", "/daten/a\\b.txt", "/daten"},
        {kPosix, "/daten/fritz.adr", "D:liste.txt", "/daten/D:liste.txt", "/daten"},
        {kPosix, "fritz.adr", "phonebook.txt", "phonebook.txt", nullptr},
        {kPosix, "/daten/", "x.txt", "/daten/x.txt", "/daten"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveOutputPath(c.input, c.output, c.style), c.resolved)
            << NameOf(c.style) << " " << c.input << " + " << c.output;
        const auto start = c.chooserStart ? std::optional<std::string>(c.chooserStart) : std::nullopt;
        EXPECT_EQ(ChooserStartFolder(c.input, c.output, c.style), start)
            << NameOf(c.style) << " " << c.input << " + " << c.output << ", the chooser";
    }
}

TEST(ResolveOutputPath, UsesThisPlatformsRules)
{
    EXPECT_EQ(ResolveOutputPath("daten/fritz.adr", "x.txt"), "daten/x.txt");
    EXPECT_EQ(ResolveOutputPath("daten\\fritz.adr", "x.txt"),
              kNativePathStyle == kWindows ? "daten\\x.txt" : "x.txt");
}

}  // namespace
