// Linked into every Windows test program: a crash ends the process at once
// with its exception code as the exit status. Without it Wine's debugger may
// take over the crashed process, and the status CTest sees can be 0.
#include <windows.h>

namespace {

LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* exception)
{
    TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Installed as the program starts, before main.
const bool g_installed = [] {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ExitOnCrash);
    return true;
}();

}  // namespace
