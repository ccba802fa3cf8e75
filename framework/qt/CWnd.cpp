#include "CWnd.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QWindow>

#include "AfxDialogWindow.h"
#include "CMenu.h"
#include "WindowHandle.h"

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
    // The window's procedure is this object's own.
    return WindowProc(message, wParam, lParam);
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
            // The window manager moves the window on its own: the dialog hears
            // that the move began and was handed over.
            SendMessageA(WM_ENTERSIZEMOVE);
            if (QWidget* window = AfxTopLevelWidget(m_hWnd); window && window->windowHandle())
                window->windowHandle()->startSystemMove();
            SendMessageA(WM_EXITSIZEMOVE);
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
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
