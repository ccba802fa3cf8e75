#include "CWinApp.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "AfxResources.h"
#include "AfxToolkit.h"
#include "resources/VersionInfo.h"

namespace {

CWinApp* g_application = nullptr;

// What Windows derives from the module's file name: the version block's
// "OriginalFilename" without its extension, else the program's own name.
std::string ModuleName()
{
    const auto version = LoadVersionInfo(AfxResources());
    if (version) {
        const auto original = version->strings.find("OriginalFilename");
        if (original != version->strings.end() && !original->second.empty())
            return original->second.substr(0, original->second.rfind('.'));
    }
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName().toStdString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    g_application = this;
    if (lpszAppName) {
        m_appName = lpszAppName;
        m_pszAppName = m_appName.c_str();
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
        m_appName = ModuleName();
        m_pszAppName = m_appName.c_str();
    }
    return m_pszAppName;
}

CWinApp* AfxGetApp()
{
    return g_application;
}

int AfxWinMain(int argc, char* argv[])
{
    if (!AfxHasDisplay()) {
        std::fputs("Keine grafische Anzeige gefunden.\n", stderr);
        return 1;
    }
    AfxToolkit toolkit(argc > 0 ? argv[0] : nullptr);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->AppName();
    // A program whose InitInstance returns FALSE did its work there and ends
    // without a message loop.
    if (!app->InitInstance())
        return app->ExitInstance();
    QApplication::exec();
    return app->ExitInstance();
}
