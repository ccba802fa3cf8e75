#include "CWinApp.h"

#include "AfxPlatform.h"
#include "AfxTexts.h"
#include "resources/ResourceSource.h"
#include "resources/VersionInfo.h"

namespace {

CWinApp* g_application = nullptr;

// What Windows derives from the module's file name: the version block's
// "OriginalFilename" without its extension, else the program's own name.
std::string ModuleName()
{
    const auto version = LoadVersionInfo(AfxProgramResources());
    if (version) {
        const auto original = version->strings.find("OriginalFilename");
        if (original != version->strings.end() && !original->second.empty())
            return original->second.substr(0, original->second.rfind('.'));
    }
    return AfxModuleBaseName();
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    g_application = this;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

const char* CWinApp::AppName()
{
    if (!m_pszAppName) {
        m_strAppName = ModuleName();
        m_pszAppName = m_strAppName.c_str();
    }
    return m_pszAppName;
}

void CWinApp::OnHelp()
{
    const std::string pageName = std::string(AppName()) + ".html";
    const AfxHelpSearch search = AfxFindHelpPage(pageName);
    if (search.page) {
        AfxShowHelpPage(m_pMainWnd, *search.page, std::string(AppName()) + kAfxHelpTitleSuffix);
        return;
    }
    std::string message = kAfxHelpPageMissingBefore + pageName + kAfxHelpPageMissingAfter;
    for (const std::string& folder : search.folders)
        message += "\n" + folder;
    CWnd stranger;  // a message box without owner when there is no main window
    (m_pMainWnd ? m_pMainWnd : &stranger)->MessageBoxA(message.c_str());
}

CWinApp* AfxGetApp()
{
    return g_application;
}
