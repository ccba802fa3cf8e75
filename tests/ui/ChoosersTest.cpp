// The Browse buttons: the choosers' settings, where they open, and what a
// confirmed or cancelled choice does to the fields.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "FileContents.h"
#include "PlatformDifferences.h"
#include "TempDir.h"

namespace {


struct ChooserRun {
    std::vector<AfxFileChooserInfo> choosers;
    std::string input;
    std::string output;
};

// Types both fields, presses Browse, answers the chooser, reads the fields.
ChooserRun Browse(int button, const std::string& input, const std::string& output,
                  const std::optional<std::string>& answer)
{
    ChooserRun run;
    CConverterDlg dialog;
    RunDialog(dialog, [&](DialogDriver& user) {
        AfxTestHooks::SetFileChooserHandler([&](const AfxFileChooserInfo& info) {
            run.choosers.push_back(info);
            return answer;
        });
        user.Type(IDC_EDIT_INPUT, input);
        user.Type(IDC_EDIT_OUTPUT, output);
        user.Click(button);
        run.input = user.Text(IDC_EDIT_INPUT);
        run.output = user.Text(IDC_EDIT_OUTPUT);
    });
    return run;
}

TEST(Choosers, InputChooserSettings)
{
    TempDir dir;
    WriteFile(dir.File("fritz.adr"), "");
    const ChooserRun run = Browse(IDC_BROWSE_INPUT, dir.File("fritz.adr"), "phonebook.txt", dir.File("neu.adr"));
    ASSERT_EQ(run.choosers.size(), 1u);
    const AfxFileChooserInfo& chooser = run.choosers[0];
    EXPECT_FALSE(chooser.saveMode);
    EXPECT_EQ(chooser.title, "Eingabedatei (FritzBox Telefonbuch)");
    EXPECT_EQ(chooser.nameFilters, (std::vector<std::string>{kPhonebookFilter, kAllFilesFilter}));
    EXPECT_EQ(chooser.selectedNameFilter, kPhonebookFilter);
    EXPECT_EQ(chooser.defaultSuffix, "adr");
    EXPECT_EQ(chooser.selectedFile, dir.File("fritz.adr")) << "the typed input is the initial name";
    EXPECT_TRUE(chooser.existingFilesOnly);
    EXPECT_FALSE(chooser.confirmOverwrite);
    EXPECT_FALSE(chooser.initialDirectory);
    EXPECT_EQ(chooser.ownerTitle, "Zedulo");
    EXPECT_EQ(run.input, dir.File("neu.adr"));
    EXPECT_EQ(run.output, "phonebook.txt");
}

TEST(Choosers, OutputChooserSettings)
{
    TempDir dir;
    const ChooserRun run = Browse(IDC_BROWSE_OUTPUT, dir.File("fritz.adr"), "phonebook.txt", dir.File("aus.txt"));
    ASSERT_EQ(run.choosers.size(), 1u);
    const AfxFileChooserInfo& chooser = run.choosers[0];
    EXPECT_TRUE(chooser.saveMode);
    EXPECT_EQ(chooser.title, "Ausgabedatei (klingeo Telefonbuchdatei)");
    EXPECT_EQ(chooser.nameFilters, (std::vector<std::string>{"Text Dateien (*.txt)", kAllFilesFilter}));
    EXPECT_EQ(chooser.defaultSuffix, "txt");
    EXPECT_FALSE(chooser.existingFilesOnly);
    EXPECT_TRUE(chooser.confirmOverwrite);
    EXPECT_EQ(chooser.directory, dir.Path().string());
    EXPECT_EQ(chooser.selectedFile, dir.File("phonebook.txt")) << "opens in the input's folder with the name";
    EXPECT_EQ(run.output, dir.File("aus.txt"));
    EXPECT_EQ(run.input, dir.File("fritz.adr"));
}

TEST(Choosers, OutputChooserStartsInTheInputFolderForABareName)
{
    TempDir dir;
    const struct {
        std::string input;
        std::string output;
        std::optional<std::string> folder;
    } cases[] = {
        {dir.File("fritz.adr"), "phonebook.txt", dir.Path().string()},
        {dir.File("fritz.adr"), dir.File("export/liste.txt"), std::nullopt},
        {"fritz.adr", "phonebook.txt", std::nullopt},
        {"", "phonebook.txt", std::nullopt},
#ifdef _WIN32
        // Both slashes end a folder, and so does a drive's colon; the folder
        // goes without its closing separator.
        {"C:\\Daten\\fritz.adr", "phonebook.txt", "C:\\Daten"},
        {"C:\\fritz.adr", "x.txt", "C:"},
        {"\\fritz.adr", "x.txt", ""},
        {"D:fritz.adr", "x.txt", "D:"},
        {"run/fritz.adr", "x.txt", "run"},
        {"C:\\Daten\\fritz.adr", "D:liste.txt", std::nullopt},
        {"C:\\Daten\\fritz.adr", "export/liste.txt", std::nullopt},
#else
        {"/fritz.adr", "x.txt", "/"},
        {"C:\\Daten\\fritz.adr", "phonebook.txt", std::nullopt},
#endif
    };
    for (const auto& c : cases) {
        const ChooserRun run = Browse(IDC_BROWSE_OUTPUT, c.input, c.output, std::nullopt);
        ASSERT_EQ(run.choosers.size(), 1u);
        EXPECT_EQ(run.choosers[0].initialDirectory, c.folder) << c.input << " + " << c.output;
        // Cancelled: both fields as typed.
        EXPECT_EQ(run.input, c.input);
        EXPECT_EQ(run.output, c.output);
    }
}

TEST(Choosers, CancelledInputChooserChangesNothing)
{
    const ChooserRun run = Browse(IDC_BROWSE_INPUT, "/daten/fritz.adr", "liste.txt", std::nullopt);
    EXPECT_EQ(run.choosers.size(), 1u);
    EXPECT_EQ(run.input, "/daten/fritz.adr");
    EXPECT_EQ(run.output, "liste.txt");
}

}  // namespace
