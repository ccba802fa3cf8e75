// The main template built by the framework and read back from the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <iostream>

#include "AfxDialogWindow.h"
#include "CDialog.h"
#include "CWinApp.h"
#include "DialogDriver.h"
#include "DialogFont.h"
#include "TestHooks.h"
#include "WindowHandle.h"
#include "resource.h"

namespace {

// The main template as the program lays it out, in dialog units.
struct Control {
    int id;
    const char* widgetClass;
    const char* text;
    int x, y, cx, cy;
    bool tabStop;
};

const Control kMainControls[] = {
    {IDOK, "QPushButton", "OK", 45, 74, 50, 16, true},
    {IDCANCEL, "QPushButton", "Abbrechen", 137, 74, 50, 16, true},
    {ID_HELP, "QPushButton", "&Hilfe", 231, 74, 50, 16, true},
    {IDC_STATIC, "QLabel", "Eingabedatei", 7, 7, 227, 10, false},
    {IDC_EDIT_INPUT, "QLineEdit", "", 7, 18, 227, 12, true},
    {IDC_BROWSE_INPUT, "QPushButton", "Browse", 240, 17, 48, 15, true},
    {IDC_STATIC, "QLabel", "Ausgabedatei", 7, 37, 227, 10, false},
    {IDC_EDIT_OUTPUT, "QLineEdit", "", 7, 46, 227, 12, true},
    {IDC_BROWSE_OUTPUT, "QPushButton", "Browse", 240, 45, 48, 15, true},
};

// A dialog on the main template that records the commands it gets and
// leaves their work to the framework.
class TemplateDialog : public CDialog {
public:
    TemplateDialog() : CDialog(IDD_CONVERTER_DIALOG) {}
    int browseClicks = 0;
    std::vector<std::string> calls;

protected:
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
    TemplateDialog dialog;
    RunWith(dialog, [&](QWidget& window) {
        const QFont font = AfxDialogFont(8);
        const DialogBaseUnits base = AfxBaseUnits(font);
        const auto px = [&](int units) { return DialogUnitsToPixelsX(units, base); };
        const auto py = [&](int units) { return DialogUnitsToPixelsY(units, base); };
        std::cout << "Template 320 x 97 dialog units: " << window.width() << " x " << window.height()
                  << " pixels; font " << QFontInfo(font).family().toStdString() << " " << font.pointSize()
                  << " pt; base units " << base.x << " / " << base.y << "\n";

        EXPECT_EQ(window.windowTitle(), "Zedulo");
        EXPECT_EQ(window.size(), QSize(px(320), py(97)));
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "no resizing";
        EXPECT_EQ(QFontInfo(window.font()).family(), QFontInfo(font).family());

        const QList<QWidget*> children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(children.size(), static_cast<qsizetype>(std::size(kMainControls)));
        for (std::size_t i = 0; i < std::size(kMainControls); ++i) {
            const auto& expected = kMainControls[i];
            QWidget* widget = children[static_cast<qsizetype>(i)];
            EXPECT_EQ(widget->objectName(), QString::number(expected.id)) << i;
            EXPECT_TRUE(widget->inherits(expected.widgetClass)) << i;
            EXPECT_EQ(widget->geometry(), QRect(px(expected.x), py(expected.y), px(expected.cx), py(expected.cy)))
                << expected.text;
            EXPECT_EQ(widget->focusPolicy() == Qt::StrongFocus, expected.tabStop) << expected.text;
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                EXPECT_EQ(button->text(), expected.text);
            }
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                EXPECT_EQ(label->text(), expected.text);
            }
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(edit->text(), expected.text);
                EXPECT_TRUE(edit->hasFrame());
            }
        }
        EXPECT_TRUE(qobject_cast<QPushButton*>(Control(window, IDOK))->isDefault());
        EXPECT_FALSE(qobject_cast<QPushButton*>(Control(window, IDCANCEL))->isDefault());
        EXPECT_EQ(window.focusWidget(), Control(window, IDOK)) << "the first tab stop has the focus";

        // Tab goes through the tab stops in template order and round again.
        const int tabOrder[] = {IDOK, IDCANCEL, ID_HELP, IDC_EDIT_INPUT, IDC_BROWSE_INPUT,
                                IDC_EDIT_OUTPUT, IDC_BROWSE_OUTPUT, IDOK};
        QWidget* at = Control(window, IDOK);
        for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
            do
                at = at->nextInFocusChain();
            while (at->focusPolicy() != Qt::StrongFocus);
            EXPECT_EQ(at, Control(window, tabOrder[i])) << "tab stop " << i;
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
