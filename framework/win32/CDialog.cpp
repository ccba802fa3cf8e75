// CDialog on the platform's own dialog manager.
#include "CDialog.h"

#include "DialogSetup.h"
#include "Subclassing.h"
#include "TestHookState.h"
#include "WindowMap.h"

namespace {

// Posted to a dialog once it is on screen, for the test's dialog handler.
// WM_APP and up are the program's own; the offset keeps clear of the first
// few, which the program's code may take for messages of its own.
constexpr UINT kAnswerDialog = WM_APP + 0x2A0;

struct ModalRun {
    CDialog* dialog = nullptr;
    bool answered = false;  // by a test's handler
};

// Centres the window over its owner, or in the work area of its monitor.
void CentreWindow(HWND window, HWND owner)
{
    RECT area{};
    if (owner && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog manager's procedure for our dialogs: at WM_INITDIALOG the
// object takes the window over; everything after goes through its
// WindowProc first.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* run = reinterpret_cast<ModalRun*>(lParam);
    CDialog& dialog = *run->dialog;
    dialog.Attach(window);
    AfxSubclassWindow(window);
    const BOOL focusFirstTabStop = dialog.OnInitDialog();
    if (dialog.CheckAutoCenter())
        CentreWindow(window, GetWindow(window, GW_OWNER));
    if (run->answered)
        PostMessageW(window, kAnswerDialog, 0, 0);
    return focusFirstTabStop;
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    const auto data = AfxDialogTemplateData(*this);
    const auto dialogTemplate = data ? ParseDialogTemplate(*data) : std::nullopt;
    if (!dialogTemplate)
        return -1;
    CWnd* owner = AfxDialogOwner(*this);
    HWND ownerWindow = AfxRootWindow(owner);

    m_bEnded = false;
    ModalRun run{this, false};
    const auto show = [&] {
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(data->data()),
                                       ownerWindow, DialogProcedure, reinterpret_cast<LPARAM>(&run));
    };
    const INT_PTR result = AfxTestHooks::AnswerModal(
        AfxTestHooks::DialogHandler(), "dialog", dialogTemplate->title,
        [&](const auto&) {
            run.answered = true;
            return show();
        },
        show, static_cast<INT_PTR>(IDCANCEL));

    AfxForgetDestroyedWindows();
    m_hWnd = nullptr;
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_bEnded = true;
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kAnswerDialog) {
        // On screen first, as the dialog manager shows a template without
        // WS_VISIBLE once its queue is empty; then the test plays the user,
        // and a dialog it leaves open is cancelled.
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);
        if (const auto& handler = AfxTestHooks::DialogHandler())
            handler(*this);
        if (!m_bEnded)
            EndDialog(IDCANCEL);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
