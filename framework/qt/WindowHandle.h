// What the handles of the Qt implementation stand for. Private to the
// framework (and its tests, which look at the live widgets).
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "CWnd.h"

class QPainter;

struct HDC__ {
    QPainter* painter = nullptr;
    QWidget* widget = nullptr;
};

struct HWND__ {
    QPointer<QWidget> widget;
    int id = 0;
    HMENU systemMenu = nullptr;  // kept by the dialog window
    // While the window handles WM_PAINT: what paints it.
    HDC__ paintContext;
    // The object that speaks for the window: attached by the program, or a
    // stand-in made on first request. Kept in the handle, which is ours and
    // goes with the window (on Win32, whose handles are the system's, they
    // are kept in a map: win32/WindowMap.h).
    CWnd* attached = nullptr;
    std::unique_ptr<CWnd> standIn;
    HICON icons[2] = {nullptr, nullptr};  // ICON_SMALL, ICON_BIG
};

struct HICON__ {
    QIcon icon;
    int width = 32;
    int height = 32;
};

struct HINSTANCE__ {
};

// The widget of a window, or nullptr.
inline QWidget* AfxWidget(HWND hWnd)
{
    return hWnd ? hWnd->widget.data() : nullptr;
}

// The top-level window of a window's widget, the owner of what it shows.
inline QWidget* AfxTopLevelWidget(HWND hWnd)
{
    QWidget* widget = AfxWidget(hWnd);
    return widget ? widget->window() : nullptr;
}

// Makes a window handle for a widget.
std::unique_ptr<HWND__> AfxMakeHandle(QWidget* widget, int id);
// Cuts every object loose from a handle about to go.
void AfxReleaseHandle(HWND__& handle);
