// The main dialog as the user meets it: its fields, its messages, its
// buttons and keys, on either platform's windows.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ConverterApp.h"
#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "FileContents.h"
#include "Phonebooks.h"
#include "PlatformDifferences.h"
#include "PlatformFiles.h"
#include "PlatformMessageCases.h"
#include "ShownMessages.h"
#include "TelephoneLocale.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(ConverterDlg, StartsWithEmptyInputAndPhonebookTxtAndFocusOnOk)
{
    CConverterDlg dialog;
    RunDialog(dialog, [](DialogDriver& user) {
        EXPECT_EQ(user.Text(IDC_EDIT_INPUT), "");
        EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "phonebook.txt");
        EXPECT_EQ(user.FocusedId(), IDOK);
        const LRESULT big = user.Dialog().SendMessageA(WM_GETICON, ICON_BIG);
        EXPECT_NE(big, 0) << "the application icon in the title bar";
        EXPECT_EQ(user.Dialog().SendMessageA(WM_GETICON, ICON_SMALL), big) << "and on the task-bar button";
    });
}

// The message of every outcome, as the user reads it, and whether the
// dialog then ends.
TEST(ConverterDlg, ShowsEachMessageInTheRealBox)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), kPhonebook);
    WriteFile(dir.File("kaputt.xml"), kXmlPhonebook.substr(0, 100));
    std::vector<MessageCase> cases = {
        {"", "", Shown(ConversionMessages::kNoInput), IDCANCEL},
        {dir.File("fritz.adr"), "", Shown(ConversionMessages::kNoOutput), IDCANCEL},
        {dir.File("fehlt.adr"), "phonebook.txt", Shown(ConversionMessages::kInputOpenFailed), IDCANCEL},
        {dir.File("fritz.adr"), dir.File("fehlt/x.txt"), Shown(ConversionMessages::kOutputOpenFailed), IDCANCEL},
        {kUnreadableFile, dir.File("mem.txt"), Shown(ConversionMessages::kInputReadFailed), IDCANCEL},
        {dir.File("kaputt.xml"), dir.File("mem.txt"), Shown(ConversionMessages::kInputReadFailed), IDCANCEL},
        {dir.File("fritz.adr"), kFullDevice, Shown(ConversionMessages::kOutputWriteFailed), IDCANCEL},
        {dir.File("fritz.adr"), "phonebook.txt", Shown(ConversionMessages::Converted(2)), IDOK},
    };
    const std::vector<MessageCase> platform = PlatformMessageCases(dir);
    cases.insert(cases.end() - 1, platform.begin(), platform.end());
    for (const auto& c : cases) {
        CConverterDlg dialog;
        const auto start = std::chrono::steady_clock::now();
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, c.input);
            user.Type(IDC_EDIT_OUTPUT, c.output);
            user.Click(IDOK);
        });
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.input;
        ASSERT_EQ(run.messages.size(), 1u) << c.message;
        EXPECT_EQ(run.messages[0].text, c.message);
        EXPECT_EQ(run.messages[0].caption, "Zedulo");
        EXPECT_FALSE(run.messages[0].hasIcon);
        EXPECT_EQ(run.messages[0].buttons, std::vector<std::string>{"OK"});
        EXPECT_EQ(run.messages[0].ownerTitle, "Zedulo");
        EXPECT_EQ(run.result, c.result) << c.message;
    }
    EXPECT_FALSE(fs::exists(dir.File("mem.txt")));
    CheckPlatformMessageCasesLeftNothing(dir);
}

// A pasted line break and what follows it never reach the path, as in a
// single-line edit control; the rest of the field stays.
TEST(ConverterDlg, PastedTextEndsAtItsFirstLineBreak)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), kPhonebook);
    const std::string output = dir.File("out.txt");
    const std::string folder = dir.File("");  // with its closing separator
    const struct {
        std::string field;
        int cursor;  // -1: the whole field selected
        std::string pasted;
        std::string result;
    } cases[] = {
        {"phonebook.txt", -1, output + "\n", output},
        {"phonebook.txt", -1, output + "\r\nzweite Zeile", output},
        {folder + "ou", static_cast<int>(folder.size()) + 1, "u\nt", folder + "ouu"},
        {folder + "o.txt", static_cast<int>(folder.size()) + 1, "ut\r\nx", output},
        {"phonebook.txt", -1, output, output},
    };
    for (const auto& c : cases) {
        CConverterDlg dialog;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
            user.Type(IDC_EDIT_OUTPUT, c.field);
            user.Paste(IDC_EDIT_OUTPUT, c.pasted, c.cursor);
            EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), c.result) << c.pasted;
            if (c.result == output)
                user.Click(IDOK);
        });
        if (c.result == output) {
            EXPECT_EQ(run.result, IDOK) << c.pasted;
            EXPECT_EQ(ReadFile(output), kRecords) << c.pasted;
            fs::remove(output);
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1) << "only the input";
}

