#include <gtest/gtest.h>

#include "FileFilter.h"

namespace {

TEST(FileFilter, MapsWindowsFiltersToToolkitEntries)
{
    const std::string list = BarsToNuls("FritzBox Telefonbuch (*.adr)|*.adr|Alle Dateien (*.*)|*.*||");
    const char expected[] = "FritzBox Telefonbuch (*.adr)\0*.adr\0Alle Dateien (*.*)\0*.*\0";
    EXPECT_EQ(list, std::string(expected, sizeof expected));
    const auto filters = ParseFileFilters(list.c_str());
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(ToolkitNameFilter(filters[0]), "FritzBox Telefonbuch (*.adr)");
    EXPECT_EQ(ToolkitNameFilter(filters[1]), "Alle Dateien (*)");

    const struct {
        const char* description;
        std::vector<std::string> patterns;
        const char* entry;
    } cases[] = {
        {"Text Dateien (*.txt)", {"*.txt"}, "Text Dateien (*.txt)"},
        {"Bilder", {"*.png", "*.jpg"}, "Bilder (*.png *.jpg)"},
        {"Alles", {"*.*"}, "Alles (*)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolkitNameFilter({c.description, c.patterns}), c.entry);

    const auto several = ParseFileFilters(BarsToNuls("Bilder|*.png;*.jpg||").c_str());
    ASSERT_EQ(several.size(), 1u);
    EXPECT_EQ(several[0].patterns, (std::vector<std::string>{"*.png", "*.jpg"}));
    EXPECT_TRUE(ParseFileFilters(nullptr).empty());
    EXPECT_EQ(ParseFileFilters(BarsToNuls("Ohne Muster||").c_str()).size(), 1u);
}

}  // namespace
