#include "CMenu.h"

#include "AfxTexts.h"
#include "MenuHandle.h"
#include "WindowHandle.h"

void AfxResetSystemMenu(HMENU__& menu)
{
    menu.items = {
        {MF_STRING, SC_MOVE, kAfxMenuMove},
        {MF_SEPARATOR, 0, ""},
        {MF_STRING, SC_CLOSE, kAfxMenuClose},
    };
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    if (!hMenu->object) {
        hMenu->object = std::make_unique<CMenu>();
        hMenu->object->m_hMenu = hMenu;
    }
    return hMenu->object.get();
}

BOOL CMenu::AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (!m_hMenu)
        return FALSE;
    const bool separator = nFlags & MF_SEPARATOR;
    m_hMenu->items.push_back({nFlags, separator ? 0u : static_cast<UINT>(nIDNewItem),
                              separator || !lpszNewItem ? "" : lpszNewItem});
    return TRUE;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    if (!hWnd || !hWnd->systemMenu)
        return nullptr;
    if (bRevert) {
        AfxResetSystemMenu(*hWnd->systemMenu);
        return nullptr;
    }
    return hWnd->systemMenu;
}
