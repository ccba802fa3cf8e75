// What the dialogs become on Qt: which widgets, window flags and fonts, how
// static texts show their mnemonics, and what a screen reader is told.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "AfxDialogWindow.h"
#include "AfxResources.h"
#include "CDialog.h"
#include "DialogDriver.h"
#include "DialogFont.h"
#include "DialogWidgets.h"
#include "ResBytes.h"
#include "WindowHandle.h"
#include "resource.h"
#include "resources/DialogTemplate.h"

namespace {

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

TEST(QtDialogWindow, MakesAWidgetOfEveryControlInTheDialogFont)
{
    const ResourceEntry* entry = AfxResources().Find(kRtDialog, IDD_CONVERTER_DIALOG);
    ASSERT_TRUE(entry);
    const DialogTemplate layout = *ParseDialogTemplate(entry->data);
    CDialog dialog(IDD_CONVERTER_DIALOG);
    RunDialog(dialog, [&](DialogDriver&) {
        QWidget& window = WindowOf(dialog);
        const QFont font = AfxDialogFont(layout.pointSize);
        std::cout << "Font " << QFontInfo(font).family().toStdString() << " " << font.pointSize() << " pt\n";
        EXPECT_EQ(QFontInfo(window.font()).family(), QFontInfo(font).family());
        EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "no resizing";
        const QList<QWidget*> children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(children.size(), static_cast<qsizetype>(layout.items.size()));
        for (std::size_t i = 0; i < layout.items.size(); ++i) {
            const DialogItem& item = layout.items[i];
            QWidget* widget = children[static_cast<qsizetype>(i)];
            EXPECT_TRUE(widget->inherits(WidgetClassOf(item))) << i;
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(edit->hasFrame(), static_cast<bool>(item.style & WS_BORDER));
            }
        }
    });
}

TEST(QtDialogWindow, AppWindowTemplateIsATopLevelWindowWithoutMinimiseOrMaximise)
{
    CDialog dialog(IDD_CONVERTER_DIALOG);
    RunDialog(dialog, [&](DialogDriver&) {
        QWidget& window = WindowOf(dialog);
        EXPECT_TRUE(window.isWindow());
        EXPECT_EQ(window.windowType(), Qt::Window) << "WS_EX_APPWINDOW gives a task-bar entry";
        const Qt::WindowFlags flags = window.windowFlags();
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    });
}

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

// The names a screen reader is given for the controls without text of their
// own (edit fields, icons), in template order: as on Windows, the text of the
// static before each, unless a tab stop comes between.
TEST(QtDialogWindow, NamesControlsWithoutTextByTheStaticBefore)
{
    const std::vector<std::uint8_t> inMemory = SmallDialogTemplate(0, 0, WS_POPUP | WS_CAPTION, {
        {"Static", "&Name && Ort", -1, 5, 5, 60, 8, 0},
        {"Edit", "", 10, 5, 15, 60, 12, WS_TABSTOP},
        {"Static", "Vorwahl", -1, 5, 30, 60, 8, 0},
        {"Button", "OK", IDOK, 70, 30, 50, 14, WS_TABSTOP},
        {"Edit", "", 11, 5, 40, 60, 12, WS_TABSTOP},
        {"Static", "1 & 2", -1, 70, 5, 60, 8, SS_NOPREFIX},
        {"Edit", "", 12, 70, 15, 60, 12, 0},
    });
    const struct {
        UINT templateId;
        const std::vector<std::uint8_t>* bytes;
        std::vector<std::string> names;
    } cases[] = {
        {IDD_CONVERTER_DIALOG, nullptr, {"Eingabedatei", "Ausgabedatei"}},
        {IDD_ABOUTBOX, nullptr, {""}},  // the icon comes first
        {0, &inMemory, {"Name & Ort", "", "1 & 2"}},
    };
    for (const auto& c : cases) {
        CDialog dialog(c.templateId);
        if (c.bytes) {
            ASSERT_TRUE(dialog.InitModalIndirect(c.bytes->data(), c.bytes->size()));
        }
        RunDialog(dialog, [&](DialogDriver&) {
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(AfxWidget(dialog.m_hWnd));
            std::vector<std::string> names;
            for (int i = 0; i < window->childCount(); ++i) {
                const QAccessibleInterface* control = window->child(i);
                if (control->role() == QAccessible::EditableText || control->role() == QAccessible::Graphic)
                    names.push_back(control->text(QAccessible::Name).toStdString());
            }
            EXPECT_EQ(names, c.names) << "dialog " << c.templateId;
        });
    }
}

}  // namespace
