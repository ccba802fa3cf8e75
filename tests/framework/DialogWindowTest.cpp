// The main template built by the framework and read back from the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <iostream>

#include "AfxDialogWindow.h"
#include "AfxResources.h"
#include "CDialog.h"
#include "CWinApp.h"
#include "DialogDriver.h"
#include "DialogFont.h"
#include "TestHooks.h"
#include "ResBytes.h"
#include "WindowHandle.h"
#include "resource.h"
#include "resources/DialogTemplate.h"

namespace {

// The main template, as the program's resources hold it.
DialogTemplate MainTemplate()
{
    const ResourceEntry* entry = AfxResources().Find(kRtDialog, IDD_CONVERTER_DIALOG);
    return entry ? ParseDialogTemplate(entry->data).value_or(DialogTemplate()) : DialogTemplate();
}

// The widget the framework makes of a control of that class.
const char* WidgetClassOf(const DialogItem& item)
{
    if (item.windowClass.IsOrdinal(kClassButton))
        return "QPushButton";
    if (item.windowClass.IsOrdinal(kClassEdit))
        return "QLineEdit";
    if (item.windowClass.IsOrdinal(kClassStatic))
        return "QLabel";
    return "QWidget";
}

// A dialog on the main template that records the commands it gets and
// leaves their work to the framework.
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

// Runs the dialog with the given user and returns how it ended.
INT_PTR RunWith(CDialog& dialog, const std::function<void(QWidget& window)>& user)
{
    return RunDialog(dialog, [&](DialogDriver& driver) { user(driver.Window()); }).result;
}

QWidget* Control(QWidget& window, int id)
{
    return window.findChild<QWidget*>(QString::number(id));
}

TEST(DialogWindow, LaysOutTheTemplateInPixels)
{
    const DialogTemplate layout = MainTemplate();
    ASSERT_FALSE(layout.items.empty());
    TemplateDialog dialog;
    RunWith(dialog, [&](QWidget& window) {
        const QFont font = AfxDialogFont(layout.pointSize);
        const DialogBaseUnits base = AfxBaseUnits(font);
        const auto px = [&](int units) { return DialogUnitsToPixelsX(units, base); };
        const auto py = [&](int units) { return DialogUnitsToPixelsY(units, base); };
        std::cout << "Template " << layout.cx << " x " << layout.cy << " dialog units: " << window.width() << " x "
                  << window.height() << " pixels; font " << QFontInfo(font).family().toStdString() << " "
                  << font.pointSize() << " pt; base units " << base.x << " / " << base.y << "\n";

        EXPECT_EQ(window.windowTitle().toStdString(), layout.title);
        EXPECT_EQ(window.size(), QSize(px(layout.cx), py(layout.cy)));
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "no resizing";
        EXPECT_EQ(QFontInfo(window.font()).family(), QFontInfo(font).family());

        const QList<QWidget*> children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(children.size(), static_cast<qsizetype>(layout.items.size()));
        std::vector<QWidget*> tabStops;
        for (std::size_t i = 0; i < layout.items.size(); ++i) {
            const DialogItem& item = layout.items[i];
            const std::string text = item.title.kind == ResourceName::Kind::Text ? item.title.text : "";
            QWidget* widget = children[static_cast<qsizetype>(i)];
            EXPECT_EQ(widget->objectName(), QString::number(item.id)) << i;
            EXPECT_TRUE(widget->inherits(WidgetClassOf(item))) << i;
            EXPECT_EQ(widget->geometry(), QRect(px(item.x), py(item.y), px(item.cx), py(item.cy))) << text;
            const bool tabStop = item.style & WS_TABSTOP;
            EXPECT_EQ(widget->focusPolicy() == Qt::StrongFocus, tabStop) << text;
            if (tabStop)
                tabStops.push_back(widget);
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                EXPECT_EQ(button->text().toStdString(), text);
                EXPECT_EQ(button->isDefault(), (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) << text;
            }
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                EXPECT_EQ(label->text().toStdString(), text);
            }
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(edit->text().toStdString(), text);
                EXPECT_EQ(edit->hasFrame(), static_cast<bool>(item.style & WS_BORDER));
            }
        }
        ASSERT_FALSE(tabStops.empty());
        EXPECT_EQ(window.focusWidget(), tabStops.front()) << "the first tab stop has the focus";

        // Tab goes through the tab stops in template order and round again.
        QWidget* at = tabStops.front();
        for (std::size_t i = 1; i <= tabStops.size(); ++i) {
            do
                at = at->nextInFocusChain();
            while (at->focusPolicy() != Qt::StrongFocus);
            EXPECT_EQ(at, tabStops[i % tabStops.size()]) << "tab stop " << i;
        }
        dialog.EndDialog(IDCANCEL);
    });
}

