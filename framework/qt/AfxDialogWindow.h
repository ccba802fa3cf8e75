// The window of a CDialog: a Qt dialog with the controls of its template,
// placed in dialog units, and the keyboard of a Windows dialog: Enter presses
// the focused push button or else the default one, Esc cancels, the close
// box asks the dialog to close.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "MenuHandle.h"
#include "WindowHandle.h"
#include "resources/DialogTemplate.h"

class CDialog;
class QLabel;
class QMenu;

class AfxDialogWindow : public QDialog {
public:
    AfxDialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* owner);
    ~AfxDialogWindow() override;

    HWND Handle() { return m_handle.get(); }
    // The first control in template order that takes the focus by Tab.
    QWidget* FirstTabStop() const;

    // The system menu as a toolkit menu, to pop up or to look at.
    std::unique_ptr<QMenu> BuildSystemMenu();
    // Pops the system menu up at a point of the screen; the entry chosen is
    // sent to the dialog as WM_SYSCOMMAND.
    void ShowSystemMenu(const QPoint& where);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateControl(const DialogItem& item);
    void SendCommand(int id);
    void ShowControls(bool show);
    bool HandleSystemKey(const QKeyEvent& event);

    CDialog& m_dialog;
    std::unique_ptr<HWND__> m_handle;
    std::unique_ptr<HMENU__> m_systemMenu;
    std::vector<std::unique_ptr<HWND__>> m_controls;
    std::vector<QWidget*> m_tabStops;
    std::vector<QPointer<QWidget>> m_hiddenControls;
    QPointer<QWidget> m_focusBeforeMinimise;
    int m_defaultButtonId = IDOK;  // what Enter presses when no push button has the focus
};

// Sets a static text's text: "&" marks the mnemonic of the control after it
// unless the static has SS_NOPREFIX.
void AfxSetLabelText(QLabel* label, const QString& text);
