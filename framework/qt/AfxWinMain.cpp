// The framework's entry on Qt.
#include <QApplication>
#include <cstdio>

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
