// The system menu, the About box and the minimised dialog.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <filesystem>

#include "AboutDlg.h"
#include "AfxDialogWindow.h"
#include "AfxResources.h"
#include "ConverterDlg.h"
#include "DialogDriver.h"
#include "DialogFont.h"
#include "TempDir.h"
#include "resources/DialogTemplate.h"
#include "resources/ResourceFile.h"

namespace fs = std::filesystem;

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
        const auto menus = MenusDuring([&] { RightClick(user.Window(), {3, 3}); });
        ASSERT_EQ(menus.size(), 1u);
        const auto& entries = menus[0].entries;
        ASSERT_EQ(entries.size(), 5u);
        EXPECT_EQ(entries[0].text, "&Verschieben");
        EXPECT_EQ(entries[0].id, static_cast<unsigned>(SC_MOVE));
        EXPECT_TRUE(entries[1].separator);
        EXPECT_EQ(entries[2].text, "&Schlie\xC3\x9F" "en");
        EXPECT_EQ(entries[2].shortcut, "Alt+F4");
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
        QWidget& window = user.Window();
        const QPoint label = window.findChildren<QLabel*>().front()->geometry().center();
        const struct {
            const char* where;
            std::function<void()> action;
            std::size_t menus;
        } cases[] = {
            {"background", [&] { RightClick(window, {3, 3}); }, 1},
            {"static text", [&] { RightClick(window, label); }, 1},
            {"button", [&] { RightClick(window, user.Control(IDOK)->geometry().center()); }, 0},
            {"Alt+Space", [&] { QTest::keyClick(user.Edit(IDC_EDIT_INPUT), Qt::Key_Space, Qt::AltModifier); }, 1},
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
        const auto menus = MenusDuring([&] { RightClick(user.Window(), {3, 3}); });
        ASSERT_EQ(menus.size(), 1u);
        EXPECT_EQ(menus[0].entries.size(), 3u);
        EXPECT_EQ(menus[0].entries.back().id, static_cast<unsigned>(SC_CLOSE));
    });
    AfxTestHooks::HideString(0);
}

TEST(AboutBox, OpensOverTheMainDialogAndLeavesTheFieldsAlone)
{
    const ResourceEntry* entry = AfxResources().Find(kRtDialog, IDD_ABOUTBOX);
    ASSERT_TRUE(entry);
    const DialogTemplate layout = *ParseDialogTemplate(entry->data);
    const DialogBaseUnits base = AfxBaseUnits(AfxDialogFont(layout.pointSize));

    int aboutBoxes = 0;
    QWidget* mainWindow = nullptr;
    CConverterDlg dialog;
    RunDialog(
        dialog,
        [&](DialogDriver& user) {
            mainWindow = &user.Window();
            user.Type(IDC_EDIT_INPUT, "/daten/fritz.adr");
            user.Type(IDC_EDIT_OUTPUT, "liste.txt");
            MenusDuring([&] { RightClick(user.Window(), {3, 3}); }, IDM_ABOUTBOX);
            EXPECT_EQ(aboutBoxes, 1);
            EXPECT_EQ(user.Text(IDC_EDIT_INPUT), "/daten/fritz.adr");
            EXPECT_EQ(user.Text(IDC_EDIT_OUTPUT), "liste.txt");
            EXPECT_TRUE(user.Window().isVisible());
        },
        [&](CDialog& about) {
            ++aboutBoxes;
            EXPECT_EQ(about.m_nIDHelp, static_cast<UINT>(IDD_ABOUTBOX));
            QWidget& window = *AfxWidget(about.m_hWnd);
            EXPECT_EQ(window.windowTitle(), "Info \xC3\xBC" "ber Zedulo");
            EXPECT_EQ(window.parentWidget(), mainWindow) << "owned by the main dialog";
            EXPECT_EQ(window.geometry().center(), mainWindow->geometry().center()) << "centred over it";
            EXPECT_EQ(window.size(), QSize(DialogUnitsToPixelsX(layout.cx, base), DialogUnitsToPixelsY(layout.cy, base)));

            const auto children = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            ASSERT_EQ(children.size(), 4);
            auto* icon = qobject_cast<QLabel*>(children[0]);
            ASSERT_TRUE(icon);
            EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
            EXPECT_EQ(icon->geometry(), QRect(DialogUnitsToPixelsX(11, base), DialogUnitsToPixelsY(17, base), 32, 32));
            EXPECT_EQ(qobject_cast<QLabel*>(children[1])->text(), "Zedulo Version 1.0");
            EXPECT_FALSE(qobject_cast<QLabel*>(children[2])->text().isEmpty()) << "the maker's notice";
            for (int i = 1; i < 4; ++i) {
                const DialogItem& item = layout.items[static_cast<std::size_t>(i)];
                EXPECT_EQ(children[i]->geometry(),
                          QRect(DialogUnitsToPixelsX(item.x, base), DialogUnitsToPixelsY(item.y, base),
                                DialogUnitsToPixelsX(item.cx, base), DialogUnitsToPixelsY(item.cy, base)));
            }
            EXPECT_EQ(children[3]->objectName(), QString::number(IDOK));
            EXPECT_EQ(window.focusWidget(), children[3]);

            // Its system menu has the platform's entries only.
            const auto menus = MenusDuring([&] { RightClick(window, {3, 3}); });
            ASSERT_EQ(menus.size(), 1u);
            EXPECT_EQ(menus[0].entries.size(), 3u);

            QTest::keyClick(children[3], Qt::Key_Escape);
        });
}

