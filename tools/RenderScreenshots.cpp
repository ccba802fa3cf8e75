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
#include "ShootDialogs.h"
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
    const bool saved = ShootDialogs("/home/anna/Dokumente/fritzbox-telefonbuch.adr", [&](CDialog& shown,
                                                                                      const char* picture) {
        QWidget& window = *AfxWidget(shown.m_hWnd);
        const QImage image = WithTitleBar(window);
        bool saved = Save(image, folder + "/" + picture + ".png");
        if (std::string(picture) == "main-dialog") {
            // The system menu open over it, as Alt+Space opens it.
            const std::unique_ptr<QMenu> menu = static_cast<AfxDialogWindow&>(window).BuildSystemMenu();
            menu->ensurePolished();
            menu->resize(menu->sizeHint());
            QImage withMenu = image;
            QPainter(&withMenu).drawPixmap(1, 30, menu->grab());
            saved = Save(withMenu, folder + "/system-menu.png") && saved;
        }
        return saved;
    });
    return saved ? 0 : 1;
}
