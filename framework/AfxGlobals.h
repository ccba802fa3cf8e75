// The platform functions the program calls outside any class. On Windows
// they are the platform's own, but for the framework's AfxFindResourceHandle.
#pragma once

#include "WinTypes.h"

#if defined(_WIN32)
#include <commctrl.h>
#endif

// The module holding the named resource: this program itself.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

#if !defined(_WIN32)
// The icon group from the module's resources, at the standard (large) icon
// size; icons are shared by the module and never destroyed. nullptr if there
// is no such icon.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
int GetSystemMetrics(int nIndex);
void InitCommonControls();
#endif
