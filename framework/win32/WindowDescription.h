// What the test hooks are told of a window the platform built: its texts
// and those of its children.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::string AfxWindowText(HWND window);
std::string AfxClassName(HWND window);
// The children of the window that are shown with it, in their order.
std::vector<HWND> AfxVisibleChildren(HWND window);
// The title of the window that owns this one, empty if none.
std::string AfxOwnerTitle(HWND window);
// Whether the window is modal: its owner, if it has one, takes no input
// while it is open.
bool AfxIsModal(HWND window);
