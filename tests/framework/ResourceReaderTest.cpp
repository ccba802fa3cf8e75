#include <gtest/gtest.h>

#include "ResBytes.h"
#include "resources/DialogTemplate.h"
#include "resources/IconGroup.h"
#include "resources/ResourceFile.h"
#include "resources/StringTable.h"
#include "resources/VersionInfo.h"

namespace {

constexpr std::uint32_t kChildVisible = 0x50000000;

// An extended template: font block, an item with an ordinal class and a
// 32-bit identifier, an item with a class named by text, an icon reference
// as title, creation data, and odd-length texts that need padding.
std::vector<std::uint8_t> ExtendedTemplate()
{
    ResBytes b;
    b.U16(1).U16(0xFFFF).U32(7).U32(0x40000).U32(0x80C800C0 | 0x40);  // version, signature, help, ex, style
    b.U16(3).U16(0).U16(0).U16(320).U16(97);                             // items, x, y, cx, cy
    b.U16(0).U16(0).Text("Zedulo");                                      // no menu, no class, title
    b.U16(8).U16(400).U8(1).U8(1).Text("MS Shell Dlg");                  // font
    b.Align4().U32(0).U32(0).U32(kChildVisible | 0x10001).U16(45).U16(74).U16(50).U16(16).U32(0x12345);
    b.Ordinal(0x80).Text("OK").U16(0);
    b.Align4().U32(9).U32(0x200).U32(kChildVisible).U16(1).U16(2).U16(3).U16(4).U32(1000);
    b.Text("SysLink").Text("abc").U16(2).U8(0xAB).U8(0xCD);
    b.Align4().U32(0).U32(0).U32(kChildVisible | 3).U16(11).U16(17).U16(20).U16(20).U32(0xFFFFFFFF);
    b.Ordinal(0x82).Ordinal(128).U16(0);
    return b.Get();
}

// A classic template: the font block holds only size and face, identifiers
// have 16 bits.
std::vector<std::uint8_t> ClassicTemplate()
{
    ResBytes b;
    b.U32(0x80C80040).U32(0).U16(1).U16(5).U16(6).U16(100).U16(50);
    b.U16(0).U16(0).Text("Alt");
    b.U16(9).Text("Tahoma");
    b.Align4().U32(kChildVisible).U32(0).U16(1).U16(2).U16(3).U16(4).U16(0xFFFF);
    b.Ordinal(0x82).Text("&Name").U16(0);
    return b.Get();
}

// Both forms, the template's own fields and the last item's (after every
// padding and item before it).
TEST(DialogTemplateReader, ReadsBothForms)
{
    const struct {
        std::vector<std::uint8_t> bytes;
        bool extended;
        std::uint32_t style, exStyle;
        std::int16_t x, cx, cy;
        const char* title;
        std::uint16_t pointSize;
        const char* typeface;
        ResourceName lastTitle;
        std::size_t items;
    } cases[] = {
        {ExtendedTemplate(), true, 0x80C800C0 | 0x40, 0x40000, 0, 320, 97, "Zedulo", 8, "MS Shell Dlg",
         ResourceName::Ordinal(128), 3},
        {ClassicTemplate(), false, 0x80C80040, 0, 5, 100, 50, "Alt", 9, "Tahoma", ResourceName::Text("&Name"), 1},
    };
    for (const auto& c : cases) {
        const auto dialog = ParseDialogTemplate(c.bytes);
        ASSERT_TRUE(dialog) << c.title;
        EXPECT_EQ(dialog->extended, c.extended) << c.title;
        EXPECT_EQ(dialog->style, c.style) << c.title;
        EXPECT_EQ(dialog->exStyle, c.exStyle) << c.title;
        EXPECT_EQ(dialog->x, c.x) << c.title;
        EXPECT_EQ(dialog->cx, c.cx) << c.title;
        EXPECT_EQ(dialog->cy, c.cy) << c.title;
        EXPECT_EQ(dialog->title, c.title);
        EXPECT_EQ(dialog->pointSize, c.pointSize) << c.title;
        EXPECT_EQ(dialog->typeface, c.typeface) << c.title;
        ASSERT_EQ(dialog->items.size(), c.items) << c.title;
        EXPECT_EQ(dialog->items.back().id, -1) << c.title;
        EXPECT_EQ(dialog->items.back().title, c.lastTitle) << c.title;
    }
}

// The extended form's items: 32-bit identifiers, a class named by text.
TEST(DialogTemplateReader, ReadsExtendedItems)
{
    const auto dialog = ParseDialogTemplate(ExtendedTemplate());
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->items.size(), 3u);
    EXPECT_EQ(dialog->items[0].id, 0x12345);
    EXPECT_EQ(dialog->items[0].windowClass, ResourceName::Ordinal(0x80));
    EXPECT_EQ(dialog->items[0].title, ResourceName::Text("OK"));
    EXPECT_EQ(dialog->items[0].style, kChildVisible | 0x10001);
    EXPECT_EQ(dialog->items[0].x, 45);
    EXPECT_EQ(dialog->items[1].exStyle, 0x200u);
    EXPECT_EQ(dialog->items[1].windowClass, ResourceName::Text("SysLink"));
}

