// CWnd::MessageBoxA on Qt's message box.
#include <QAbstractButton>
#include <QMessageBox>

#include "CWinApp.h"
#include "TestHookState.h"
#include "WindowHandle.h"

namespace {

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

AfxMessageBoxInfo Describe(const QMessageBox& box, const QWidget* owner)
{
    AfxMessageBoxInfo info;
    info.caption = box.windowTitle().toStdString();
    info.text = box.text().toStdString();
    info.hasIcon = box.icon() != QMessageBox::NoIcon;
    for (QAbstractButton* button : box.buttons())
        info.buttons.push_back(button->text().toStdString());
    info.ownerTitle = owner ? owner->windowTitle().toStdString() : std::string();
    info.modal = box.isModal();
    return info;
}

}  // namespace

int CWnd::MessageBoxA(LPCSTR text, LPCSTR caption, UINT type)
{
    QWidget* owner = AfxTopLevelWidget(m_hWnd);
    CWinApp* app = AfxGetApp();
    QMessageBox box(owner);
    box.setWindowTitle(QString::fromUtf8(caption ? caption : app ? app->AppName() : ""));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromUtf8(text ? text : ""));
    box.setIcon(IconOf(type));
    const bool withCancel = (type & 0xF) == MB_OKCANCEL;
    box.setStandardButtons(withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);

    return AfxTestHooks::AnswerModal(
        AfxTestHooks::MessageBoxHandler(), "message box", box.text().toStdString(),
        [&](const auto& handler) { return handler(Describe(box, owner)); },
        [&] { return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL; }, static_cast<int>(IDOK));
}
