// The About box and the system commands of the main dialog.
#include <gtest/gtest.h>

#include "AboutDlg.h"
#include "AfxPlatform.h"
#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "resources/DialogTemplate.h"
#include "resources/ResourceSource.h"

namespace {

TEST(AboutBox, OpensOverTheMainDialogAndLeavesTheFieldsAlone)
{
    const auto data = AfxProgramResources().FindData(kRtDialog, IDD_ABOUTBOX);
    ASSERT_TRUE(data);
    const DialogTemplate layout = *ParseDialogTemplate(*data);

    int aboutBoxes = 0;
    PixelRect mainWindow;
    CConverterDlg dialog;
    RunDialog(
        dialog,
        [&](DialogDriver& user) {
            mainWindow = user.WindowRect();
            user.Type(IDC_EDIT_INPUT, "/daten/fritz.adr");
            user.Type(IDC_EDIT_OUTPUT, "liste.txt");
            dialog.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX);  // the system menu's entry
            EXPECT_EQ(aboutBoxes, 1);
            EXPECT_EQ(user.Text(IDC_EDIT_INPUT), "/daten/fritz.adr");
            EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "liste.txt");
            EXPECT_TRUE(user.IsOpen());
        },
        [&](DialogDriver& about) {
            ++aboutBoxes;
            EXPECT_EQ(about.Dialog().m_nIDHelp, static_cast<UINT>(IDD_ABOUTBOX));
            EXPECT_EQ(about.Title(), "Info \xC3\xBC" "ber Zedulo");
            EXPECT_EQ(about.OwnerTitle(), "Zedulo") << "owned by the main dialog";
            EXPECT_TRUE(IsCentredOver(about.WindowRect(), mainWindow));
            const PixelRect size = about.MapDialogRect(0, 0, layout.cx, layout.cy);
            EXPECT_EQ(about.ClientRect().width, size.width);
            EXPECT_EQ(about.ClientRect().height, size.height);

            const std::vector<ControlView> controls = about.Controls();
            ASSERT_EQ(controls.size(), 4u);
            // The icon control takes the icon's size at the template's place.
            const PixelRect iconAt = about.MapDialogRect(layout.items[0].x, layout.items[0].y, 0, 0);
            EXPECT_EQ(controls[0].rect, (PixelRect{iconAt.left, iconAt.top, 32, 32}));
            EXPECT_EQ(controls[1].text, "Zedulo Version 1.0");
            EXPECT_FALSE(controls[2].text.empty()) << "the maker's notice";
            for (std::size_t i = 1; i < 4; ++i) {
                const DialogItem& item = layout.items[i];
                EXPECT_EQ(controls[i].rect, about.MapDialogRect(item.x, item.y, item.cx, item.cy)) << i;
            }
            EXPECT_EQ(controls[3].id, IDOK);
            EXPECT_EQ(about.FocusedId(), IDOK);
            about.Press(IDOK, Key::Escape);
        });
}

TEST(AboutBox, EndsByOkEscAndCloseBox)
{
    const std::function<void(DialogDriver&)> ways[] = {
        [](DialogDriver& about) { about.Click(IDOK); },
        [](DialogDriver& about) { about.Press(IDOK, Key::Escape); },
        [](DialogDriver& about) { about.Close(); },
    };
    for (const auto& way : ways) {
        bool ended = false;
        CConverterDlg dialog;
        RunDialog(
            dialog, [&](DialogDriver&) { dialog.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX); },
            [&](DialogDriver& about) {
                way(about);
                ended = !about.IsOpen();
            });
        EXPECT_TRUE(ended);
    }
}

TEST(SystemCommands, AboutRangeOpensTheBoxOthersGetDefaultProcessing)
{
    int aboutBoxes = 0;
    CConverterDlg dialog;
    const DialogRun run = RunDialog(
        dialog,
        [&](DialogDriver& user) {
            for (UINT id = 0x0010; id <= 0x001F; ++id)
                user.SystemCommand(id);
            EXPECT_EQ(aboutBoxes, 16);
            for (UINT id : {0x0000u, 0x000Fu, 0x0020u, 0x0100u, static_cast<UINT>(SC_SIZE), static_cast<UINT>(SC_MOVE),
                            static_cast<UINT>(SC_RESTORE)})
                user.SystemCommand(id);
            EXPECT_EQ(aboutBoxes, 16);
            EXPECT_TRUE(user.IsOpen()) << "none of these closes";
            user.SystemCommand(SC_CLOSE);  // default processing: closes
            EXPECT_FALSE(user.IsOpen());
        },
        [&](DialogDriver& about) {
            ++aboutBoxes;
            about.Dialog().EndDialog(IDOK);
        });
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(MinimisedDialog, DragsTheApplicationIcon)
{
    CConverterDlg dialog;
    RunDialog(dialog, [&](DialogDriver& user) {
        const LRESULT icon = dialog.SendMessageA(WM_GETICON, ICON_BIG);
        ASSERT_NE(icon, 0);
        user.Minimise();
        EXPECT_TRUE(dialog.IsIconic());
        EXPECT_EQ(dialog.SendMessageA(WM_QUERYDRAGICON), icon);
        user.Restore();
        EXPECT_FALSE(dialog.IsIconic());
    });
}

}  // namespace
