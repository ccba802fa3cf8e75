#include "ConverterApp.h"

#include "ConverterDlg.h"

BEGIN_MESSAGE_MAP(CConverterApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CConverterApp::CConverterApp()
{
    m_eHelpType = afxHTMLHelp;
}

// The one application object.
CConverterApp theApp;

BOOL CConverterApp::InitInstance()
{
    InitCommonControls();

    CWinApp::InitInstance();

    {
        CConverterDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();  // IDOK after a conversion, IDCANCEL otherwise: the program ends either way
    }
    // The dialog is gone; nothing may reach it through the main window.
    m_pMainWnd = nullptr;

    // No message loop: the framework ends the program.
    return FALSE;
}
