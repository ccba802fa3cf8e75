// How a window's messages are routed: the message map first, then the
// platform's default processing. The same on every platform.
#include "CWnd.h"

#include "CDataExchange.h"

LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pWnd->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message outer = m_msgCurrent;
    m_msgCurrent = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_msgCurrent = outer;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    *result = 0;
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);

    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*entry->pfn)();
        return TRUE;
    case AfxSig_vwl:
        (this->*AfxFromPmsg<void (CCmdTarget::*)(UINT, LPARAM)>(entry->pfn))(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case AfxSig_hv:
        *result = reinterpret_cast<LRESULT>((this->*AfxFromPmsg<HCURSOR (CCmdTarget::*)()>(entry->pfn))());
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_msgCurrent.message, m_msgCurrent.wParam, m_msgCurrent.lParam);
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}
