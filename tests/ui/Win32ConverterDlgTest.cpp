// The main dialog with what only Windows has: devices by their old names,
// file names beyond the 8-bit code page.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "FileContents.h"
#include "PlatformMessageCases.h"
#include "ShownMessages.h"

namespace fs = std::filesystem;

std::vector<MessageCase> PlatformMessageCases(const TempDir& dir)
{
    // A name no 8-bit code page holds, in the folder and the file.
    fs::create_directory(fs::u8path(dir.File("\xC5\x81" "ukasz")));
    WriteFile(dir.File("\xC5\x81" "ukasz/\xC5\x81\xC3\xB3" "d\xC5\xBA.adr"), "Anna;0301\r\n");
    return {
        // A device is no phonebook, and the dialog does not wait for one.
        {"NUL", dir.File("nul.txt"), Shown(ConversionMessages::kInputOpenFailed), IDCANCEL},
        {"CON", dir.File("con.txt"), Shown(ConversionMessages::kInputOpenFailed), IDCANCEL},
        {dir.File("\xC5\x81" "ukasz/\xC5\x81\xC3\xB3" "d\xC5\xBA.adr"), dir.File("ordner-fehlt\\x.txt"),
         Shown(ConversionMessages::kOutputOpenFailed), IDCANCEL},
    };
}

void CheckPlatformMessageCasesLeftNothing(const TempDir& dir)
{
    EXPECT_FALSE(fs::exists(dir.File("nul.txt")));
    EXPECT_FALSE(fs::exists(dir.File("con.txt")));
}

namespace {

// Every name Windows allows: the dialog hands the paths on as UTF-8, and
// the files are opened by their UTF-16 names.
TEST(Win32ConverterDlg, ConvertsFilesWithNamesBeyondTheCodePage)
{
    TempDir dir;
    const std::string folder = dir.File("\xC5\x81" "ukasz");
    fs::create_directory(fs::u8path(folder));
    WriteFile(folder + "\\fritz \xE2\x82\xAC.adr", "M\xFCller;0301\r\n");
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, folder + "\\fritz \xE2\x82\xAC.adr");
        user.Type(IDC_EDIT_OUTPUT, "\xC5\x81\xC3\xB3" "d\xC5\xBA.txt");
        user.Click(IDOK);
    });
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].text, Shown(ConversionMessages::Converted(1)));
    EXPECT_EQ(ReadFile(folder + "\\\xC5\x81\xC3\xB3" "d\xC5\xBA.txt"), "0301;M\xFCller\n");
    EXPECT_FALSE(fs::exists(fs::u8path(folder + "\\Lodz.txt")));
}

// The system menu is the platform's own; the dialog adds the About entry.
TEST(Win32ConverterDlg, SystemMenuEndsWithTheAboutEntry)
{
    CConverterDlg dialog;
    RunDialog(dialog, [&](DialogDriver&) {
        HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
        ASSERT_TRUE(menu);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 3);
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, count - 2, TRUE, &separator);
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
        wchar_t text[64] = {};
        GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), L"&Info \u00FCber Zedulo...");
        EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    });
}

}  // namespace