// A CONTROL statement names its class; the predefined ones are the same
// classes as their ordinals.
TEST(DialogTemplateReader, ReadsPredefinedClassNamesAsOrdinals)
{
    const struct {
        const char* name;
        ResourceName windowClass;
    } cases[] = {
        {"Button", ResourceName::Ordinal(0x80)}, {"EDIT", ResourceName::Ordinal(0x81)},
        {"Static", ResourceName::Ordinal(0x82)}, {"static", ResourceName::Ordinal(0x82)},
        {"ComboBox", ResourceName::Ordinal(0x85)}, {"SysLink", ResourceName::Text("SysLink")},
        {"Statics", ResourceName::Text("Statics")},
    };
    for (const auto& c : cases) {
        const auto bytes = SmallDialogTemplate(0, 0, 0, {{c.name, "", 1, 0, 0, 10, 10, 0}});
        const auto dialog = ParseDialogTemplate(bytes);
        ASSERT_TRUE(dialog) << c.name;
        ASSERT_EQ(dialog->items.size(), 1u);
        EXPECT_EQ(dialog->items[0].windowClass, c.windowClass) << c.name;
    }
}

TEST(DialogTemplateReader, RefusesEveryTruncation)
{
    for (const auto& bytes : {ExtendedTemplate(), ClassicTemplate()}) {
        for (std::size_t length = 0; length < bytes.size(); ++length)
            EXPECT_FALSE(ParseDialogTemplate({bytes.data(), length})) << "cut at " << length;
    }
}

// A .res image: the empty marker entry, then entries with the given data.
struct Entry {
    ResBytes typeAndName;
    std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> ResImage(const std::vector<Entry>& entries, std::vector<std::size_t>* boundaries = nullptr)
{
    ResBytes b;
    b.U32(0).U32(32).Ordinal(0).Ordinal(0).U32(0).U16(0).U16(0).U32(0).U32(0);
    for (const Entry& entry : entries) {
        if (boundaries)
            boundaries->push_back(b.Size());
        ResBytes header;
        header.Bytes(entry.typeAndName.Get()).Align4().U32(0).U16(0x30).U16(0x0407).U32(0).U32(0);
        b.U32(static_cast<std::uint32_t>(entry.data.size())).U32(static_cast<std::uint32_t>(header.Size() + 8));
        b.Bytes(header.Get()).Bytes(entry.data).Align4();
    }
    if (boundaries)
        boundaries->push_back(b.Size());
    return b.Get();
}

std::vector<std::uint8_t> StringBlock()
{
    ResBytes b;
    for (int i = 0; i < 16; ++i) {
        if (i == 5)
            b.U16(4).U16('I').U16(0xFC).U16('b').U16('!');  // "Iüb!"
        else
            b.U16(0);
    }
    return b.Get();
}

TEST(ResourceFileReader, ListsEntriesWithOrdinalAndTextNames)
{
    std::vector<std::size_t> boundaries;
    const auto image = ResImage({{ResBytes().Ordinal(kRtString).Ordinal(7), StringBlock()},
                                 {ResBytes().Text("CUSTOM").Text("NAME1"), {1, 2, 3}},
                                 {ResBytes().Ordinal(kRtDialog).Ordinal(102), ExtendedTemplate()}},
                                &boundaries);
    const auto file = ResourceFile::Parse(image);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Entries().size(), 3u);
    EXPECT_EQ(file->Entries()[1].type, ResourceName::Text("CUSTOM"));
    EXPECT_EQ(file->Entries()[1].name, ResourceName::Text("NAME1"));
    EXPECT_EQ(file->Entries()[1].data.size(), 3u);
    EXPECT_EQ(file->Entries()[0].language, 0x0407);
    ASSERT_TRUE(file->Find(kRtDialog, 102));
    EXPECT_TRUE(ParseDialogTemplate(file->Find(kRtDialog, 102)->data));
    EXPECT_EQ(file->Find(kRtDialog, 103), nullptr);

