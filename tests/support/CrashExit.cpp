// Linked into every Windows test program: a crash ends the process at once
// with its exception code as the exit status. Without it Wine's debugger may
// take over the crashed process, and the status CTest sees can be 0.
// The program also notes that it started at all, in the file named by
// ZEDULO_STARTED: scripts/wine-run.sh tells a failure of the test from a
// failure of Wine to start it by that.
#include <windows.h>

#include "AfxCrashExit.h"

namespace {

// Installed as the program starts, before main.
const bool g_installed = [] {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    AfxExitOnCrash({"crashed: exception ", true, 0});
    wchar_t marker[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"ZEDULO_STARTED", marker, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return true;
}();

}  // namespace
