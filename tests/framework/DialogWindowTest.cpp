// Dialogs built by the framework from their templates, read back from the
// windows and driven as a user drives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "AfxPlatform.h"
#include "CDialog.h"
#include "CWinApp.h"
#include "DialogDriver.h"
#include "ResBytes.h"
#include "resource.h"
#include "resources/DialogTemplate.h"
#include "resources/ResourceSource.h"

namespace {

// The main template, as the program's resources hold it.
DialogTemplate MainTemplate()
{
    const auto data = AfxProgramResources().FindData(kRtDialog, IDD_CONVERTER_DIALOG);
    return data ? ParseDialogTemplate(*data).value_or(DialogTemplate()) : DialogTemplate();
}

// A dialog on the main template that records the commands and messages it
// gets and leaves their work to the framework.
class TemplateDialog : public CDialog {
public:
    TemplateDialog() : CDialog(IDD_CONVERTER_DIALOG) {}
    int browseClicks = 0;
    std::vector<std::string> calls;
    std::vector<UINT> messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnOK() override
    {
        calls.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        calls.push_back("OnCancel");
        CDialog::OnCancel();
    }
    void OnBrowseInput() { ++browseClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TemplateDialog, CDialog)
    ON_BN_CLICKED(IDC_BROWSE_INPUT, &TemplateDialog::OnBrowseInput)
END_MESSAGE_MAP()

INT_PTR RunWith(CDialog& dialog, const std::function<void(DialogDriver&)>& user)
{
    return RunDialog(dialog, user).result;
}

PixelRect TemplateRect(const DialogDriver& user, const DialogItem& item)
{
    return user.MapDialogRect(item.x, item.y, item.cx, item.cy);
}

TEST(DialogWindow, LaysOutTheTemplate)
{
    const DialogTemplate layout = MainTemplate();
    ASSERT_FALSE(layout.items.empty());
    TemplateDialog dialog;
    RunWith(dialog, [&](DialogDriver& user) {
        const PixelRect client = user.ClientRect();
        std::cout << "Template " << layout.cx << " x " << layout.cy << " dialog units: " << client.width << " x "
                  << client.height << " pixels\n";
        EXPECT_EQ(user.Title(), layout.title);
        const PixelRect size = user.MapDialogRect(0, 0, layout.cx, layout.cy);
        EXPECT_EQ(client.width, size.width);
        EXPECT_EQ(client.height, size.height);

        const std::vector<ControlView> controls = user.Controls();
        ASSERT_EQ(controls.size(), layout.items.size());
        std::vector<int> tabStops;
        for (std::size_t i = 0; i < layout.items.size(); ++i) {
            const DialogItem& item = layout.items[i];
            const ControlView& control = controls[i];
            const std::string text = item.title.kind == ResourceName::Kind::Text ? item.title.text : "";
            EXPECT_EQ(control.id, item.id) << i;
            EXPECT_EQ(control.text, text) << i;
            EXPECT_EQ(control.rect, TemplateRect(user, item)) << text;
            EXPECT_EQ(control.tabStop, static_cast<bool>(item.style & WS_TABSTOP)) << text;
            EXPECT_EQ(control.defaultButton, item.windowClass.IsOrdinal(kClassButton) &&
                                                 (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                << text;
            if (control.tabStop)
                tabStops.push_back(control.id);
        }
        ASSERT_FALSE(tabStops.empty());
        EXPECT_EQ(user.FocusedId(), tabStops.front()) << "the first tab stop has the focus";
        // Tab goes through the tab stops in template order and round again.
        for (std::size_t i = 0; i < tabStops.size(); ++i)
            EXPECT_EQ(user.NextTabStop(tabStops[i]), tabStops[(i + 1) % tabStops.size()]) << "tab stop " << i;
    });
}

// Keys and clicks as a user gives them, and how the dialog ends.
TEST(DialogWindow, KeysBehaveAsInAWindowsDialog)
{
    const struct {
        const char* what;
        int focus;
        Key key;
        INT_PTR result;
        const char* handler;
    } cases[] = {
        {"Enter on OK", IDOK, Key::Enter, IDOK, "OnOK"},
        {"Enter in the input field presses OK", IDC_EDIT_INPUT, Key::Enter, IDOK, "OnOK"},
        {"Enter in the output field presses OK", IDC_EDIT_OUTPUT, Key::Enter, IDOK, "OnOK"},
        {"Enter on Abbrechen presses Abbrechen", IDCANCEL, Key::Enter, IDCANCEL, "OnCancel"},
        {"Esc cancels", IDC_EDIT_INPUT, Key::Escape, IDCANCEL, "OnCancel"},
        {"Space on OK presses it", IDOK, Key::Space, IDOK, "OnOK"},
        {"Alt+F4 closes as Abbrechen does", IDC_EDIT_INPUT, Key::AltF4, IDCANCEL, "OnCancel"},
    };
    for (const auto& c : cases) {
        TemplateDialog dialog;
        const INT_PTR result = RunWith(dialog, [&](DialogDriver& user) { user.Press(c.focus, c.key); });
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(dialog.calls, std::vector<std::string>{c.handler}) << c.what;
    }
}

TEST(DialogWindow, EnterOnAnotherButtonPressesThatButton)
{
    TemplateDialog dialog;
    bool stillOpen = false;
    RunWith(dialog, [&](DialogDriver& user) {
        user.Press(IDC_BROWSE_INPUT, Key::Enter);
        EXPECT_EQ(dialog.browseClicks, 1);
        user.Click(IDC_BROWSE_INPUT);
        EXPECT_EQ(dialog.browseClicks, 2);
        stillOpen = user.IsOpen();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(dialog.calls.empty());
}

TEST(DialogWindow, CloseBoxCancels)
{
    TemplateDialog dialog;
    const INT_PTR result = RunWith(dialog, [&](DialogDriver& user) { user.Close(); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"OnCancel"});
}

TEST(DialogWindow, UnhandledCommandsReachTheApplication)
{
    TemplateDialog dialog;
    std::string asked;
    RunWith(dialog, [&](DialogDriver& user) {
        // Hilfe is not the dialog's: it goes to CWinApp::OnHelp, which shows
        // the page or says that it is missing.
        AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
            asked = info.text;
            return IDOK;
        });
        AfxTestHooks::SetHelpWindowHandler([&](const AfxHelpWindowInfo& info) { asked = info.page; });
        user.Click(ID_HELP);
    });
    EXPECT_NE(asked.find("Zedulo.html"), std::string::npos);
}

// The low four bits of a system command are the platform's own (SC_MOVE
// + 2 is a move begun by a drag on the caption): the command is the rest.
TEST(DialogWindow, SystemCommandsIgnoreTheirLowFourBits)
{
    const struct {
        UINT command;
        bool closes;
        bool moves;
    } cases[] = {
        {SC_CLOSE, true, false}, {SC_CLOSE | 0x3, true, false}, {SC_CLOSE | 0xF, true, false},
        {SC_MOVE, false, true},  {SC_MOVE | 0x2, false, true},  {SC_MOVE | 0xF, false, true},
    };
    for (const auto& c : cases) {
        TemplateDialog dialog;
        bool open = false;
        RunWith(dialog, [&](DialogDriver& user) {
            user.SystemCommand(c.command);
            open = user.IsOpen();
        });
        EXPECT_EQ(!open, c.closes) << std::hex << c.command;
        EXPECT_EQ(dialog.calls == std::vector<std::string>{"OnCancel"}, c.closes) << std::hex << c.command;
        const bool moveBegun =
            std::find(dialog.messages.begin(), dialog.messages.end(), WM_ENTERSIZEMOVE) != dialog.messages.end();
        EXPECT_EQ(moveBegun, c.moves) << std::hex << c.command;
    }
}

// A dialog that disables its default button: Enter presses nothing, and the
// focus starts at the first tab stop that can take it.
class DisabledOkDialog : public TemplateDialog {
protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetDlgItem(IDOK)->EnableWindow(FALSE);
        return TRUE;
    }
};

TEST(DialogWindow, EnterPressesNoDisabledDefaultButton)
{
    DisabledOkDialog dialog;
    bool stillOpen = false;
    RunWith(dialog, [&](DialogDriver& user) {
        EXPECT_EQ(user.FocusedId(), IDCANCEL) << "the next enabled tab stop";
        user.Press(IDC_EDIT_INPUT, Key::Enter);
        stillOpen = user.IsOpen();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(dialog.calls.empty()) << "neither OnOK nor OnCancel";
}

// A template at 0, 0 without a placing style is centred; any other has its
// client area where it says, from the owner's (here the screen's) top left.
// (Windows moves a frame that would stick out of the screen back in, so a
// coordinate of 0 is not checked.)
TEST(DialogWindow, CentresOnlyATemplateAtTheOrigin)
{
    const struct {
        std::int16_t x, y;
        std::uint32_t style;
        bool centred;
    } cases[] = {
        {0, 0, 0, true}, {20, 30, 0, false}, {0, 30, 0, false}, {40, 0, 0, false}, {0, 0, DS_ABSALIGN, false},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes =
            SmallDialogTemplate(c.x, c.y, WS_POPUP | WS_CAPTION | WS_SYSMENU | c.style,
                                {{"Button", "OK", IDOK, 10, 10, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON}});
        CDialog dialog;
        ASSERT_TRUE(dialog.InitModalIndirect(bytes.data(), bytes.size()));
        RunDialog(dialog, [&](DialogDriver& user) {
            EXPECT_EQ(dialog.CheckAutoCenter(), c.centred) << c.x << ", " << c.y;
            const PixelRect area = user.PlacementArea();
            const PixelRect window = user.WindowRect();
            EXPECT_EQ(IsCentredOver(window, area), c.centred) << c.x << ", " << c.y;
            const PixelRect client = user.ClientRect();
            const PixelRect at = user.MapDialogRect(c.x, c.y, 0, 0);
            if (c.x != 0) {
                EXPECT_EQ(client.left, area.left + at.left) << c.x << ", " << c.y;
            }
            if (c.y != 0) {
                EXPECT_EQ(client.top, area.top + at.top) << c.x << ", " << c.y;
            }
            EXPECT_EQ(user.Text(IDOK), "OK") << "built from the template in memory";
        });
    }
}

TEST(DialogWindow, ControlsAreFoundByIdentifier)
{
    TemplateDialog dialog;
    RunWith(dialog, [&](DialogDriver&) {
        CWnd* input = dialog.GetDlgItem(IDC_EDIT_INPUT);
        ASSERT_TRUE(input);
        input->SetWindowTextA("/daten/fritz \xC5\x81\xC3\xB3" "d\xC5\xBA.adr");
        CString text;
        input->GetWindowTextA(text);
        EXPECT_EQ(text, "/daten/fritz \xC5\x81\xC3\xB3" "d\xC5\xBA.adr");
        EXPECT_EQ(dialog.GetDlgItem(4711), nullptr);
    });
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window is gone after DoModal";
}

}  // namespace
