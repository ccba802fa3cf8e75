// The framework's entry on Windows.
#include "AfxCrashExit.h"
#include "AfxPlatform.h"
#include "AfxTexts.h"
#include "CWinApp.h"

int AfxWinMain(int, char*[])
{
    // A crash says so in German and ends the program with status 3.
    AfxExitOnCrash({kAfxCrashLine, false, 3});
    CWinApp* app = AfxGetApp();
    return app ? AfxRunApp(*app) : 1;
}

void AfxRunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
