// Routing a window's messages through its object: the object's WindowProc
// first (its message map), then the procedure the window had, which the
// object's DefWindowProc calls.
#pragma once

#include <windows.h>

LRESULT CALLBACK AfxWindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void AfxSubclassWindow(HWND hWnd);
void AfxUnsubclassWindow(HWND hWnd);