TEST(ConverterDlg, ConvertsBesideTheInputAndEnds)
{
    for (const auto& [name, bytes] : {std::pair{"fritz.adr", kPhonebook}, std::pair{"Telefonbuch.xml", kXmlPhonebook}}) {
        TempDir dir;
        WriteFile(dir.File(name), bytes);
        CConverterDlg dialog;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File(name));
            user.Press(IDC_EDIT_INPUT, Key::Enter);  // Enter in a field presses OK
        });
        EXPECT_EQ(run.result, IDOK) << name;
        ASSERT_EQ(run.messages.size(), 1u) << name;
        EXPECT_EQ(run.messages[0].text, Shown(ConversionMessages::Converted(2))) << name;
        EXPECT_EQ(ReadFile(dir.File("phonebook.txt")), kRecords) << name;
    }
}

// The dialog has no setting for the country: it is the platform's, here a
// German system's.
TEST(ConverterDlg, DialsInternationalNumbersFromTheUsersCountry)
{
    const GermanTelephone german;
    TempDir dir;
    WriteFile(dir.File("Telefonbuch.xml"),
              "<phonebooks><phonebook><contact><person><realName>Anna</realName></person><telephony>"
              "<number>+49 170 1234567</number><number>+43 1 234567</number></telephony></contact></phonebook>"
              "</phonebooks>");
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, dir.File("Telefonbuch.xml"));
        user.Click(IDOK);
    });
    EXPECT_EQ(run.result, IDOK);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].text, Shown(ConversionMessages::Converted(2)));
    EXPECT_EQ(ReadFile(dir.File("phonebook.txt")), "0170 1234567;Anna\n0043 1 234567;Anna\n");
}

TEST(ConverterDlg, StaysOpenAfterAFailureAndResolvesAfresh)
{
    TempDir dir;
    fs::create_directory(dir.File("daten"));
    WriteFile(dir.File("daten/fritz.adr"), kPhonebook);
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
        user.Type(IDC_EDIT_OUTPUT, "liste.txt");
        user.Click(IDOK);
        EXPECT_TRUE(user.IsOpen()) << "the dialog stays open";
        EXPECT_EQ(user.Text(IDC_EDIT_INPUT), dir.File("fritz.adr"));
        EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "liste.txt") << "the field keeps what was typed";

        user.Type(IDC_EDIT_INPUT, dir.File("daten/fritz.adr"));
        user.Click(IDOK);
    });
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_EQ(run.messages[0].text, Shown(ConversionMessages::kInputOpenFailed));
    EXPECT_EQ(run.messages[1].text, Shown(ConversionMessages::Converted(2)));
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(ReadFile(dir.File("daten/liste.txt")), kRecords);
    EXPECT_FALSE(fs::exists(dir.File("liste.txt")));
}

// Abbrechen, Esc, the close box, the system menu's Schließen and Alt+F4.
TEST(ConverterDlg, EndsWithoutAFileOnAbbrechenEscAndEveryClose)
{
    const std::function<void(DialogDriver&)> ways[] = {
        [](DialogDriver& user) { user.Click(IDCANCEL); },
        [](DialogDriver& user) { user.Press(IDC_EDIT_INPUT, Key::Escape); },
        [](DialogDriver& user) { user.Close(); },
        [](DialogDriver& user) { user.SystemCommand(SC_CLOSE); },
        [](DialogDriver& user) { user.Press(IDC_EDIT_INPUT, Key::AltF4); },
    };
    for (const auto& way : ways) {
        TempDir dir;
        WriteFile(dir.File("fritz.adr"), kPhonebook);
        CConverterDlg dialog;
        bool wasOpen = false;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
            way(user);
            wasOpen = user.IsOpen();
        });
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_FALSE(wasOpen);
        EXPECT_TRUE(run.messages.empty());
        EXPECT_FALSE(fs::exists(dir.File("phonebook.txt")));
    }
}

TEST(ConverterDlg, HilfeShowsTheHelpPage)
{
    AfxHelpWindowInfo shown;
    CConverterDlg dialog;
    theApp.m_pMainWnd = &dialog;
    RunDialog(dialog, [&](DialogDriver& user) {
        AfxTestHooks::SetHelpWindowHandler([&](const AfxHelpWindowInfo& info) { shown = info; });
        user.Press(IDC_EDIT_INPUT, Key::AltH);
        EXPECT_FALSE(shown.page.empty()) << "Alt+H is Hilfe";
        EXPECT_TRUE(user.IsOpen()) << "help leaves the dialog open";
    });
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(fs::path(shown.page).filename(), "Zedulo.html");
    EXPECT_TRUE(fs::exists(shown.page));
    EXPECT_EQ(shown.ownerTitle, "Zedulo");
    EXPECT_EQ(shown.modal, kModalHelpWindow);
}

TEST(ConverterApp, InitInstanceRunsTheDialogAndReturnsFalse)
{
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_EQ(theApp.m_eHelpType, afxHTMLHelp);
    CWnd* mainWindowWhileOpen = nullptr;
    AfxTestHooks::SetDialogHandler([&](CDialog& shown) {
        mainWindowWhileOpen = theApp.m_pMainWnd;
        shown.SendMessageA(WM_COMMAND, IDCANCEL);
    });
    EXPECT_FALSE(theApp.InitInstance());
    AfxTestHooks::Reset();
    EXPECT_NE(mainWindowWhileOpen, nullptr);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

}  // namespace
