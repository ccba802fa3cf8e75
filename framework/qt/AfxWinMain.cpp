// The framework's entry on Qt.
#include <QApplication>
#include <cstdio>

#include "AfxPlatform.h"
#include "AfxToolkit.h"
#include "CWinApp.h"

int AfxWinMain(int argc, char* argv[])
{
    if (!AfxHasDisplay()) {
        std::fputs("Keine grafische Anzeige gefunden.\n", stderr);
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
