// CWinApp: the application object. The framework's entry runs its
// InitInstance; help requests that no window handles come to it.
#pragma once

#include <string>

#include "CWnd.h"

enum AFX_HELP_TYPE {
    afxWinHelp = 0,
    afxHTMLHelp = 1,
};

class CWinApp : public CCmdTarget {
public:
    // Without a name, the framework takes the module's name from the version
    // block ("OriginalFilename" without its extension).
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Shows the program's help: the page <application name>.html, where
    // the platform keeps the program's help, or a message saying where it
    // was looked for. HTML is the only form of help there is here, so the
    // page is shown whatever m_eHelpType says.
    afx_msg void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    LPCTSTR m_pszAppName = nullptr;
    AFX_HELP_TYPE m_eHelpType = afxWinHelp;

    // The application's name: m_pszAppName once the framework has set it.
    const char* AppName();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strAppName;
};

// The one application object.
CWinApp* AfxGetApp();

// The framework's entry: starts the toolkit (which never sees the command
// line beyond the program's path), runs InitInstance and ends when it returns
// FALSE. Returns the process's exit status.
int AfxWinMain(int argc, char* argv[]);
