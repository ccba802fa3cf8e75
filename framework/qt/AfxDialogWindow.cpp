#include "AfxDialogWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <optional>

#include "AccessibleNames.h"
#include "AfxGlobals.h"
#include "CDialog.h"
#include "DialogFont.h"
#include "SingleLineValidator.h"
#include "TestHookState.h"

namespace {

QString TextOf(const DialogItem& item)
{
    return item.title.kind == ResourceName::Kind::Text ? QString::fromStdString(item.title.text) : QString();
}

bool HasMnemonic(QString text)
{
    return text.remove(QStringLiteral("&&")).contains(QLatin1Char('&'));
}

// The text with its mnemonic marks taken out, for a static with nothing to
// jump to.
QString WithoutMnemonics(QString text)
{
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        result += text[i];
    }
    return result;
}

}  // namespace

// A label shows "&" as it stands unless it has a buddy; then "&" marks the
// mnemonic and "&&" stands for "&".
void AfxSetLabelText(QLabel* label, const QString& text)
{
    label->setProperty("afxText", text);
    const bool noPrefix = label->property("afxNoPrefix").toBool();
    label->setText(noPrefix || label->buddy() ? text : WithoutMnemonics(text));
}

AfxDialogWindow::AfxDialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner), m_dialog(dialog), m_handle(AfxMakeHandle(this, 0))
{
    const std::uint32_t style = dialogTemplate.style;
    Qt::WindowFlags flags = (dialogTemplate.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QString::fromStdString(dialogTemplate.title));
    setProperty("afxHandle", QVariant::fromValue<void*>(m_handle.get()));
    if (style & WS_SYSMENU) {
        m_systemMenu = std::make_unique<HMENU__>();
        AfxResetSystemMenu(*m_systemMenu);
        m_handle->systemMenu = m_systemMenu.get();
    }

    setFont(AfxDialogFont(dialogTemplate.pointSize));
    const DialogBaseUnits base = AfxBaseUnits(font());
    const QSize client(DialogUnitsToPixelsX(dialogTemplate.cx, base), DialogUnitsToPixelsY(dialogTemplate.cy, base));
    if (style & WS_THICKFRAME)
        resize(client);
    else
        setFixedSize(client);

    std::vector<QWidget*> widgets;
    for (const DialogItem& item : dialogTemplate.items) {
        QWidget* widget = CreateControl(item);
        if (!widget->property("afxIcon").toBool()) {
            widget->setGeometry(DialogUnitsToPixelsX(item.x, base), DialogUnitsToPixelsY(item.y, base),
                                DialogUnitsToPixelsX(item.cx, base), DialogUnitsToPixelsY(item.cy, base));
        } else {
            widget->setGeometry(DialogUnitsToPixelsX(item.x, base), DialogUnitsToPixelsY(item.y, base),
                                GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        }
        widget->setVisible(item.style & WS_VISIBLE);
        widget->setEnabled(!(item.style & WS_DISABLED));
        if (item.style & WS_TABSTOP)
            m_tabStops.push_back(widget);
        widgets.push_back(widget);
    }
    AfxNameControlsByTheirLabels(dialogTemplate.items, widgets);

    // Tab moves through the tab stops in template order: the order the
    // controls were made in, which is the toolkit's focus order.

    // A static's mnemonic moves the focus to the next tab stop after it.
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(widgets[i]);
        if (!label || label->property("afxNoPrefix").toBool() || !HasMnemonic(label->property("afxText").toString()))
            continue;
        for (std::size_t next = i + 1; next < widgets.size(); ++next) {
            if (dialogTemplate.items[next].style & WS_TABSTOP) {
                label->setBuddy(widgets[next]);
                break;
            }
        }
        AfxSetLabelText(label, label->property("afxText").toString());
    }
}

AfxDialogWindow::~AfxDialogWindow()
{
    for (auto& control : m_controls)
        AfxReleaseHandle(*control);
    AfxReleaseHandle(*m_handle);
}

QWidget* AfxDialogWindow::CreateControl(const DialogItem& item)
{
    QWidget* widget = nullptr;
    const QString text = TextOf(item);
    if (item.windowClass.IsOrdinal(kClassButton)) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            button->setDefault(true);
            m_defaultButtonId = item.id;
        }
        const int id = item.id;
        connect(button, &QPushButton::clicked, this, [this, id] { SendCommand(id); });
        button->setFocusPolicy(item.style & WS_TABSTOP ? Qt::StrongFocus : Qt::ClickFocus);
        widget = button;
    } else if (item.windowClass.IsOrdinal(kClassEdit)) {
        auto* edit = new QLineEdit(this);
        edit->setValidator(new SingleLineValidator(edit));
        edit->setText(text);
        edit->setFrame(item.style & WS_BORDER);
        edit->setFocusPolicy(item.style & WS_TABSTOP ? Qt::StrongFocus : Qt::ClickFocus);
        widget = edit;
    } else if (item.windowClass.IsOrdinal(kClassStatic)) {
        auto* label = new QLabel(this);
        label->setFocusPolicy(Qt::NoFocus);
        if ((item.style & SS_TYPEMASK) == SS_ICON) {
            const HICON icon = item.title.kind == ResourceName::Kind::Ordinal
                                   ? LoadIconA(nullptr, MAKEINTRESOURCE(item.title.ordinal))
                                   : nullptr;
            if (icon)
                label->setPixmap(icon->icon.pixmap(icon->width, icon->height));
            label->setProperty("afxIcon", true);
        } else {
            const std::uint32_t type = item.style & SS_TYPEMASK;
            label->setAlignment(Qt::AlignTop |
                                (type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft));
            label->setWordWrap(true);
            label->setTextFormat(Qt::PlainText);
            label->setProperty("afxNoPrefix", static_cast<bool>(item.style & SS_NOPREFIX));
            AfxSetLabelText(label, text);
        }
        widget = label;
    } else {
        widget = new QWidget(this);  // a class this framework does not draw
    }

    widget->setObjectName(QString::number(item.id));
    widget->installEventFilter(this);
    m_controls.push_back(AfxMakeHandle(widget, item.id));
    widget->setProperty("afxHandle", QVariant::fromValue<void*>(m_controls.back().get()));
    return widget;
}

