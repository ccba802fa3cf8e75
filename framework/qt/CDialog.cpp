// CDialog's window on Qt: built from the template by AfxDialogWindow.
#include "CDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "AfxDialogWindow.h"
#include "DialogFont.h"
#include "DialogSetup.h"
#include "TestHookState.h"

namespace {

// The area a dialog is placed in: its owner's, else the screen's.
QRect PlacementArea(QWidget* owner)
{
    if (owner)
        return owner->geometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Where the window stands: centred over its owner (or the screen), or with
// its client area at the template's position from the owner's top left
// (from the screen's with DS_ABSALIGN), as Windows places it.
void Place(QWidget& window, QWidget* owner, const DialogTemplate& dialogTemplate, bool centred)
{
    QRect area = PlacementArea(dialogTemplate.style & DS_ABSALIGN ? nullptr : owner);
    if (centred || (dialogTemplate.style & DS_CENTER)) {
        if (dialogTemplate.style & DS_CENTER)
            area = PlacementArea(nullptr);
        window.setGeometry(QRect(area.center() - window.rect().center(), window.size()));
        return;
    }
    const DialogBaseUnits base = AfxBaseUnits(window.font());
    const QPoint at(DialogUnitsToPixelsX(dialogTemplate.x, base), DialogUnitsToPixelsY(dialogTemplate.y, base));
    window.setGeometry(QRect(area.topLeft() + at, window.size()));
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    const std::optional<DialogTemplate> dialogTemplate = AfxLoadDialogTemplate(*this);
    if (!dialogTemplate || !QGuiApplication::instance())
        return -1;

    CWnd* owner = AfxDialogOwner(*this);
    QWidget* ownerWidget = owner ? AfxTopLevelWidget(owner->m_hWnd) : nullptr;

    AfxDialogWindow window(*this, *dialogTemplate, ownerWidget);
    m_hWnd = window.Handle();
    m_hWnd->attached = this;
    m_bEnded = false;
    m_result = IDCANCEL;

    const BOOL focusFirstTabStop = OnInitDialog();
    if (!m_bEnded) {
        if (focusFirstTabStop) {
            if (QWidget* first = window.FirstTabStop())
                first->setFocus(Qt::TabFocusReason);
        }
        Place(window, ownerWidget, *dialogTemplate, CheckAutoCenter());
        AfxTestHooks::AnswerModal(
            AfxTestHooks::DialogHandler(), "dialog", window.windowTitle().toStdString(),
            [&](const auto& handler) {
                window.show();
                handler(*this);
                return 0;
            },
            [&] { return window.exec(); }, 0);
        // A dialog no one ended, answered or not, is cancelled.
        if (!m_bEnded)
            EndDialog(IDCANCEL);
    }

    m_hWnd = nullptr;
    return m_result;
}

void CDialog::EndDialog(int nResult)
{
    m_result = nResult;
    m_bEnded = true;
    if (auto* window = qobject_cast<QDialog*>(AfxWidget(m_hWnd)))
        window->done(nResult);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // Closing a dialog is cancelling it.
        CWnd* cancel = GetDlgItem(IDCANCEL);
        SendMessageA(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel ? cancel->m_hWnd : nullptr));
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
