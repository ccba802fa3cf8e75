// Routing a window's messages through its object: the object's WindowProc
// first (its message map), then the procedure the window had, which the
// object's DefWindowProc calls.
#pragma once

#include <windows.h>

// The window's messages go to its attached object from now on.
void AfxSubclassWindow(HWND hWnd);
