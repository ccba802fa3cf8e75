// Painting: a device context, and the one that paints a window while it
// handles WM_PAINT.
#pragma once

#include "WinTypes.h"

class CWnd;

class CDC {
public:
    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    // Draws the icon at its standard size with its top left at x, y.
    BOOL DrawIcon(int x, int y, HICON hIcon);
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

#if defined(_WIN32)
    PAINTSTRUCT m_ps{};
#endif

private:
    CWnd* m_pWnd;
};

#if !defined(_WIN32)
BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);
#endif

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    operator LPRECT() { return this; }
};
