// CFileDialog::DoModal on Qt's own file dialog (not the desktop's), so that it
// behaves the same everywhere.
#include <QFileDialog>

#include "CFileDialog.h"
#include "FileFilter.h"
#include "TestHookState.h"
#include "WindowHandle.h"

namespace {

AfxFileChooserInfo Describe(const QFileDialog& chooser, const OPENFILENAME& settings, QWidget* owner)
{
    AfxFileChooserInfo info;
    if (settings.lpstrInitialDir)
        info.initialDirectory = settings.lpstrInitialDir;
    info.saveMode = chooser.acceptMode() == QFileDialog::AcceptSave;
    info.nativeDialog = !chooser.testOption(QFileDialog::DontUseNativeDialog);
    info.title = chooser.windowTitle().toStdString();
    info.directory = chooser.directory().absolutePath().toStdString();
    info.selectedFile = chooser.selectedFiles().value(0).toStdString();
    info.defaultSuffix = chooser.defaultSuffix().toStdString();
    for (const QString& filter : chooser.nameFilters())
        info.nameFilters.push_back(filter.toStdString());
    info.selectedNameFilter = chooser.selectedNameFilter().toStdString();
    info.acceptLabel = chooser.labelText(QFileDialog::Accept).toStdString();
    info.existingFilesOnly = chooser.fileMode() == QFileDialog::ExistingFile;
    info.confirmOverwrite = !chooser.testOption(QFileDialog::DontConfirmOverwrite);
    info.ownerTitle = owner ? owner->windowTitle().toStdString() : std::string();
    info.modal = chooser.isModal();
    return info;
}

}  // namespace

INT_PTR CFileDialog::DoModal()
{
    QWidget* owner = m_pParentWnd ? AfxTopLevelWidget(m_pParentWnd->m_hWnd) : nullptr;
    QFileDialog chooser(owner);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setModal(true);
    chooser.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    chooser.setFileMode(m_ofn.Flags & OFN_FILEMUSTEXIST ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The chooser asks before an existing file is chosen only if told to.
    chooser.setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
    if (m_ofn.lpstrDefExt && *m_ofn.lpstrDefExt)
        chooser.setDefaultSuffix(QString::fromUtf8(m_ofn.lpstrDefExt));

    QStringList filters;
    for (const FileFilter& filter : ParseFileFilters(m_ofn.lpstrFilter))
        filters << QString::fromStdString(ToolkitNameFilter(filter));
    if (!filters.isEmpty()) {
        chooser.setNameFilters(filters);
        chooser.selectNameFilter(filters.value(static_cast<int>(m_ofn.nFilterIndex) - 1, filters.front()));
    }
    if (m_ofn.lpstrTitle)
        chooser.setWindowTitle(QString::fromUtf8(m_ofn.lpstrTitle));
    if (m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir)
        chooser.setDirectory(QString::fromUtf8(m_ofn.lpstrInitialDir));
    // A name with a folder opens the chooser in that folder.
    if (m_ofn.lpstrFile && *m_ofn.lpstrFile)
        chooser.selectFile(QString::fromUtf8(m_ofn.lpstrFile));

    const std::optional<std::string> chosen = AfxTestHooks::AnswerModal(
        AfxTestHooks::FileChooserHandler(), "file chooser", chooser.windowTitle().toStdString(),
        [&](const auto& handler) { return handler(Describe(chooser, m_ofn, owner)); },
        [&]() -> std::optional<std::string> {
            if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
                return std::nullopt;
            return chooser.selectedFiles().front().toStdString();
        },
        std::optional<std::string>());

    return TakeChosen(chosen);
}
