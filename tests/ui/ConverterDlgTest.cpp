#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "ConverterApp.h"
#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kPhonebook = "Name;Nummer\r\nM\xFCller;0301\r\nBob;+49\r\nCarl;0402;x\r\n";
const std::string kRecords = "0301;M\xFCller\n0402;Carl\n";

TEST(ConverterDlg, StartsWithEmptyInputAndPhonebookTxtAndFocusOnOk)
{
    CConverterDlg dialog;
    RunDialog(dialog, [](DialogDriver& user) {
        EXPECT_EQ(user.Text(IDC_EDIT_INPUT), "");
        EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "phonebook.txt");
        EXPECT_EQ(user.Window().focusWidget(), user.Control(IDOK));
        EXPECT_FALSE(user.Window().windowIcon().isNull());
        EXPECT_EQ(user.Window().windowIcon().availableSizes().size(), 3) << "48, 32 and 16 pixels";
    });
}

// The message of every outcome, as the user reads it, and whether the
// dialog then ends.
TEST(ConverterDlg, ShowsEachMessageInTheRealBox)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), kPhonebook);
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const struct {
        std::string input;
        std::string output;
        std::string message;
        INT_PTR result;
    } cases[] = {
        {"", "", "Keine Eingabedatei angegeben", IDCANCEL},
        {dir.File("fritz.adr"), "", "Keine Ausgabedatei angegeben", IDCANCEL},
        {dir.File("fehlt.adr"), "phonebook.txt", "Kann Eingabedatei nicht \xC3\xB6" "ffnen", IDCANCEL},
        {dir.File("fritz.adr"), dir.File("fehlt/x.txt"), "Kann Ausgabedatei nicht \xC3\xB6" "ffnen", IDCANCEL},
        {"/proc/self/mem", dir.File("mem.txt"), "Kann Eingabedatei nicht lesen", IDCANCEL},
        // Neither may hold the dialog: a FIFO waits for a writer, /dev/zero never ends.
        {dir.File("fifo"), "phonebook.txt", "Kann Eingabedatei nicht \xC3\xB6" "ffnen", IDCANCEL},
        {"/dev/zero", dir.File("null.txt"), "Kann Eingabedatei nicht \xC3\xB6" "ffnen", IDCANCEL},
        {dir.File("fritz.adr"), "/dev/full", "Kann Ausgabedatei nicht schreiben", IDCANCEL},
        {dir.File("fritz.adr"), "phonebook.txt", "2 Eintr\xC3\xA4ge konvertiert", IDOK},
    };
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
    EXPECT_FALSE(fs::exists(dir.File("null.txt")));
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
}

// A pasted line break and what follows it never reach the path, as in a
// single-line edit control; the rest of the field stays.
TEST(ConverterDlg, PastedTextEndsAtItsFirstLineBreak)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), kPhonebook);
    const std::string output = dir.File("out.txt");
    const struct {
        std::string field;
        int cursor;  // -1: the whole field selected, as after a click into it with Ctrl+A
        std::string pasted;
        std::string result;
    } cases[] = {
        {"phonebook.txt", -1, output + "\n", output},
        {"phonebook.txt", -1, output + "\r\nzweite Zeile", output},
        {"phonebook.txt", -1, output + "\rzweite Zeile", output},
        {dir.File("ou"), static_cast<int>(dir.File("o").size()), "u\nt", dir.File("ouu")},
        {dir.File("o.txt"), static_cast<int>(dir.File("o").size()), "ut\nx", output},
        {"phonebook.txt", -1, output, output},
    };
    for (const auto& c : cases) {
        CConverterDlg dialog;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
            user.Type(IDC_EDIT_OUTPUT, c.field);
            QLineEdit* edit = user.Edit(IDC_EDIT_OUTPUT);
            edit->setFocus();
            if (c.cursor < 0)
                edit->selectAll();
            else
                edit->setCursorPosition(c.cursor);
            QGuiApplication::clipboard()->setText(QString::fromStdString(c.pasted));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
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

// A FIFO as output whose reader goes away midway: a failed write, reported,
// and the dialog stays.
TEST(ConverterDlg, ReportsAFifoWhoseReaderWentAway)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), NumberedPhonebook(30000));
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const int reader = open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_NE(reader, -1);
    // Once the converter has filled the pipe and waits, the reader leaves.
    std::thread leaving([reader] {
        int queued = 0;
        while (ioctl(reader, FIONREAD, &queued) == 0 && queued < 4096)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        close(reader);
    });
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
        user.Type(IDC_EDIT_OUTPUT, dir.File("fifo"));
        user.Click(IDOK);
        EXPECT_TRUE(user.Window().isVisible());
    });
    leaving.join();
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].text, "Kann Ausgabedatei nicht schreiben");
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(ConverterDlg, ConvertsBesideTheInputAndEnds)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), kPhonebook);
    CConverterDlg dialog;
    const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
        user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
        user.Edit(IDC_EDIT_INPUT)->setFocus();
        QTest::keyClick(user.Edit(IDC_EDIT_INPUT), Qt::Key_Return);  // Enter in a field presses OK
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(ReadFile(dir.File("phonebook.txt")), kRecords);
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
        EXPECT_TRUE(user.Window().isVisible()) << "the dialog stays open";
        EXPECT_EQ(user.Text(IDC_EDIT_INPUT), dir.File("fritz.adr"));
        EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "liste.txt") << "the field keeps what was typed";

        user.Type(IDC_EDIT_INPUT, dir.File("daten/fritz.adr"));
        user.Click(IDOK);
    });
    ASSERT_EQ(run.messages.size(), 2u);
    EXPECT_EQ(run.messages[0].text, "Kann Eingabedatei nicht \xC3\xB6" "ffnen");
    EXPECT_EQ(run.messages[1].text, "2 Eintr\xC3\xA4ge konvertiert");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(ReadFile(dir.File("daten/liste.txt")), kRecords);
    EXPECT_FALSE(fs::exists(dir.File("liste.txt")));
}

TEST(ConverterDlg, EndsWithoutAFileOnAbbrechenEscAndClose)
{
    const std::function<void(DialogDriver&)> ways[] = {
        [](DialogDriver& user) { user.Click(IDCANCEL); },
        [](DialogDriver& user) { QTest::keyClick(user.Edit(IDC_EDIT_INPUT), Qt::Key_Escape); },
        [](DialogDriver& user) { user.Window().close(); },
    };
    for (const auto& way : ways) {
        TempDir dir;
        WriteFile(dir.File("fritz.adr"), kPhonebook);
        CConverterDlg dialog;
        bool wasOpen = false;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
            way(user);
            wasOpen = user.Window().isVisible();
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
        // Mnemonics work in the active window, as the user's is.
        user.Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&user.Window()));
        QTest::keyClick(user.Edit(IDC_EDIT_INPUT), Qt::Key_H, Qt::AltModifier);
        // The toolkit presses a button by its mnemonic with a short animation.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.page.empty(); }, 2000));
        EXPECT_TRUE(user.Window().isVisible()) << "help leaves the dialog open";
    });
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(fs::path(shown.page).filename(), "Zedulo.html");
    EXPECT_TRUE(fs::exists(shown.page));
    EXPECT_EQ(shown.ownerTitle, "Zedulo");
    EXPECT_TRUE(shown.modal);
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
