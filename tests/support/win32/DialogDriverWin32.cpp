// The dialog driver on the Win32 implementation: the platform's windows,
// driven by the messages a user's mouse and keyboard would cause, each
// delivered through the dialog manager as the dialog's own loop would.
#include "DialogDriver.h"

#include <cstring>

#include "TextEncoding.h"
#include "WindowDescription.h"

namespace {

HWND WindowOf(const CDialog& dialog)
{
    return dialog.m_hWnd;
}

HWND ControlOf(const CDialog& dialog, int id)
{
    return GetDlgItem(dialog.m_hWnd, id);
}

int IdOf(HWND control)
{
    // Controls without an identifier have -1, which windows keep as 0xFFFF.
    const int id = GetDlgCtrlID(control);
    return id == 0xFFFF ? -1 : id;
}

PixelRect ToPixelRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Delivers what is waiting, through the dialog manager for the dialog.
void Pump(HWND dialog)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Key messages as the keyboard sends them: a repeat count of 1, the Alt
// bit where Alt is held.
void PostKey(HWND target, UINT down, WPARAM key, bool alt)
{
    const LPARAM flags = 1 | (alt ? 0x20000000 : 0);
    PostMessageW(target, down, key, flags);
    PostMessageW(target, down == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP, key, flags | 0xC0000000);
}

// The focus moved as the dialog manager moves it, a push button with it
// becoming the default one.
void FocusControl(HWND dialog, HWND control)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

}  // namespace

std::string DialogDriver::Title() const
{
    return AfxWindowText(WindowOf(m_dialog));
}

std::string DialogDriver::OwnerTitle() const
{
    return AfxOwnerTitle(WindowOf(m_dialog));
}

bool DialogDriver::IsOpen() const
{
    return m_dialog.m_hWnd && IsWindowVisible(WindowOf(m_dialog));
}

PixelRect DialogDriver::WindowRect() const
{
    RECT rect{};
    GetWindowRect(WindowOf(m_dialog), &rect);
    return ToPixelRect(rect);
}

PixelRect DialogDriver::ClientRect() const
{
    RECT rect{};
    GetClientRect(WindowOf(m_dialog), &rect);
    MapWindowPoints(WindowOf(m_dialog), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return ToPixelRect(rect);
}

PixelRect DialogDriver::MapDialogRect(int x, int y, int cx, int cy) const
{
    // Each converted on its own, as the dialog manager places controls.
    RECT at{x, y, 0, 0};
    RECT size{0, 0, cx, cy};
    ::MapDialogRect(WindowOf(m_dialog), &at);
    ::MapDialogRect(WindowOf(m_dialog), &size);
    return {at.left, at.top, size.right, size.bottom};
}

PixelRect DialogDriver::PlacementArea() const
{
    // Windows places an ownerless dialog from the screen's top left.
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<ControlView> DialogDriver::Controls() const
{
    std::vector<ControlView> controls;
    HWND dialog = WindowOf(m_dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlView control;
        control.id = IdOf(child);
        control.text = AfxWindowText(child);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        control.rect = ToPixelRect(rect);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        control.tabStop = style & WS_TABSTOP;
        control.enabled = IsWindowEnabled(child);
        control.defaultButton =
            AfxClassName(child) == "Button" && (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
        controls.push_back(control);
    }
    return controls;
}

std::string DialogDriver::Text(int id) const
{
    return AfxWindowText(ControlOf(m_dialog, id));
}

void DialogDriver::Type(int id, const std::string& text)
{
    SetWindowTextW(ControlOf(m_dialog, id), Utf8ToWide(text).c_str());
}

void DialogDriver::Paste(int id, const std::string& text, int cursor)
{
    HWND edit = ControlOf(m_dialog, id);
    const std::wstring wide = Utf8ToWide(text);
    if (OpenClipboard(WindowOf(m_dialog))) {
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    FocusControl(WindowOf(m_dialog), edit);
    SendMessageW(edit, EM_SETSEL, cursor < 0 ? 0 : cursor, cursor < 0 ? -1 : cursor);
    SendMessageW(edit, WM_PASTE, 0, 0);
    Pump(WindowOf(m_dialog));
}

void DialogDriver::Click(int id)
{
    SendMessageW(ControlOf(m_dialog, id), BM_CLICK, 0, 0);
    Pump(WindowOf(m_dialog));
}

void DialogDriver::Press(int id, Key key)
{
    HWND dialog = WindowOf(m_dialog);
    HWND target = id ? ControlOf(m_dialog, id) : dialog;
    if (id)
        FocusControl(dialog, target);
    switch (key) {
    case Key::Enter: PostKey(target, WM_KEYDOWN, VK_RETURN, false); break;
    case Key::Escape: PostKey(target, WM_KEYDOWN, VK_ESCAPE, false); break;
    case Key::Space: PostKey(target, WM_KEYDOWN, VK_SPACE, false); break;
    // Alt+F4 is the window's: its default handling closes it.
    case Key::AltF4: PostKey(dialog, WM_SYSKEYDOWN, VK_F4, true); break;
    // A mnemonic reaches the dialog manager as the character typed with Alt.
    case Key::AltH: PostMessageW(target, WM_SYSCHAR, 'h', 0x20000001); break;
    }
    Pump(dialog);
}

void DialogDriver::Focus(int id)
{
    FocusControl(WindowOf(m_dialog), ControlOf(m_dialog, id));
}

int DialogDriver::FocusedId() const
{
    HWND focus = GetFocus();
    return focus && GetParent(focus) == WindowOf(m_dialog) ? IdOf(focus) : 0;
}

int DialogDriver::NextTabStop(int id) const
{
    return IdOf(GetNextDlgTabItem(WindowOf(m_dialog), ControlOf(m_dialog, id), FALSE));
}

void DialogDriver::Close()
{
    SendMessageW(WindowOf(m_dialog), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(WindowOf(m_dialog));
}

void DialogDriver::SystemCommand(UINT command)
{
    HWND dialog = WindowOf(m_dialog);
    PostKey(dialog, WM_KEYDOWN, VK_ESCAPE, false);
    m_dialog.SendMessageA(WM_SYSCOMMAND, command);
    // An Esc no loop took goes nowhere: the dialog is not the one to get it.
    MSG message;
    while (PeekMessageW(&message, dialog, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    Pump(dialog);
}

void DialogDriver::Minimise()
{
    ShowWindow(WindowOf(m_dialog), SW_MINIMIZE);
    Pump(WindowOf(m_dialog));
}

void DialogDriver::Restore()
{
    ShowWindow(WindowOf(m_dialog), SW_RESTORE);
    Pump(WindowOf(m_dialog));
}