TEST(DialogWindow, AppWindowTemplateIsATopLevelWindowWithoutMinimiseOrMaximise)
{
    TemplateDialog dialog;
    RunWith(dialog, [&](QWidget& window) {
        EXPECT_TRUE(window.isWindow());
        EXPECT_EQ(window.windowType(), Qt::Window) << "WS_EX_APPWINDOW gives a task-bar entry";
        const Qt::WindowFlags flags = window.windowFlags();
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(dialog.CheckAutoCenter()) << "template at 0, 0 without a centring style";
        dialog.EndDialog(IDCANCEL);
    });
}

// Keys and clicks as a user gives them, and how the dialog ends.
TEST(DialogWindow, KeysBehaveAsInAWindowsDialog)
{
    const struct {
        const char* what;
        int focus;  // the control with the focus, 0: as the dialog starts
        Qt::Key key;
        INT_PTR result;
        const char* handler;
    } cases[] = {
        {"Enter on OK", 0, Qt::Key_Return, IDOK, "OnOK"},
        {"Enter in the input field presses OK", IDC_EDIT_INPUT, Qt::Key_Return, IDOK, "OnOK"},
        {"Enter in the output field presses OK", IDC_EDIT_OUTPUT, Qt::Key_Enter, IDOK, "OnOK"},
        {"Enter on Abbrechen presses Abbrechen", IDCANCEL, Qt::Key_Return, IDCANCEL, "OnCancel"},
        {"Esc cancels", IDC_EDIT_INPUT, Qt::Key_Escape, IDCANCEL, "OnCancel"},
        {"Space on OK presses it", IDOK, Qt::Key_Space, IDOK, "OnOK"},
    };
    for (const auto& c : cases) {
        TemplateDialog dialog;
        const INT_PTR result = RunWith(dialog, [&](QWidget& window) {
            QWidget* target = c.focus ? Control(window, c.focus) : window.focusWidget();
            target->setFocus();
            QTest::keyClick(target, c.key);
            if (c.key == Qt::Key_Space)
                QTest::keyRelease(target, c.key);
        });
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(dialog.calls, std::vector<std::string>{c.handler}) << c.what;
    }
}

TEST(DialogWindow, EnterOnAnotherButtonPressesThatButton)
{
    TemplateDialog dialog;
    RunWith(dialog, [&](QWidget& window) {
        Control(window, IDC_BROWSE_INPUT)->setFocus();
        QTest::keyClick(Control(window, IDC_BROWSE_INPUT), Qt::Key_Return);
        EXPECT_EQ(dialog.browseClicks, 1);
        QTest::mouseClick(Control(window, IDC_BROWSE_INPUT), Qt::LeftButton);
        EXPECT_EQ(dialog.browseClicks, 2);
        dialog.EndDialog(IDCANCEL);
    });
}

TEST(DialogWindow, CloseBoxCancels)
{
    TemplateDialog dialog;
    const INT_PTR result = RunWith(dialog, [&](QWidget& window) { window.close(); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"OnCancel"});
}

