// Painting between BeginPaint and EndPaint.
#include "CDC.h"
#include "CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd)
{
    m_hDC = pWnd && pWnd->m_hWnd ? BeginPaint(pWnd->m_hWnd, &m_ps) : nullptr;
}

CPaintDC::~CPaintDC()
{
    if (m_hDC)
        EndPaint(m_pWnd->m_hWnd, &m_ps);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return m_hDC && ::DrawIcon(m_hDC, x, y, hIcon);
}
