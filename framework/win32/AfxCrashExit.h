// How a Windows program of ours ends when it crashes: at once, with a failure
// status, rather than in a debugger or an error report that no one may see
// (and that under Wine can leave the parent a status of 0).
#pragma once

#include <windows.h>

struct AfxCrashPolicy {
    // Said on standard error, a wsprintfA format given the exception code
    // and its address (in that order; a format may leave the address out);
    // nullptr for nothing.
    const char* lineFormat = nullptr;
    // The exit status; 0 for the exception code itself.
    UINT status = 0;
};

// Installs the policy for every crash of the process from now on.
void AfxExitOnCrash(const AfxCrashPolicy& policy);
