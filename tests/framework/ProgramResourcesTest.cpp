// The program's own compiled resources, read back as the framework reads them.
#include <gtest/gtest.h>

#include "AfxPlatform.h"
#include "Version.h"
#include "afxres.h"
#include "resource.h"
#include "resources/DialogTemplate.h"
#include "resources/IconGroup.h"
#include "resources/ResourceSource.h"
#include "resources/VersionInfo.h"

namespace {

constexpr std::uint32_t kChildVisible = WS_CHILD | WS_VISIBLE;

struct RequiredControl {
    int id;
    std::uint16_t windowClass;
    ResourceName title;  // empty text: any non-empty text (the maker's notice)
    std::int16_t x, y, cx, cy;
    std::uint32_t style;  // beyond WS_CHILD | WS_VISIBLE
};

struct RequiredTemplate {
    int id;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::int16_t cx, cy;
    const char* title;
    std::vector<RequiredControl> controls;
};

// Both dialog templates as the program's windows need them, control by
// control, in template (and tab) order.
TEST(ProgramResources, DialogTemplatesAsRequired)
{
    const auto text = [](const char* value) { return ResourceName::Text(value); };
    const RequiredTemplate templates[] = {
        {IDD_CONVERTER_DIALOG,
         WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
         WS_EX_APPWINDOW, 320, 97, "Zedulo",
         {
             {IDOK, kClassButton, text("OK"), 45, 74, 50, 16, WS_TABSTOP | BS_DEFPUSHBUTTON},
             {IDCANCEL, kClassButton, text("Abbrechen"), 137, 74, 50, 16, WS_TABSTOP},
             {ID_HELP, kClassButton, text("&Hilfe"), 231, 74, 50, 16, WS_TABSTOP},
             {IDC_STATIC, kClassStatic, text("Eingabedatei"), 7, 7, 227, 10, WS_GROUP | SS_LEFT},
             {IDC_EDIT_INPUT, kClassEdit, ResourceName::None(), 7, 18, 227, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
             {IDC_BROWSE_INPUT, kClassButton, text("Browse"), 240, 17, 48, 15, WS_TABSTOP},
             {IDC_STATIC, kClassStatic, text("Ausgabedatei"), 7, 37, 227, 10, WS_GROUP | SS_LEFT},
             {IDC_EDIT_OUTPUT, kClassEdit, ResourceName::None(), 7, 46, 227, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
             {IDC_BROWSE_OUTPUT, kClassButton, text("Browse"), 240, 45, 48, 15, WS_TABSTOP},
         }},
        {IDD_ABOUTBOX, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, 0, 235, 55,
         "Info \xC3\xBC" "ber Zedulo",
         {
             {IDC_STATIC, kClassStatic, ResourceName::Ordinal(IDR_MAINFRAME), 11, 17, 20, 20, SS_ICON},
             {IDC_STATIC, kClassStatic, text("Zedulo Version 1.0"), 40, 10, 119, 8, WS_GROUP | SS_NOPREFIX},
             {IDC_STATIC, kClassStatic, text(""), 40, 25, 188, 8, WS_GROUP},
             {IDOK, kClassButton, text("OK"), 178, 7, 50, 16, WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
         }},
    };
    for (const RequiredTemplate& required : templates) {
        const auto data = AfxProgramResources().FindData(kRtDialog, static_cast<std::uint16_t>(required.id));
        ASSERT_TRUE(data) << required.id;
        const auto dialog = ParseDialogTemplate(*data);
        ASSERT_TRUE(dialog) << required.id;
        EXPECT_TRUE(dialog->extended);
        EXPECT_EQ(dialog->style, required.style) << required.id;
        EXPECT_EQ(dialog->exStyle, required.exStyle) << required.id;
        EXPECT_EQ(dialog->x, 0) << "centred by the framework";
        EXPECT_EQ(dialog->y, 0);
        EXPECT_EQ(dialog->cx, required.cx);
        EXPECT_EQ(dialog->cy, required.cy);
        EXPECT_EQ(dialog->title, required.title);
        EXPECT_EQ(dialog->typeface, "MS Shell Dlg");
        EXPECT_EQ(dialog->pointSize, 8);
        EXPECT_EQ(dialog->menu.kind, ResourceName::Kind::None);
        EXPECT_EQ(dialog->windowClass.kind, ResourceName::Kind::None);

        ASSERT_EQ(dialog->items.size(), required.controls.size()) << required.id;
        for (std::size_t i = 0; i < required.controls.size(); ++i) {
            const DialogItem& item = dialog->items[i];
            const RequiredControl& control = required.controls[i];
            const std::string what = std::to_string(required.id) + ", control " + std::to_string(i + 1);
            EXPECT_EQ(item.id, control.id) << what;
            EXPECT_EQ(item.windowClass, ResourceName::Ordinal(control.windowClass)) << what;
            if (control.title == text("")) {
                EXPECT_FALSE(item.title.text.empty()) << what;
            } else {
                EXPECT_EQ(item.title, control.title) << what;
            }
            EXPECT_EQ(item.x, control.x) << what;
            EXPECT_EQ(item.y, control.y) << what;
            EXPECT_EQ(item.cx, control.cx) << what;
            EXPECT_EQ(item.cy, control.cy) << what;
            EXPECT_EQ(item.style, kChildVisible | control.style) << what;
            EXPECT_EQ(item.exStyle, 0u) << what;
        }
    }
}

TEST(ProgramResources, IconHasNineImagesInOrder)
{
    const auto images = LoadIconGroup(AfxProgramResources(), IDR_MAINFRAME);
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
    auto version = LoadVersionInfo(AfxProgramResources());
    ASSERT_TRUE(version);
    const std::uint16_t expected[4] = {ZEDULO_VERSION_MAJOR, ZEDULO_VERSION_MINOR, ZEDULO_VERSION_PATCH,
                                       ZEDULO_VERSION_BUILD};
    EXPECT_TRUE(std::equal(expected, expected + 4, version->fileVersion));
    EXPECT_TRUE(std::equal(expected, expected + 4, version->productVersion));
    EXPECT_EQ(version->fileFlagsMask, 0x3Fu);
    EXPECT_EQ(version->fileFlags, 0u);
    EXPECT_EQ(version->fileOs, static_cast<std::uint32_t>(VOS__WINDOWS32));
    EXPECT_EQ(version->fileType, static_cast<std::uint32_t>(VFT_APP));
    EXPECT_EQ(version->stringTableKey, "040704e4");
    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", ZEDULO_DESCRIPTION},
        {"FileVersion", ZEDULO_VERSION_TEXT},
        {"InternalName", "Zedulo.exe"},
        {"OriginalFilename", "Zedulo.exe"},
        {"ProductName", ZEDULO_DESCRIPTION},
        {"ProductVersion", ZEDULO_VERSION_TEXT},
    };
    for (const auto& [key, value] : strings)
        EXPECT_EQ(version->strings[key], value) << key;
    EXPECT_NE(version->strings["LegalCopyright"].find("\xC2\xA9"), std::string::npos) << "UTF-8 script read right";
    EXPECT_EQ(version->translations, std::vector<std::uint32_t>{0x04E40407});
}

}  // namespace
