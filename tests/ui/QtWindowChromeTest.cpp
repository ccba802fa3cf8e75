// What the main dialog's window chrome is on Qt: the system menu the
// framework pops up itself, and the painting of the minimised dialog.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include "AfxDialogWindow.h"
#include "AfxTexts.h"
#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "DialogWidgets.h"

namespace {

// Right-clicks the dialog at a point of its own.
void RightClick(QWidget& window, QPoint at)
{
    QWidget* target = window.childAt(at) ? window.childAt(at) : &window;
    const QPoint local = target->mapFrom(&window, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &event);
}

// The system menus popped up while body runs, each answered with answer.
std::vector<AfxPopupMenuInfo> MenusDuring(const std::function<void()>& body, std::optional<unsigned> answer = {})
{
    std::vector<AfxPopupMenuInfo> menus;
    AfxTestHooks::SetPopupMenuHandler([&](const AfxPopupMenuInfo& info) {
        menus.push_back(info);
        return answer;
    });
    body();
    AfxTestHooks::SetPopupMenuHandler(nullptr);
    return menus;
}

HICON ApplicationIcon()
{
    return LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON),
                     MAKEINTRESOURCE(IDR_MAINFRAME));
}

TEST(SystemMenu, OffersMoveCloseAndAbout)
{
    CConverterDlg dialog;
    RunDialog(dialog, [](DialogDriver& user) {
        const auto menus = MenusDuring([&] { RightClick(WindowOf(user.Dialog()), {3, 3}); });
        ASSERT_EQ(menus.size(), 1u);
        const auto& entries = menus[0].entries;
        ASSERT_EQ(entries.size(), 5u);
        EXPECT_EQ(entries[0].text, kAfxMenuMove);
        EXPECT_EQ(entries[0].id, static_cast<unsigned>(SC_MOVE));
        EXPECT_TRUE(entries[1].separator);
        EXPECT_EQ(entries[2].text + "\t" + entries[2].shortcut, kAfxMenuClose);
        EXPECT_EQ(entries[2].id, static_cast<unsigned>(SC_CLOSE));
        EXPECT_TRUE(entries[3].separator);
        EXPECT_EQ(entries[4].text, "&Info \xC3\xBC" "ber Zedulo...");
        EXPECT_EQ(entries[4].id, static_cast<unsigned>(IDM_ABOUTBOX));
        EXPECT_EQ(menus[0].ownerTitle, "Zedulo");
    });
}

TEST(SystemMenu, OpensOnBackgroundStaticsAndAltSpaceOnly)
{
    CConverterDlg dialog;
    RunDialog(dialog, [](DialogDriver& user) {
        QWidget& window = WindowOf(user.Dialog());
        const QPoint label = window.findChildren<QLabel*>().front()->geometry().center();
        const struct {
            const char* where;
            std::function<void()> action;
            std::size_t menus;
        } cases[] = {
            {"background", [&] { RightClick(window, {3, 3}); }, 1},
            {"static text", [&] { RightClick(window, label); }, 1},
            {"button", [&] { RightClick(window, ControlOf(user.Dialog(), IDOK)->geometry().center()); }, 0},
            {"Alt+Space", [&] { QTest::keyClick(ControlOf(user.Dialog(), IDC_EDIT_INPUT), Qt::Key_Space, Qt::AltModifier); }, 1},
        };
        for (const auto& c : cases)
            EXPECT_EQ(MenusDuring(c.action).size(), c.menus) << c.where;
    });
}

TEST(SystemMenu, WithoutTheAboutStringHasNoAboutEntry)
{
    AfxTestHooks::HideString(IDS_ABOUTBOX);
    CConverterDlg dialog;
    RunDialog(dialog, [](DialogDriver& user) {
        const auto menus = MenusDuring([&] { RightClick(WindowOf(user.Dialog()), {3, 3}); });
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0].entries.size(), 3u);
        EXPECT_EQ(menus[0].entries.back().id, static_cast<unsigned>(SC_CLOSE));
    });
    AfxTestHooks::HideString(0);
}

// The bounding box of the pixels that differ from the background.
QRect DrawnArea(const QImage& image, QRgb background)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

TEST(SystemMenu, OfTheAboutBoxHasThePlatformsEntriesOnly)
{
    CConverterDlg dialog;
    std::vector<AfxPopupMenuInfo> menus;
    RunDialog(
        dialog, [&](DialogDriver&) { dialog.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX); },
        [&](DialogDriver& about) { menus = MenusDuring([&] { RightClick(WindowOf(about.Dialog()), {3, 3}); }); });
    ASSERT_EQ(menus.size(), 1u);
    ASSERT_EQ(menus[0].entries.size(), 3u);
    EXPECT_EQ(menus[0].entries.back().id, static_cast<unsigned>(SC_CLOSE));
}

TEST(MinimisedDialog, PaintsTheIconCentred)
{
    const HICON icon = ApplicationIcon();
    ASSERT_TRUE(icon);
    CConverterDlg dialog;
    RunDialog(dialog, [&](DialogDriver& user) {
        QWidget& window = WindowOf(user.Dialog());
        EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessageA(WM_QUERYDRAGICON)), icon);

        window.showMinimized();
        ASSERT_TRUE(window.isMinimized());
        EXPECT_EQ(window.windowIcon().cacheKey(), icon->icon.cacheKey()) << "the icon it drags with";

        // Where the icon shows within its own 32 x 32 pixels, on the erased background.
        const QColor background = window.palette().window().color();
        QImage alone(32, 32, QImage::Format_RGB32);
        alone.fill(background);
        QPainter(&alone).drawPixmap(0, 0, icon->icon.pixmap(32, 32));
        const QRect inIcon = DrawnArea(alone, background.rgb());
        ASSERT_FALSE(inIcon.isEmpty());

        // Centred in the client area, an odd pixel left over going to the
        // left; both for the dialog's own size and for an odd one.
        for (const QSize size : {window.size(), window.size() + QSize(1, 1)}) {
            window.setFixedSize(size);
            const QImage painted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect drawn = DrawnArea(painted, background.rgb());
            ASSERT_EQ(drawn.size(), inIcon.size()) << "the icon and nothing else, no control";
            const QRect box = drawn.translated(-inIcon.topLeft()).adjusted(0, 0, 32 - inIcon.width(), 32 - inIcon.height());
            const int left = box.left(), right = size.width() - 1 - box.right();
            const int top = box.top(), bottom = size.height() - 1 - box.bottom();
            EXPECT_TRUE(left == right || left == right + 1) << size.width() << ": " << left << " | " << right;
            EXPECT_TRUE(top == bottom || top == bottom + 1) << size.height() << ": " << top << " | " << bottom;
            EXPECT_EQ(painted.copy(box), alone) << "the icon as it is";
        }

        window.showNormal();
        EXPECT_FALSE(dialog.IsIconic());
        // Painted normally, the dialog shows its controls again.
        const QImage normal = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(DrawnArea(normal, background.rgb()).width(), window.width() / 2);
    });
}

}  // namespace
