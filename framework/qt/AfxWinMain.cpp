// The framework's entry on Qt.
#include <QApplication>
#include <cstdio>

#include "AfxPlatform.h"
#include "AfxTexts.h"
#include "AfxToolkit.h"
#include "CWinApp.h"

int AfxWinMain(int argc, char* argv[])
{
    if (!AfxHasDisplay()) {
        std::fputs(kAfxNoDisplay, stderr);
        return 1;
    }
    AfxToolkit toolkit(argc > 0 ? argv[0] : nullptr);
    CWinApp* app = AfxGetApp();
    return app ? AfxRunApp(*app) : 1;
}

void AfxRunMessageLoop()
{
    QApplication::exec();
}
