// Message boxes, file choosers and the help window, built for real and
// described to the test hooks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "AfxPlatform.h"
#include "AfxTexts.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CWinApp.h"
#include "DialogDriver.h"
#include "FileContents.h"
#include "PathText.h"
#include "PlatformDifferences.h"
#include "TempDir.h"
#include "TestHooks.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {


// Runs body while a dialog on the main template is open, as its owner.
void WithOpenDialog(const std::function<void(CDialog&)>& body)
{
    CDialog dialog(IDD_CONVERTER_DIALOG);
    RunDialog(dialog, [&](DialogDriver&) { body(dialog); });
}

TEST(MessageBoxes, IsOwnedModalCaptionedWithTheAppNameWithoutIcon)
{
    AfxMessageBoxInfo shown;
    int result = 0;
    WithOpenDialog([&](CDialog& dialog) {
        AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
            shown = info;
            return IDOK;
        });
        result = dialog.MessageBoxA("Datei nicht ge\xC3\xB6" "ffnet");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown.caption, "Zedulo");
    EXPECT_EQ(shown.text, "Datei nicht ge\xC3\xB6" "ffnet");
    EXPECT_FALSE(shown.hasIcon);
    EXPECT_EQ(shown.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(shown.ownerTitle, "Zedulo");
    EXPECT_TRUE(shown.modal);
}

TEST(MessageBoxes, ShowsTextLiterally)
{
    AfxMessageBoxInfo shown;
    WithOpenDialog([&](CDialog& dialog) {
        AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
            shown = info;
            return IDOK;
        });
        dialog.MessageBoxA("<b>A & B</b>", "Eigene \xC3\x9C" "berschrift");
    });
    EXPECT_EQ(shown.text, "<b>A & B</b>");
    EXPECT_EQ(shown.caption, "Eigene \xC3\x9C" "berschrift");
}

std::string WithoutMnemonic(std::string label)
{
    label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
    return label;
}

const char kInputFilter[] = "FritzBox Telefonbuch (*.adr)|*.adr|Alle Dateien (*.*)|*.*||";
const char kOutputFilter[] = "Text Dateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*||";

