// CDialog: a dialog built from a template of the program's resources, run
// modally with DoModal until EndDialog.
#pragma once

#include <memory>

#include "CWnd.h"

class AfxDialogWindow;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the window, calls OnInitDialog, runs until EndDialog and
    // returns its result; -1 if the template cannot be loaded.
    virtual INT_PTR DoModal();
    // Runs the data exchange once; TRUE lets the first tab stop take the focus.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);

    // A template at 0, 0 without a centring style is shown centred.
    BOOL CheckAutoCenter();

    BOOL OnCmdMsg(UINT nID, int nCode) override;

    UINT m_nIDHelp;  // the template's identifier
    CWnd* m_pParentWnd;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    AfxDialogWindow* m_window = nullptr;
    int m_result = 0;
    bool m_ended = false;
};
