// CMenu: a window's menu, here the system menu of a dialog.
#pragma once

#include <string>

#include "CString.h"
#include "WinTypes.h"

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    // The object for a menu handle, owned by the menu; nullptr for none.
    static CMenu* FromHandle(HMENU hMenu);

    // Appends a separator (MF_SEPARATOR) or a text item (MF_STRING) with the
    // command identifier nIDNewItem.
    BOOL AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
};

#if !defined(_WIN32)
// The window's system menu; with bRevert the menu is set back to the
// platform's entries and nothing is returned.
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
#endif