TEST(FileChooser, MapsTheSettingsOfAnOpenChooser)
{
    TempDir dir;
    AfxFileChooserInfo shown;
    INT_PTR result = 0;
    CString chosen;
    WithOpenDialog([&](CDialog& dialog) {
        CFileDialog chooser(TRUE, "adr", dir.File("fritz.adr").c_str(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                            kInputFilter, &dialog);
        chooser.GetOFN().lpstrTitle = "Eingabedatei (FritzBox Telefonbuch)";
        AfxTestHooks::SetFileChooserHandler([&](const AfxFileChooserInfo& info) {
            shown = info;
            return std::optional<std::string>(dir.File("gew\xC3\xA4hlt.adr"));
        });
        result = chooser.DoModal();
        chosen = chooser.GetPathName();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(chosen, dir.File("gew\xC3\xA4hlt.adr").c_str());
    EXPECT_FALSE(shown.saveMode);
    EXPECT_EQ(shown.nativeDialog, kNativeChoosers);
    EXPECT_EQ(shown.title, "Eingabedatei (FritzBox Telefonbuch)");
    EXPECT_EQ(shown.nameFilters, (std::vector<std::string>{"FritzBox Telefonbuch (*.adr)", kAllFilesFilter}));
    EXPECT_EQ(shown.selectedNameFilter, "FritzBox Telefonbuch (*.adr)");
    EXPECT_EQ(shown.defaultSuffix, "adr");
    EXPECT_EQ(WithoutMnemonic(shown.acceptLabel), "\xC3\x96" "ffnen") << "the chooser speaks German";
    EXPECT_EQ(shown.directory, dir.Path().string());
    EXPECT_EQ(shown.selectedFile, dir.File("fritz.adr"));
    EXPECT_TRUE(shown.existingFilesOnly);
    EXPECT_FALSE(shown.confirmOverwrite);
    EXPECT_EQ(shown.ownerTitle, "Zedulo");
    EXPECT_TRUE(shown.modal);
}

TEST(FileChooser, MapsTheSettingsOfASaveChooser)
{
    TempDir dir;
    AfxFileChooserInfo shown;
    WithOpenDialog([&](CDialog& dialog) {
        CFileDialog chooser(FALSE, "txt", "phonebook.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                            kOutputFilter, &dialog);
        const std::string folder = dir.Path().string();
        chooser.GetOFN().lpstrTitle = "Ausgabedatei (klingeo Telefonbuchdatei)";
        chooser.GetOFN().lpstrInitialDir = folder.c_str();
        AfxTestHooks::SetFileChooserHandler([&](const AfxFileChooserInfo& info) {
            shown = info;
            return std::nullopt;
        });
        EXPECT_EQ(chooser.DoModal(), IDCANCEL);
        EXPECT_TRUE(chooser.GetPathName().IsEmpty());
    });
    EXPECT_TRUE(shown.saveMode);
    EXPECT_EQ(shown.title, "Ausgabedatei (klingeo Telefonbuchdatei)");
    EXPECT_EQ(shown.nameFilters, (std::vector<std::string>{"Text Dateien (*.txt)", kAllFilesFilter}));
    EXPECT_EQ(shown.defaultSuffix, "txt");
    EXPECT_EQ(WithoutMnemonic(shown.acceptLabel), "Speichern") << "the chooser speaks German";
    EXPECT_EQ(shown.directory, dir.Path().string());
    EXPECT_EQ(shown.selectedFile, dir.File("phonebook.txt"));
    EXPECT_FALSE(shown.existingFilesOnly);
    EXPECT_TRUE(shown.confirmOverwrite);
}

// The settings record holds 4,096 bytes of path; a longer choice is no
// choice, and must not overrun it.
TEST(FileChooser, TakesAPathTooLongForTheRecordAsACancel)
{
    const struct {
        std::size_t length;
        INT_PTR result;
    } cases[] = {{4095, IDOK}, {4096, IDCANCEL}, {5000, IDCANCEL}};
    for (const auto& c : cases) {
        const std::string path = "/" + std::string(c.length - 1, 'x');
        INT_PTR result = 0;
        CString chosen;
        WithOpenDialog([&](CDialog& dialog) {
            CFileDialog chooser(TRUE, "adr", "fritz.adr", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kInputFilter, &dialog);
            AfxTestHooks::SetFileChooserHandler([&](const AfxFileChooserInfo&) { return std::optional(path); });
            result = chooser.DoModal();
            chosen = chooser.GetPathName();
            EXPECT_EQ(chooser.GetOFN().lpstrFile, std::string(c.result == IDOK ? path : "fritz.adr")) << c.length;
        });
        EXPECT_EQ(result, c.result) << c.length;
        EXPECT_EQ(static_cast<int>(chosen.Str().size()), c.result == IDOK ? static_cast<int>(c.length) : 0) << c.length;
    }
}

// Both cases in one test: the page beside the test program is shared by
// every test of this program, which may run at the same time.
TEST(Help, ShowsThePageOrSaysWhichIsMissing)
{
    const std::string folder = AfxFindHelpPage("Zedulo.html").folders.front();
    const std::string path = TextOf(PathOf(folder) / "Zedulo.html");
    std::optional<AfxHelpWindowInfo> shown;
    std::optional<AfxMessageBoxInfo> message;
    const auto askForHelp = [&] {
        shown.reset();
        message.reset();
        WithOpenDialog([&](CDialog& dialog) {
            AfxGetApp()->m_pMainWnd = &dialog;
            AfxTestHooks::SetHelpWindowHandler([&](const AfxHelpWindowInfo& info) { shown = info; });
            AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
                message = info;
                return IDOK;
            });
            AfxGetApp()->OnHelp();
            AfxGetApp()->m_pMainWnd = nullptr;
        });
    };

    WriteFile(path, "<html><body><h1>Hilfe</h1></body></html>");
    askForHelp();
    fs::remove(path);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(message);
    EXPECT_EQ(shown->page, path);
    EXPECT_EQ(shown->title, std::string("Zedulo") + kAfxHelpTitleSuffix);
    EXPECT_EQ(shown->ownerTitle, "Zedulo") << "owned by the main window";
    EXPECT_EQ(shown->modal, kModalHelpWindow);

    askForHelp();
    EXPECT_FALSE(shown);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->caption, "Zedulo");
    EXPECT_NE(message->text.find(kAfxHelpPageMissingBefore + std::string("Zedulo.html") + kAfxHelpPageMissingAfter), std::string::npos);
    EXPECT_NE(message->text.find(folder), std::string::npos);
    EXPECT_EQ(message->ownerTitle, "Zedulo");
}

}  // namespace
