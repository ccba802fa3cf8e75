// The window of a CDialog: a Qt dialog with the controls of its template,
// placed in dialog units, and the keyboard of a Windows dialog: Enter presses
// the focused push button or else the default one, Esc cancels, the close
// box asks the dialog to close.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "WindowHandle.h"
#include "resources/DialogTemplate.h"

class CDialog;
class QLabel;

class AfxDialogWindow : public QDialog {
public:
    AfxDialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* owner);
    ~AfxDialogWindow() override;

    HWND Handle() { return m_handle.get(); }
    // The first control in template order that takes the focus by Tab.
    QWidget* FirstTabStop() const;
    // The identifier Enter presses when no push button has the focus.
    int DefaultButtonId() const { return m_defaultButtonId; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* CreateControl(const DialogItem& item);
    void SendCommand(int id);

    CDialog& m_dialog;
    std::unique_ptr<HWND__> m_handle;
    std::vector<std::unique_ptr<HWND__>> m_controls;
    std::vector<QWidget*> m_tabStops;
    int m_defaultButtonId = IDOK;
};

// Sets a static text's text: "&" marks the mnemonic of the control after it
// unless the static has SS_NOPREFIX.
void AfxSetLabelText(QLabel* label, const QString& text);
