// Data exchange between a dialog and its controls (DoDataExchange).
#pragma once

#include "CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: the reverse
    CWnd* m_pDlgWnd;
};

// Binds the dialog's control nIDC to rControl, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
