// The dialog driver on the Qt implementation: the live widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "DialogDriver.h"
#include "DialogFont.h"
#include "DialogWidgets.h"
#include "WindowHandle.h"

QWidget& WindowOf(const CDialog& dialog)
{
    return *AfxWidget(dialog.m_hWnd);
}

QWidget* ControlOf(const CDialog& dialog, int id)
{
    return WindowOf(dialog).findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

namespace {

PixelRect ToPixelRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

std::string DialogDriver::Title() const
{
    return WindowOf(m_dialog).windowTitle().toStdString();
}

std::string DialogDriver::OwnerTitle() const
{
    QWidget* owner = WindowOf(m_dialog).parentWidget();
    return owner ? owner->windowTitle().toStdString() : std::string();
}

bool DialogDriver::IsOpen() const
{
    return m_dialog.m_hWnd && WindowOf(m_dialog).isVisible();
}

PixelRect DialogDriver::WindowRect() const
{
    return ToPixelRect(WindowOf(m_dialog).frameGeometry());
}

PixelRect DialogDriver::ClientRect() const
{
    QWidget& window = WindowOf(m_dialog);
    return ToPixelRect(QRect(window.mapToGlobal(QPoint(0, 0)), window.size()));
}

PixelRect DialogDriver::MapDialogRect(int x, int y, int cx, int cy) const
{
    const DialogBaseUnits base = AfxBaseUnits(WindowOf(m_dialog).font());
    return {DialogUnitsToPixelsX(x, base), DialogUnitsToPixelsY(y, base), DialogUnitsToPixelsX(cx, base),
            DialogUnitsToPixelsY(cy, base)};
}

PixelRect DialogDriver::PlacementArea() const
{
    return ToPixelRect(QGuiApplication::primaryScreen()->availableGeometry());
}

std::vector<ControlView> DialogDriver::Controls() const
{
    std::vector<ControlView> controls;
    for (QWidget* widget : WindowOf(m_dialog).findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        ControlView control;
        control.id = widget->objectName().toInt();
        CString text;
        CWnd::FromHandle(static_cast<HWND>(widget->property("afxHandle").value<void*>()))->GetWindowTextA(text);
        control.text = text.Str();
        control.rect = ToPixelRect(widget->geometry());
        control.tabStop = widget->focusPolicy() == Qt::StrongFocus;
        control.enabled = widget->isEnabled();
        auto* button = qobject_cast<QPushButton*>(widget);
        control.defaultButton = button && button->isDefault();
        controls.push_back(control);
    }
    return controls;
}

std::string DialogDriver::Text(int id) const
{
    CString text;
    m_dialog.GetDlgItem(id)->GetWindowTextA(text);
    return text.Str();
}

void DialogDriver::Type(int id, const std::string& text)
{
    qobject_cast<QLineEdit*>(ControlOf(m_dialog, id))->setText(QString::fromStdString(text));
}

void DialogDriver::Paste(int id, const std::string& text, int cursor)
{
    auto* edit = qobject_cast<QLineEdit*>(ControlOf(m_dialog, id));
    edit->setFocus();
    if (cursor < 0)
        edit->selectAll();
    else
        edit->setCursorPosition(cursor);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void DialogDriver::Click(int id)
{
    qobject_cast<QAbstractButton*>(ControlOf(m_dialog, id))->click();
}

void DialogDriver::Press(int id, Key key)
{
    QWidget* target = id ? ControlOf(m_dialog, id) : &WindowOf(m_dialog);
    target->setFocus();
    switch (key) {
    case Key::Enter: QTest::keyClick(target, Qt::Key_Return); break;
    case Key::Escape: QTest::keyClick(target, Qt::Key_Escape); break;
    case Key::Space:
        QTest::keyClick(target, Qt::Key_Space);
        QTest::keyRelease(target, Qt::Key_Space);
        break;
    case Key::AltF4: QTest::keyClick(target, Qt::Key_F4, Qt::AltModifier); break;
    case Key::AltH:
        // Mnemonics work in the active window, as the user's is; the toolkit
        // presses a button by its mnemonic with a short animation.
        WindowOf(m_dialog).activateWindow();
        if (!QTest::qWaitForWindowActive(&WindowOf(m_dialog)))
            return;
        QTest::keyClick(target, Qt::Key_H, Qt::AltModifier);
        QTest::qWait(300);
        break;
    }
}

void DialogDriver::Focus(int id)
{
    ControlOf(m_dialog, id)->setFocus();
}

int DialogDriver::FocusedId() const
{
    QWidget* focus = WindowOf(m_dialog).focusWidget();
    return focus && focus->parentWidget() == &WindowOf(m_dialog) ? focus->objectName().toInt() : 0;
}

int DialogDriver::NextTabStop(int id) const
{
    QWidget* at = ControlOf(m_dialog, id);
    do
        at = at->nextInFocusChain();
    while (at->focusPolicy() != Qt::StrongFocus || !at->isEnabled());
    return at->objectName().toInt();
}

void DialogDriver::Close()
{
    WindowOf(m_dialog).close();
}

void DialogDriver::SystemCommand(UINT command)
{
    m_dialog.SendMessageA(WM_SYSCOMMAND, command);
}

void DialogDriver::Minimise()
{
    WindowOf(m_dialog).showMinimized();
}

void DialogDriver::Restore()
{
    WindowOf(m_dialog).showNormal();
}
