#include "WindowDescription.h"

#include "TextEncoding.h"

std::string AfxWindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return WideToUtf8(text);
}

std::string AfxClassName(HWND window)
{
    wchar_t name[256];
    return WideToUtf8(std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256))));
}

std::vector<HWND> AfxVisibleChildren(HWND window)
{
    // By their own style: the window itself may not be shown yet.
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)
            children.push_back(child);
    }
    return children;
}

std::string AfxOwnerTitle(HWND window)
{
    HWND owner = GetWindow(window, GW_OWNER);
    return owner ? AfxWindowText(owner) : std::string();
}

bool AfxIsModal(HWND window)
{
    HWND owner = GetWindow(window, GW_OWNER);
    return !owner || !IsWindowEnabled(owner);
}