TEST(AboutBox, EndsByOkEscAndCloseBox)
{
    const std::function<void(QWidget&)> ways[] = {
        [](QWidget& about) { qobject_cast<QPushButton*>(about.findChild<QWidget*>(QString::number(IDOK)))->click(); },
        [](QWidget& about) { QTest::keyClick(&about, Qt::Key_Escape); },
        [](QWidget& about) { about.close(); },
    };
    for (const auto& way : ways) {
        bool ended = false;
        CConverterDlg dialog;
        RunDialog(
            dialog, [&](DialogDriver&) { dialog.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX); },
            [&](CDialog& about) {
                QWidget& window = *AfxWidget(about.m_hWnd);
                way(window);
                ended = !window.isVisible();
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
                dialog.SendMessageA(WM_SYSCOMMAND, id);
            EXPECT_EQ(aboutBoxes, 16);
            for (UINT id : {0x0000u, 0x000Fu, 0x0020u, 0x0100u, static_cast<UINT>(SC_SIZE), static_cast<UINT>(SC_MOVE),
                            static_cast<UINT>(SC_RESTORE)})
                dialog.SendMessageA(WM_SYSCOMMAND, id);
            EXPECT_EQ(aboutBoxes, 16);
            EXPECT_TRUE(user.Window().isVisible()) << "none of these closes";
            dialog.SendMessageA(WM_SYSCOMMAND, SC_CLOSE);  // default processing: closes
            EXPECT_FALSE(user.Window().isVisible());
        },
        [&](CDialog& about) {
            ++aboutBoxes;
            about.EndDialog(IDOK);
        });
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(SystemCommands, CloseByMenuAltF4AndCloseBoxLikeAbbrechen)
{
    const std::function<void(DialogDriver&)> ways[] = {
        [](DialogDriver& user) { MenusDuring([&] { RightClick(user.Window(), {3, 3}); }, SC_CLOSE); },
        [](DialogDriver& user) { QTest::keyClick(user.Edit(IDC_EDIT_INPUT), Qt::Key_F4, Qt::AltModifier); },
        [](DialogDriver& user) { user.Window().close(); },
    };
    for (const auto& way : ways) {
        TempDir dir;
        WriteFile(dir.File("fritz.adr"), "Anna;0301\r\n");
        CConverterDlg dialog;
        const DialogRun run = RunDialog(dialog, [&](DialogDriver& user) {
            user.Type(IDC_EDIT_INPUT, dir.File("fritz.adr"));
            way(user);
        });
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_TRUE(run.messages.empty());
        EXPECT_FALSE(fs::exists(dir.File("phonebook.txt")));
    }
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

TEST(MinimisedDialog, PaintsTheIconCentredAndDragsIt)
{
    const HICON icon = ApplicationIcon();
    ASSERT_TRUE(icon);
    CConverterDlg dialog;
    RunDialog(dialog, [&](DialogDriver& user) {
        QWidget& window = user.Window();
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
