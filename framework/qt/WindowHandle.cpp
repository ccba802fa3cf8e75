#include "WindowHandle.h"

std::unique_ptr<HWND__> AfxMakeHandle(QWidget* widget, int id)
{
    auto handle = std::make_unique<HWND__>();
    handle->widget = widget;
    handle->id = id;
    return handle;
}

void AfxReleaseHandle(HWND__& handle)
{
    if (handle.attached)
        handle.attached->m_hWnd = nullptr;
    handle.attached = nullptr;
}
