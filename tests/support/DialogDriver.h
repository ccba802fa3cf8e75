// Plays the user of the main dialog: runs it with DoModal and acts on its
// live widgets while it is open, through the framework's test hooks.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "CDialog.h"
#include "CWinApp.h"
#include "TestHooks.h"
#include "WindowHandle.h"
#include "resource.h"

struct DialogRun {
    INT_PTR result = 0;
    std::vector<AfxMessageBoxInfo> messages;
};

class DialogDriver {
public:
    explicit DialogDriver(QWidget& window) : m_window(window) {}

    QWidget& Window() { return m_window; }
    QWidget* Control(int id) { return m_window.findChild<QWidget*>(QString::number(id)); }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Control(id)); }
    std::string Text(int id) { return Edit(id)->text().toStdString(); }
    // Types into a field as a user does: the field's whole text replaced.
    void Type(int id, const std::string& text) { Edit(id)->setText(QString::fromStdString(text)); }
    void Click(int id) { qobject_cast<QPushButton*>(Control(id))->click(); }

private:
    QWidget& m_window;
};

// Runs dialog as the program's main window; user acts while it is open.
// Message boxes are answered with OK and recorded. If user leaves the dialog
// open, it is cancelled. Dialogs opened over it go to nested.
inline DialogRun RunDialog(CDialog& dialog, const std::function<void(DialogDriver&)>& user,
                           const std::function<void(CDialog&)>& nested = {})
{
    DialogRun run;
    AfxGetApp()->m_pMainWnd = &dialog;
    AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
        run.messages.push_back(info);
        return IDOK;
    });
    AfxTestHooks::SetDialogHandler([&](CDialog& shown) {
        if (&shown != &dialog) {
            if (nested)
                nested(shown);
            return;
        }
        DialogDriver driver(*AfxWidget(shown.m_hWnd));
        user(driver);
    });
    run.result = dialog.DoModal();
    AfxTestHooks::Reset();
    AfxGetApp()->m_pMainWnd = nullptr;
    return run;
}
