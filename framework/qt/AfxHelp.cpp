// CWinApp::OnHelp: the program's help is one HTML page, installed beside the
// program (in the build tree) or under share/ (installed).
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "CWinApp.h"
#include "TestHookState.h"
#include "WindowHandle.h"

namespace {

QStringList HelpFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return {programFolder, QDir::cleanPath(programFolder + "/../share/" + programName)};
}

}  // namespace

void CWinApp::OnHelp()
{
    const QString pageName = QString::fromUtf8(AppName()) + ".html";
    const QStringList folders = HelpFolders();
    QString page;
    for (const QString& folder : folders) {
        if (QFileInfo(folder + "/" + pageName).isFile()) {
            page = folder + "/" + pageName;
            break;
        }
    }

    CWnd* owner = m_pMainWnd;
    if (page.isEmpty()) {
        const QString message = QString("Die Hilfeseite \xE2\x80\x9E%1\xE2\x80\x9C wurde nicht gefunden.\nGesucht in:\n%2")
                                    .arg(pageName, folders.join('\n'));
        CWnd stranger;  // a message box without owner when there is no main window
        (owner ? owner : &stranger)->MessageBoxA(message.toUtf8().constData());
        return;
    }

    QWidget* ownerWidget = owner ? AfxTopLevelWidget(owner->m_hWnd) : nullptr;
    QDialog window(ownerWidget);
    window.setWindowTitle(QString::fromUtf8(AppName()) + " \xE2\x80\x93 Hilfe");
    window.setModal(true);
    auto* layout = new QVBoxLayout(&window);
    auto* browser = new QTextBrowser(&window);
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(page));
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.resize(560, 480);

    if (const auto& handler = AfxTestHooks::HelpWindowHandler()) {
        handler({window.windowTitle().toStdString(), browser->source().toLocalFile().toStdString(),
                 ownerWidget ? ownerWidget->windowTitle().toStdString() : std::string(), window.isModal()});
        return;
    }
    if (!AfxTestHooks::SkipUnanswered("help window", window.windowTitle().toStdString()))
        window.exec();
}
