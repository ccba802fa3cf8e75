#include "CDataExchange.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;  // bound already
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (control)
        rControl.Attach(control->m_hWnd);
}