QWidget* AfxDialogWindow::FirstTabStop() const
{
    for (QWidget* widget : m_tabStops) {
        if (widget->isEnabled() && !widget->isHidden())
            return widget;
    }
    return nullptr;
}

void AfxDialogWindow::SendCommand(int id)
{
    CWnd* control = m_dialog.GetDlgItem(id);
    m_dialog.SendMessageA(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(control ? control->m_hWnd : nullptr));
}

void AfxDialogWindow::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused && focused->parentWidget() == this) {
            focused->click();
            return;
        }
        CWnd* defaultButton = m_dialog.GetDlgItem(m_defaultButtonId);
        if (!defaultButton || defaultButton->IsWindowEnabled())
            SendCommand(m_defaultButtonId);
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        SendCommand(IDCANCEL);
        return;
    }
    if (HandleSystemKey(*event))
        return;
    QWidget::keyPressEvent(event);
}

bool AfxDialogWindow::HandleSystemKey(const QKeyEvent& event)
{
    if (event.modifiers() != Qt::AltModifier)
        return false;
    if (event.key() == Qt::Key_F4) {
        m_dialog.SendMessageA(WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (event.key() == Qt::Key_Space && m_systemMenu) {
        ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
        return true;
    }
    return false;
}

bool AfxDialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Alt+F4 and Alt+Space belong to the window, whichever control has the
    // focus (a field would type the space).
    if (event->type() == QEvent::KeyPress && HandleSystemKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void AfxDialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // The dialog's background and its static texts open the system menu;
    // buttons and fields keep their own behaviour.
    QWidget* child = childAt(event->pos());
    if (!m_systemMenu || qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child)) {
        event->ignore();
        return;
    }
    ShowSystemMenu(event->globalPos());
}

std::unique_ptr<QMenu> AfxDialogWindow::BuildSystemMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    for (const AfxMenuItem& item : m_systemMenu->items) {
        if (item.flags & MF_SEPARATOR) {
            menu->addSeparator();
            continue;
        }
        // "text\tshortcut": the menu shows the shortcut beside the text.
        QAction* action = menu->addAction(QString::fromStdString(item.text));
        action->setData(item.id);
    }
    return menu;
}

void AfxDialogWindow::ShowSystemMenu(const QPoint& where)
{
    const std::unique_ptr<QMenu> menu = BuildSystemMenu();
    const std::optional<unsigned> chosen = AfxTestHooks::AnswerModal(
        AfxTestHooks::PopupMenuHandler(), "menu", windowTitle().toStdString(),
        [&](const auto& handler) {
            AfxPopupMenuInfo info;
            info.ownerTitle = windowTitle().toStdString();
            for (QAction* action : menu->actions()) {
                const QStringList parts = action->text().split(QLatin1Char('\t'));
                info.entries.push_back({action->isSeparator(), parts.value(0).toStdString(),
                                        parts.value(1).toStdString(), action->data().toUInt()});
            }
            return handler(info);
        },
        [&]() -> std::optional<unsigned> {
            if (QAction* action = menu->exec(where))
                return action->data().toUInt();
            return std::nullopt;
        },
        std::optional<unsigned>());
    if (chosen)
        m_dialog.SendMessageA(WM_SYSCOMMAND, *chosen, 0);
}

void AfxDialogWindow::ShowControls(bool show)
{
    // A minimised window shows only what the dialog paints itself; its
    // controls come back as they were.
    if (!show && m_hiddenControls.empty()) {
        m_focusBeforeMinimise = focusWidget();
        for (auto& control : m_controls) {
            if (QWidget* widget = control->widget; widget && widget->isVisible()) {
                m_hiddenControls.push_back(widget);
                widget->hide();
            }
        }
    } else if (show && !m_hiddenControls.empty()) {
        for (QWidget* widget : m_hiddenControls) {
            if (widget)
                widget->show();
        }
        m_hiddenControls.clear();
        if (m_focusBeforeMinimise)
            m_focusBeforeMinimise->setFocus(Qt::OtherFocusReason);
    }
}

void AfxDialogWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_handle->paintContext = {&painter, this};
    m_dialog.SendMessageA(WM_PAINT);
    m_handle->paintContext = {};
}

void AfxDialogWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        ShowControls(!isMinimized());
        // While minimised, the window shows the icon the dialog drags with.
        HICON shown = reinterpret_cast<HICON>(m_dialog.SendMessageA(WM_GETICON, ICON_BIG));
        if (isMinimized()) {
            if (HICON dragged = reinterpret_cast<HICON>(m_dialog.SendMessageA(WM_QUERYDRAGICON)))
                shown = dragged;
        }
        if (shown)
            setWindowIcon(shown->icon);
    }
    QDialog::changeEvent(event);
}

void AfxDialogWindow::closeEvent(QCloseEvent* event)
{
    // The dialog decides; it ends itself through EndDialog if it agrees.
    event->ignore();
    m_dialog.SendMessageA(WM_SYSCOMMAND, SC_CLOSE, 0);
}
