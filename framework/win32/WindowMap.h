// Which object speaks for which window: the one the program attached (a
// dialog, a bound control), or a lasting stand-in made on first request and
// dropped when the window goes.
// On Qt the handle is a structure of ours that holds its object itself
// (qt/WindowHandle.h, and menus alike in qt/MenuHandle.h) and takes it along
// when it goes; a Win32 handle is the system's, so the objects are kept here,
// by handle, and forgotten once IsWindow says the window is gone.
#pragma once

#include "CWnd.h"

// The object attached to the window, or nullptr.
CWnd* AfxAttachedWindow(HWND hWnd);
void AfxAttachWindow(HWND hWnd, CWnd* object);
void AfxDetachWindow(HWND hWnd, const CWnd* object);
// Forgets every window that is gone, and the objects' handles to them.
void AfxForgetDestroyedWindows();
// The top-level window of the object's window, which owns the windows the
// object opens; nullptr for no object or no window.
HWND AfxRootWindow(const CWnd* window);
