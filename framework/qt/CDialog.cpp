#include "CDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "AfxDialogWindow.h"
#include "AfxResources.h"
#include "CWinApp.h"
#include "TestHookState.h"
#include "resources/ResourceFile.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

std::optional<DialogTemplate> LoadTemplate(UINT id)
{
    const ResourceEntry* entry = AfxResources().Find(kRtDialog, static_cast<std::uint16_t>(id));
    return entry ? ParseDialogTemplate(entry->data) : std::nullopt;
}

// Centres the window's client area over its owner's, or on the screen.
void Centre(QWidget& window, QWidget* owner)
{
    QRect area;
    if (owner)
        area = owner->geometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    window.setGeometry(QRect(area.center() - window.rect().center(), window.size()));
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    const std::optional<DialogTemplate> dialogTemplate = LoadTemplate(m_nIDHelp);
    if (!dialogTemplate || !QGuiApplication::instance())
        return -1;

    // Without a parent, a dialog belongs to the application's main window.
    CWnd* owner = m_pParentWnd;
    if (!owner && AfxGetApp() && AfxGetApp()->m_pMainWnd != this)
        owner = AfxGetApp()->m_pMainWnd;
    QWidget* ownerWidget = owner ? AfxTopLevelWidget(owner->m_hWnd) : nullptr;

    AfxDialogWindow window(*this, *dialogTemplate, ownerWidget);
    m_window = &window;
    m_hWnd = window.Handle();
    m_hWnd->attached = this;
    m_ended = false;
    m_result = IDCANCEL;

    const BOOL focusFirstTabStop = OnInitDialog();
    if (!m_ended) {
        if (focusFirstTabStop) {
            if (QWidget* first = window.FirstTabStop())
                first->setFocus(Qt::TabFocusReason);
        }
        if (CheckAutoCenter())
            Centre(window, ownerWidget);
        if (const auto& handler = AfxTestHooks::DialogHandler()) {
            window.show();
            handler(*this);
            if (!m_ended)
                EndDialog(IDCANCEL);
        } else if (AfxTestHooks::SkipUnanswered("dialog", window.windowTitle().toStdString())) {
            EndDialog(IDCANCEL);
        } else {
            window.exec();
        }
    }

    m_window = nullptr;
    m_hWnd = nullptr;
    return m_result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_result = nResult;
    m_ended = true;
    if (m_window)
        m_window->done(nResult);
}

BOOL CDialog::CheckAutoCenter()
{
    const std::optional<DialogTemplate> dialogTemplate = LoadTemplate(m_nIDHelp);
    if (!dialogTemplate)
        return FALSE;
    const bool centredByStyle = dialogTemplate->style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN);
    return !centredByStyle && dialogTemplate->x == 0 && dialogTemplate->y == 0;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // What the dialog does not handle goes to the application object.
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode);
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
