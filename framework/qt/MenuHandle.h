// What a menu handle stands for: its items in order. Private to the framework.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CMenu.h"

struct AfxMenuItem {
    UINT flags = MF_STRING;
    UINT id = 0;
    std::string text;  // mnemonic and shortcut text: "&Close\tAlt+F4"
};

struct HMENU__ {
    std::vector<AfxMenuItem> items;
    std::unique_ptr<CMenu> object;
};

// A dialog's system menu as the platform starts it for a dialog that cannot
// be resized: move, then close.
void AfxResetSystemMenu(HMENU__& menu);
