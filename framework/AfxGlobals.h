// The platform functions the program calls outside any class.
#pragma once

#include "WinTypes.h"

// The module holding the named resource: this program itself.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The icon group from the module's resources, at the standard (large) icon
// size; icons are shared by the module and never destroyed. nullptr if there
// is no such icon.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
int GetSystemMetrics(int nIndex);
void InitCommonControls();
