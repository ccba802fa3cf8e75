// Painting a window while it handles WM_PAINT.
#include <QPainter>

#include "CDC.h"
#include "CWnd.h"
#include "WindowHandle.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    HWND hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    // Outside WM_PAINT there is nothing to paint on; drawing then does nothing.
    m_hDC = hWnd && hWnd->paintContext.painter ? &hWnd->paintContext : nullptr;
}

CPaintDC::~CPaintDC() = default;

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon)
{
    if (!hDC || !hDC->painter || !hIcon)
        return FALSE;
    hDC->painter->drawPixmap(x, y, hIcon->icon.pixmap(hIcon->width, hIcon->height));
    return TRUE;
}
