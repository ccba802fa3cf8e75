#include "AfxCrashExit.h"

namespace {

AfxCrashPolicy g_policy;

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (g_policy.lineFormat) {
        // Without the C runtime: its locks may be held by the crashed code.
        char line[128];
        const int length = wsprintfA(line, g_policy.lineFormat, record.ExceptionCode, record.ExceptionAddress);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    }
    TerminateProcess(GetCurrentProcess(), g_policy.status ? g_policy.status : record.ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void AfxExitOnCrash(const AfxCrashPolicy& policy)
{
    g_policy = policy;
    SetUnhandledExceptionFilter(EndOnCrash);
}