    // Strings 96..111 live in block 7; string 101 is the sixth.
    EXPECT_EQ(LoadResourceString(*file, 101), "I\xC3\xBC" "b!");
    EXPECT_EQ(LoadResourceString(*file, 100), std::nullopt);
    EXPECT_EQ(LoadResourceString(*file, 5), std::nullopt);

    // Cut anywhere but between entries, the image is refused.
    for (std::size_t length = 1; length < image.size(); ++length) {
        const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
        EXPECT_EQ(ResourceFile::Parse({image.data(), length}).has_value(), atBoundary) << "cut at " << length;
    }
}

// A 2 x 2 icon image: header, palette, colour rows bottom-up, mask rows.
std::vector<std::uint8_t> IconBitmap(int bitCount)
{
    ResBytes b;
    const int colours = bitCount <= 8 ? 1 << bitCount : 0;
    b.U32(40).U32(2).U32(4).U16(1).U16(static_cast<std::uint16_t>(bitCount)).U32(0).U32(0).U32(0).U32(0);
    b.U32(bitCount == 4 ? 16 : 0).U32(0);
    for (int i = 0; i < colours; ++i)
        b.U32(i == 1 ? 0x00FF0000 : i == 2 ? 0x000000FF : 0);  // 1 red, 2 blue
    // Bottom row: red, blue; top row: blue, red (top-left transparent by mask).
    if (bitCount == 4) {
        b.U8(0x12).U8(0).U8(0).U8(0);
        b.U8(0x21).U8(0).U8(0).U8(0);
    } else if (bitCount == 8) {
        b.U8(1).U8(2).U8(0).U8(0);
        b.U8(2).U8(1).U8(0).U8(0);
    } else {
        b.U8(0).U8(0).U8(0xFF).U8(0xFF).U8(0).U8(0).U8(0).U8(0);
        b.U8(0xFF).U8(0).U8(0).U8(0).U8(0).U8(0xFF).U8(0).U8(0);
    }
    b.U32(0x00000000);  // bottom mask row: both opaque
    b.U32(0x00000080);  // top mask row: left pixel transparent
    return b.Get();
}

TEST(IconReader, DecodesEveryDepthTopRowFirst)
{
    for (int bitCount : {4, 8, 24}) {
        const auto bytes = IconBitmap(bitCount);
        const auto image = DecodeIconImage(bytes);
        ASSERT_TRUE(image) << bitCount;
        EXPECT_EQ(image->width, 2);
        EXPECT_EQ(image->height, 2);
        EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0x00000000, 0xFFFF0000, 0xFFFF0000, 0xFF0000FF}))
            << bitCount << " bits";
        for (std::size_t length = 0; length < bytes.size(); ++length)
            EXPECT_FALSE(DecodeIconImage({bytes.data(), length})) << bitCount << " bits cut at " << length;
    }
}

}  // namespace
