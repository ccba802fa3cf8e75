// What the dialogs become on Qt: which widgets, window flags and fonts, and
// how static texts show their mnemonics.
#include <gtest/gtest.h>

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

}  // namespace
