#include "CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QWindow>
#include <cstring>

#include "AfxDialogWindow.h"
#include "CDataExchange.h"
#include "MenuHandle.h"
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

namespace {

QString TextOf(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->property("afxText").isValid() ? label->property("afxText").toString() : label->text();
    return widget ? widget->windowTitle() : QString();
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd && m_hWnd->attached == this)
        m_hWnd->attached = nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    hWnd->attached = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && hWnd->attached == this)
        hWnd->attached = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (hWnd->attached)
        return hWnd->attached;
    if (!hWnd->standIn) {
        hWnd->standIn = std::make_unique<CWnd>();
        hWnd->standIn->m_hWnd = hWnd;
    }
    return hWnd->standIn.get();
}

void CWnd::GetWindowTextA(CString& text) const
{
    text = TextOf(AfxWidget(m_hWnd)).toUtf8().constData();
}

int CWnd::GetWindowTextA(LPSTR buffer, int maxCount) const
{
    if (!buffer || maxCount <= 0)
        return 0;
    CString text;
    GetWindowTextA(text);
    const int length = std::min(text.GetLength(), maxCount - 1);
    std::memcpy(buffer, text.GetString(), static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return length;
}

void CWnd::SetWindowTextA(LPCSTR text)
{
    QWidget* widget = AfxWidget(m_hWnd);
    const QString value = QString::fromUtf8(text ? text : "");
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        AfxSetLabelText(label, value);
    else if (widget)
        widget->setWindowTitle(value);
}

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Message outer = m_currentMessage;
    m_currentMessage = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_currentMessage = outer;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    *result = 0;
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);

    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*entry->pfn)();
        return TRUE;
    case AfxSig_vwl:
        (this->*AfxFromPmsg<void (CCmdTarget::*)(UINT, LPARAM)>(entry->pfn))(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case AfxSig_hv:
        *result = reinterpret_cast<LRESULT>((this->*AfxFromPmsg<HCURSOR (CCmdTarget::*)()>(entry->pfn))());
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    switch (message) {
    case WM_SETICON: {
        const int which = wParam == ICON_BIG ? ICON_BIG : ICON_SMALL;
        HICON previous = m_hWnd->icons[which];
        m_hWnd->icons[which] = reinterpret_cast<HICON>(lParam);
        // The window shows one icon in all sizes: the large one's, else the small one's.
        HICON shown = m_hWnd->icons[ICON_BIG] ? m_hWnd->icons[ICON_BIG] : m_hWnd->icons[ICON_SMALL];
        if (QWidget* widget = AfxWidget(m_hWnd))
            widget->setWindowIcon(shown ? shown->icon : QIcon());
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(m_hWnd->icons[wParam == ICON_BIG ? ICON_BIG : ICON_SMALL]);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hWnd->icons[ICON_BIG]);
    case WM_ICONERASEBKGND: {
        auto* context = reinterpret_cast<HDC>(wParam);
        if (QWidget* widget = AfxWidget(m_hWnd); context && context->painter && widget)
            context->painter->fillRect(widget->rect(), widget->palette().window());
        return 1;
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            return SendMessageA(WM_CLOSE);
        case SC_MOVE:
            if (QWidget* window = AfxTopLevelWidget(m_hWnd); window && window->windowHandle())
                window->windowHandle()->startSystemMove();
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMessage.message, m_currentMessage.wParam, m_currentMessage.lParam);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    QWidget* widget = AfxWidget(m_hWnd);
    if (!widget)
        return nullptr;
    for (QWidget* child : widget->findChildren<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly)) {
        const QVariant handle = child->property("afxHandle");
        if (handle.isValid())
            return FromHandle(static_cast<HWND>(handle.value<void*>()));
    }
    return nullptr;
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    if (!hWnd || !hWnd->systemMenu)
        return nullptr;
    if (bRevert) {
        AfxResetSystemMenu(*hWnd->systemMenu);
        return nullptr;
    }
    return hWnd->systemMenu;
}

BOOL CWnd::IsIconic() const
{
    QWidget* widget = AfxWidget(m_hWnd);
    return widget && widget->isMinimized();
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    QWidget* widget = AfxWidget(m_hWnd);
    *lpRect = {0, 0, widget ? widget->width() : 0, widget ? widget->height() : 0};
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    QWidget* widget = AfxWidget(m_hWnd);
    const BOOL wasDisabled = widget && !widget->isEnabled();
    if (widget)
        widget->setEnabled(enable);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* widget = AfxWidget(m_hWnd);
    return widget && widget->isEnabled();
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (QWidget* widget = AfxWidget(m_hWnd))
        widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus()
{
    QWidget* focus = QApplication::focusWidget();
    const QVariant handle = focus ? focus->property("afxHandle") : QVariant();
    return handle.isValid() ? FromHandle(static_cast<HWND>(handle.value<void*>())) : nullptr;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;  // bound already
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (control)
        rControl.Attach(control->m_hWnd);
}
