#include "AfxPlatform.h"
#include "CWinApp.h"

int AfxRunApp(CWinApp& app)
{
    app.AppName();
    // A program whose InitInstance returns FALSE did its work there and ends
    // without a message loop.
    if (!app.InitInstance())
        return app.ExitInstance();
    AfxRunMessageLoop();
    return app.ExitInstance();
}