TEST(DialogWindow, UnhandledCommandsReachTheApplication)
{
    TemplateDialog dialog;
    AfxMessageBoxInfo shown;
    RunWith(dialog, [&](QWidget& window) {
        // Hilfe is not the dialog's: it goes to CWinApp::OnHelp, which says
        // here that the page is missing.
        AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
            shown = info;
            return IDOK;
        });
        AfxTestHooks::SetHelpWindowHandler([&](const AfxHelpWindowInfo& info) { shown.text = info.page; });
        qobject_cast<QPushButton*>(Control(window, ID_HELP))->click();
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_NE(shown.text.find("Zedulo.html"), std::string::npos);
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
        {SC_CLOSE, true, false},  {SC_CLOSE | 0x3, true, false}, {SC_CLOSE | 0xF, true, false},
        {SC_MOVE, false, true},   {SC_MOVE | 0x2, false, true},  {SC_MOVE | 0xF, false, true},
        {SC_SIZE | 0x2, false, false},
    };
    for (const auto& c : cases) {
        TemplateDialog dialog;
        bool visible = false;
        RunWith(dialog, [&](QWidget& window) {
            dialog.SendMessageA(WM_SYSCOMMAND, c.command);
            visible = window.isVisible();
        });
        EXPECT_EQ(!visible, c.closes) << std::hex << c.command;
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
    RunWith(dialog, [&](QWidget& window) {
        EXPECT_EQ(window.focusWidget(), Control(window, IDCANCEL)) << "the next enabled tab stop";
        QWidget* input = Control(window, IDC_EDIT_INPUT);
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Return);
        stillOpen = window.isVisible();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(dialog.calls.empty()) << "neither OnOK nor OnCancel";
}

// A template at 0, 0 without a placing style is centred; any other stands
// where it says, from the owner's (here the screen's) top left.
TEST(DialogWindow, CentresOnlyATemplateAtTheOrigin)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        std::int16_t x, y;
        std::uint32_t style;
        bool centred;
    } cases[] = {
        {0, 0, 0, true}, {20, 30, 0, false}, {0, 30, 0, false}, {20, 0, 0, false}, {0, 0, DS_ABSALIGN, false},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes =
            SmallDialogTemplate(c.x, c.y, WS_POPUP | WS_CAPTION | WS_SYSMENU | c.style,
                                {{"Button", "OK", IDOK, 10, 10, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON}});
        CDialog dialog;
        ASSERT_TRUE(dialog.InitModalIndirect(bytes.data(), bytes.size()));
        RunDialog(dialog, [&](DialogDriver& user) {
            QWidget& window = user.Window();
            EXPECT_EQ(dialog.CheckAutoCenter(), c.centred) << c.x << ", " << c.y;
            const DialogBaseUnits base = AfxBaseUnits(window.font());
            if (c.centred) {
                EXPECT_EQ(window.geometry().center(), screen.center()) << c.x << ", " << c.y;
            } else {
                EXPECT_EQ(window.pos(), screen.topLeft() + QPoint(DialogUnitsToPixelsX(c.x, base),
                                                                  DialogUnitsToPixelsY(c.y, base)))
                    << c.x << ", " << c.y;
            }
            EXPECT_TRUE(user.Control(IDOK)) << "built from the template in memory";
        });
    }
}

TEST(DialogWindow, ControlsAreFoundByIdentifier)
{
    TemplateDialog dialog;
    RunWith(dialog, [&](QWidget&) {
        CWnd* input = dialog.GetDlgItem(IDC_EDIT_INPUT);
        ASSERT_TRUE(input);
        input->SetWindowTextA("/daten/fritz \xC3\xA4.adr");
        CString text;
        input->GetWindowTextA(text);
        EXPECT_EQ(text, "/daten/fritz \xC3\xA4.adr");
        EXPECT_EQ(dialog.GetDlgItem(4711), nullptr);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the window is gone after DoModal";
}

}  // namespace

namespace {

TEST(StaticText, ShowsMnemonicsOnlyWhereTheyLeadSomewhere)
{
    QWidget parent;
    QLineEdit target(&parent);
    const struct {
        const char* text;
        bool noPrefix;
        bool buddy;
        const char* shown;
    } cases[] = {
        {"Zedulo Version 1.0 & mehr", true, false, "Zedulo Version 1.0 & mehr"},  // SS_NOPREFIX: as it stands
        {"&Name", false, true, "&Name"},                                          // the toolkit underlines N
        {"&Name", false, false, "Name"},                                          // nothing to jump to
        {"A && B", false, false, "A & B"},
    };
    for (const auto& c : cases) {
        QLabel label(&parent);
        label.setProperty("afxNoPrefix", c.noPrefix);
        if (c.buddy)
            label.setBuddy(&target);
        AfxSetLabelText(&label, QString::fromUtf8(c.text));
        EXPECT_EQ(label.text().toStdString(), c.shown) << c.text;
        EXPECT_EQ(label.property("afxText").toString().toStdString(), c.text) << "what GetWindowText reads";
    }
}

}  // namespace
