// CDialog: a dialog built from a template of the program's resources (or one
// held in memory), run modally with DoModal until EndDialog.
#pragma once

#include <cstddef>

#include "CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A dialog whose template InitModalIndirect gives.
    CDialog();
    ~CDialog() override;

    // Takes the template from memory instead of the resources: size bytes at
    // lpDialogTemplate, which must stay until the dialog has ended.
    BOOL InitModalIndirect(const void* lpDialogTemplate, std::size_t size, CWnd* pParentWnd = nullptr);

    // Creates the window, calls OnInitDialog, runs until EndDialog and
    // returns its result; -1 if the template cannot be loaded.
    virtual INT_PTR DoModal();
    // Runs the data exchange once; TRUE lets the first tab stop take the focus.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);

    // Whether the framework centres the dialog over its owner: a template at
    // 0, 0 without a style that places it (DS_CENTER, DS_CENTERMOUSE,
    // DS_ABSALIGN). Any other template stands where it says.
    BOOL CheckAutoCenter();

    BOOL OnCmdMsg(UINT nID, int nCode) override;

    UINT m_nIDHelp;  // the template's identifier
    CWnd* m_pParentWnd;
    const void* m_lpDialogTemplate = nullptr;  // a template in memory, if any
    std::size_t m_nDialogTemplateSize = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    int m_result = 0;  // where the toolkit keeps none (Windows' dialog manager does)
    bool m_bEnded = false;
};
