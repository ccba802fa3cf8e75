// CWnd's window operations on Win32 windows.
#include "CWnd.h"

#include "CMenu.h"
#include "Subclassing.h"
#include "TextEncoding.h"
#include "WindowDescription.h"
#include "WindowMap.h"

namespace {

const wchar_t kPreviousProcedure[] = L"AfxPreviousProcedure";

// The procedure the window had before it was subclassed, or the default one.
LRESULT CallPreviousProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hWnd, kPreviousProcedure));
    return previous ? CallWindowProcW(previous, hWnd, message, wParam, lParam)
                    : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The procedure of a window whose messages go through its object first
// (the dialogs): the message map, then the procedure the window had.
LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd* object = AfxAttachedWindow(hWnd))
        return AfxCallWndProc(object, message, wParam, lParam);
    return CallPreviousProcedure(hWnd, message, wParam, lParam);
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd)
        AfxDetachWindow(m_hWnd, this);
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    AfxAttachWindow(hWnd, this);
    return TRUE;
}

void CWnd::GetWindowTextA(CString& text) const
{
    text = AfxWindowText(m_hWnd).c_str();
}

void CWnd::SetWindowTextA(LPCSTR text)
{
    SetWindowTextW(m_hWnd, Utf8ToWide(text ? text : "").c_str());
}

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Through the window's procedure, which hands the window's own messages
    // to this object's WindowProc.
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

void AfxSubclassWindow(HWND hWnd)
{
    const LONG_PTR previous =
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
    SetPropW(hWnd, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return CallPreviousProcedure(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}
