// The help page on Linux: one HTML page beside the program (in the build
// tree) or under share/<program>/ (installed), shown in a window of its own.
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "AfxPlatform.h"
#include "CWnd.h"
#include "TestHookState.h"
#include "WindowHandle.h"

AfxHelpSearch AfxFindHelpPage(const std::string& pageName)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    AfxHelpSearch search;
    for (const QString& folder : {programFolder, QDir::cleanPath(programFolder + "/../share/" + programName)}) {
        search.folders.push_back(folder.toStdString());
        const QString page = folder + "/" + QString::fromStdString(pageName);
        if (!search.page && QFileInfo(page).isFile())
            search.page = page.toStdString();
    }
    return search;
}

void AfxShowHelpPage(CWnd* owner, const std::string& page, const std::string& title)
{
    QWidget* ownerWidget = owner ? AfxTopLevelWidget(owner->m_hWnd) : nullptr;
    QDialog window(ownerWidget);
    window.setWindowTitle(QString::fromStdString(title));
    window.setModal(true);
    auto* layout = new QVBoxLayout(&window);
    auto* browser = new QTextBrowser(&window);
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(QString::fromStdString(page)));
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.resize(560, 480);

    AfxTestHooks::AnswerModal(
        AfxTestHooks::HelpWindowHandler(), "help window", title,
        [&](const auto& handler) {
            handler({title, browser->source().toLocalFile().toStdString(),
                     ownerWidget ? ownerWidget->windowTitle().toStdString() : std::string(), window.isModal()});
            return 0;
        },
        [&] { return window.exec(); }, 0);
}
