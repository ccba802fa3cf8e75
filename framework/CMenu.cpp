#include "CMenu.h"

#include "MenuHandle.h"

void AfxResetSystemMenu(HMENU__& menu)
{
    menu.items = {
        {MF_STRING, SC_MOVE, "&Verschieben"},
        {MF_SEPARATOR, 0, ""},
        {MF_STRING, SC_CLOSE, "&Schlie\xC3\x9F" "en\tAlt+F4"},
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

int CMenu::GetMenuItemCount() const
{
    return m_hMenu ? static_cast<int>(m_hMenu->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (!m_hMenu || nPos < 0 || nPos >= GetMenuItemCount())
        return static_cast<UINT>(-1);
    return m_hMenu->items[static_cast<std::size_t>(nPos)].id;
}

int CMenu::GetMenuStringA(UINT nIDItem, CString& text, UINT nFlags) const
{
    text.Empty();
    if (!m_hMenu)
        return 0;
    for (std::size_t i = 0; i < m_hMenu->items.size(); ++i) {
        const AfxMenuItem& item = m_hMenu->items[i];
        const bool match = (nFlags & MF_BYPOSITION) ? i == nIDItem : (item.id == nIDItem && !(item.flags & MF_SEPARATOR));
        if (match) {
            text = item.text.c_str();
            return text.GetLength();
        }
    }
    return 0;
}
