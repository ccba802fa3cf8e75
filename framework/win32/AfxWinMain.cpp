// The framework's entry on Windows.
#include <cstdio>

#include "AfxPlatform.h"
#include "CWinApp.h"

namespace {

// A crash ends the process with a failure status at once, rather than
// waiting in a debugger or an error report that no one may see.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    std::fprintf(stderr, "Abbruch: Ausnahme 0x%08lX\n", exception->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int AfxWinMain(int, char*[])
{
    SetUnhandledExceptionFilter(EndOnCrash);
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
