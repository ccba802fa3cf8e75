// Renders the program's dialogs offscreen into PNG files for the README:
//     bash scripts/screenshots.sh
// The dialogs are the program's own classes, opened with DoModal as the
// program opens them. Without a window manager nothing draws a frame, so
// this draws a plain title bar above each picture.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <string>

#include "AfxDialogWindow.h"
#include "AfxToolkit.h"
#include "ConverterDlg.h"
#include "TestHooks.h"
#include "WindowHandle.h"

namespace {

QImage WithTitleBar(QWidget& window)
{
    const QPixmap client = window.grab();
    const int bar = 30;
    QImage image(client.width() + 2, client.height() + bar + 1, QImage::Format_ARGB32);
    image.fill(QColor(0x3C, 0x3F, 0x44));
    QPainter painter(&image);
    painter.drawPixmap(1, bar, client);
    const QIcon icon = window.windowIcon();
    if (!icon.isNull())
        painter.drawPixmap(8, (bar - 16) / 2, icon.pixmap(16, 16));
    painter.setPen(Qt::white);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(30, 0, image.width() - 60, bar), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawText(QRect(image.width() - 28, 0, 20, bar), Qt::AlignCenter, QStringLiteral("\u2715"));
    return image;
}

bool Save(const QImage& image, const std::string& path)
{
    const bool saved = image.save(QString::fromStdString(path));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    return saved;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    AfxToolkit toolkit(argv[0]);
    bool saved = true;

    // The main dialog with an input typed in; its system menu open as Alt+Space
    // opens it; the About box over it.
    CConverterDlg dialog;
    AfxTestHooks::SetDialogHandler([&](CDialog& shown) {
        QWidget& window = *AfxWidget(shown.m_hWnd);
        if (&shown != &dialog) {
            saved = Save(WithTitleBar(window), folder + "/about-box.png") && saved;
            shown.EndDialog(IDOK);
            return;
        }
        shown.GetDlgItem(IDC_EDIT_INPUT)->SetWindowTextA("/home/anna/Dokumente/fritzbox-telefonbuch.adr");
        const QImage main = WithTitleBar(window);
        saved = Save(main, folder + "/main-dialog.png") && saved;

        const std::unique_ptr<QMenu> menu = static_cast<AfxDialogWindow&>(window).BuildSystemMenu();
        menu->ensurePolished();
        menu->resize(menu->sizeHint());
        QImage withMenu = main;
        QPainter(&withMenu).drawPixmap(1, 30, menu->grab());
        saved = Save(withMenu, folder + "/system-menu.png") && saved;

        shown.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX);
        shown.EndDialog(IDCANCEL);
    });
    AfxGetApp()->m_pMainWnd = &dialog;
    dialog.DoModal();
    AfxTestHooks::Reset();
    return saved ? 0 : 1;
}
