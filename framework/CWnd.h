// CWnd: a window as the program sees it, the dialog or one of its controls.
// Messages sent to it go through its message map, then to the platform's
// default processing.
#pragma once

#include "CString.h"
#include "CCmdTarget.h"

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window this object speaks for, or nullptr before it exists.
    HWND m_hWnd = nullptr;

    // Makes this object speak for an existing window (a dialog's control).
    BOOL Attach(HWND hWnd);
    // The object speaking for a window: the attached one, or a lasting
    // stand-in owned by the window.
    static CWnd* FromHandle(HWND hWnd);

    void GetWindowTextA(CString& text) const;
    void SetWindowTextA(LPCSTR text);
    // A modal box owned by this window's dialog; no caption gives the
    // application's name. Returns the button pressed (IDOK, ...).
    int MessageBoxA(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    LRESULT SendMessageA(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* GetDlgItem(int id) const;
    // The window's system menu (see GetSystemMenu), or nullptr.
    CMenu* GetSystemMenu(BOOL bRevert) const;
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;

protected:
    // Default handlers of the messages a map may route to the program.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();

    // Every message passes here: the message map first, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // The platform's own handling of a message the map did not take.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();

    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

private:
    // The platform's window procedure hands a window's messages in here.
    friend LRESULT AfxCallWndProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);

    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    Message m_msgCurrent;
};
