// The program's own compiled resources, read back as the framework reads them.
#include <gtest/gtest.h>

#include "AfxResources.h"
#include "Version.h"
#include "afxres.h"
#include "resource.h"
#include "resources/DialogTemplate.h"
#include "resources/IconGroup.h"
#include "resources/ResourceFile.h"
#include "resources/VersionInfo.h"

namespace {

constexpr std::uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;

TEST(ProgramResources, AreAllGermanWithoutManifest)
{
    const ResourceFile& resources = AfxResources();
    ASSERT_FALSE(resources.Entries().empty());
    for (const ResourceEntry& entry : resources.Entries()) {
        EXPECT_EQ(entry.language, 0x0407);
        EXPECT_FALSE(entry.type.IsOrdinal(24)) << "no manifest";
    }
}

TEST(ProgramResources, MainDialogTemplate)
{
    const ResourceEntry* entry = AfxResources().Find(kRtDialog, IDD_CONVERTER_DIALOG);
    ASSERT_TRUE(entry);
    const auto dialog = ParseDialogTemplate(entry->data);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->style, static_cast<std::uint32_t>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                                         DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS));
    EXPECT_EQ(dialog->exStyle, static_cast<std::uint32_t>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog->x, 0);
    EXPECT_EQ(dialog->y, 0);
    EXPECT_EQ(dialog->cx, 320);
    EXPECT_EQ(dialog->cy, 97);
    EXPECT_EQ(dialog->title, "Zedulo");
    EXPECT_EQ(dialog->typeface, "MS Shell Dlg");
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->charset, 1) << "default character set";
    EXPECT_EQ(dialog->menu.kind, ResourceName::Kind::None);
    EXPECT_EQ(dialog->windowClass.kind, ResourceName::Kind::None);

    const struct {
        int id;
        std::uint16_t windowClass;
        const char* text;
        std::int16_t x, y, cx, cy;
        std::uint32_t style;
    } controls[] = {
        {IDOK, kClassButton, "OK", 45, 74, 50, 16, WS_TABSTOP | BS_DEFPUSHBUTTON},
        {IDCANCEL, kClassButton, "Abbrechen", 137, 74, 50, 16, WS_TABSTOP},
        {ID_HELP, kClassButton, "&Hilfe", 231, 74, 50, 16, WS_TABSTOP},
        {IDC_STATIC, kClassStatic, "Eingabedatei", 7, 7, 227, 10, WS_GROUP | SS_LEFT},
        {IDC_EDIT_INPUT, kClassEdit, "", 7, 18, 227, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {IDC_BROWSE_INPUT, kClassButton, "Browse", 240, 17, 48, 15, WS_TABSTOP},
        {IDC_STATIC, kClassStatic, "Ausgabedatei", 7, 37, 227, 10, WS_GROUP | SS_LEFT},
        {IDC_EDIT_OUTPUT, kClassEdit, "", 7, 46, 227, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {IDC_BROWSE_OUTPUT, kClassButton, "Browse", 240, 45, 48, 15, WS_TABSTOP},
    };
    ASSERT_EQ(dialog->items.size(), std::size(controls));
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const DialogItem& item = dialog->items[i];
        EXPECT_EQ(item.id, controls[i].id) << i;
        EXPECT_EQ(item.windowClass, ResourceName::Ordinal(controls[i].windowClass)) << i;
        EXPECT_EQ(item.title.kind == ResourceName::Kind::Text ? item.title.text : "", controls[i].text) << i;
        EXPECT_EQ(item.x, controls[i].x) << i;
        EXPECT_EQ(item.y, controls[i].y) << i;
        EXPECT_EQ(item.cx, controls[i].cx) << i;
        EXPECT_EQ(item.cy, controls[i].cy) << i;
        EXPECT_EQ(item.style, kChildVisible | controls[i].style) << controls[i].text;
        EXPECT_EQ(item.exStyle, 0u) << i;
    }
}

TEST(ProgramResources, IconHasNineImagesInOrder)
{
    const auto images = LoadIconGroup(AfxResources(), IDR_MAINFRAME);
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 9u);
    const int sizes[] = {48, 32, 16};
    const int depths[] = {4, 8, 24};
    for (std::size_t i = 0; i < 9; ++i) {
        const IconImage& image = (*images)[i];
        EXPECT_EQ(image.width, sizes[i % 3]) << i;
        EXPECT_EQ(image.height, sizes[i % 3]) << i;
        EXPECT_EQ(image.bitCount, depths[i / 3]) << i;
        // A picture with a transparent surround and an opaque middle.
        EXPECT_EQ(image.pixels.front() >> 24, 0u) << i;
        EXPECT_EQ(image.pixels[static_cast<std::size_t>(image.height / 2 * image.width + image.width / 2)] >> 24, 0xFFu) << i;
    }
}

TEST(ProgramResources, VersionBlock)
{
    auto version = LoadVersionInfo(AfxResources());
    ASSERT_TRUE(version);
    const std::uint16_t expected[4] = {ZEDULO_VERSION_MAJOR, ZEDULO_VERSION_MINOR, ZEDULO_VERSION_PATCH,
                                       ZEDULO_VERSION_BUILD};
    EXPECT_TRUE(std::equal(expected, expected + 4, version->fileVersion));
    EXPECT_TRUE(std::equal(expected, expected + 4, version->productVersion));
    EXPECT_EQ(version->fileVersion[3], 2);
    EXPECT_EQ(version->fileFlagsMask, 0x3Fu);
    EXPECT_EQ(version->fileFlags, 0u);
    EXPECT_EQ(version->fileOs, static_cast<std::uint32_t>(VOS__WINDOWS32));
    EXPECT_EQ(version->fileType, static_cast<std::uint32_t>(VFT_APP));
    EXPECT_EQ(version->stringTableKey, "040704e4");
    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "klingeo Telefonbuch Konverter"},
        {"FileVersion", "1.0.0.2"},
        {"InternalName", "Zedulo.exe"},
        {"OriginalFilename", "Zedulo.exe"},
        {"ProductName", "klingeo Telefonbuch Konverter"},
        {"ProductVersion", "1.0.0.2"},
    };
    for (const auto& [key, value] : strings)
        EXPECT_EQ(version->strings[key], value) << key;
    EXPECT_NE(version->strings["LegalCopyright"].find("\xC2\xA9"), std::string::npos) << "UTF-8 script read right";
    EXPECT_EQ(version->translations, std::vector<std::uint32_t>{0x04E40407});
}

}  // namespace
