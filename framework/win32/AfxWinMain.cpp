// The framework's entry on Windows.
#include "AfxPlatform.h"
#include "AfxTexts.h"
#include "CWinApp.h"

namespace {

// A crash ends the process with a failure status at once, rather than
// waiting in a debugger or an error report that no one may see. The line
// goes out without the C runtime: its locks may be held by the crashed code.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    char line[64];
    const int length = wsprintfA(line, kAfxCrashLineFormat, exception->ExceptionRecord->ExceptionCode);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
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
