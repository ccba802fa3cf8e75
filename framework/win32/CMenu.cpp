// CMenu on the platform's menus.
#include "CMenu.h"

#include <map>
#include <memory>

#include "TextEncoding.h"

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    // By handle, as the handle is the system's (WindowMap.h says why the Qt
    // half keeps the object in the handle instead). Never dropped: a menu
    // handle the system hands out again gets the same object, which holds
    // nothing but the handle, and a program opens few dialogs.
    static std::map<HMENU, std::unique_ptr<CMenu>> objects;
    std::unique_ptr<CMenu>& object = objects[hMenu];
    if (!object) {
        object = std::make_unique<CMenu>();
        object->m_hMenu = hMenu;
    }
    return object.get();
}

BOOL CMenu::AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (!m_hMenu)
        return FALSE;
    if (nFlags & MF_SEPARATOR)
        return AppendMenuW(m_hMenu, nFlags, nIDNewItem, nullptr);
    return AppendMenuW(m_hMenu, nFlags, nIDNewItem, Utf8ToWide(lpszNewItem ? lpszNewItem : "").c_str());
}
