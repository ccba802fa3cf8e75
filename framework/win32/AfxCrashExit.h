// How a Windows program of ours ends when it crashes: at once, with a failure
// status, rather than in a debugger or an error report that no one may see
// (and that under Wine can leave the parent a status of 0). The dialog
// program, the command-line converter and the test programs each give their
// own policy.
#pragma once

#include <windows.h>

struct AfxCrashPolicy {
    // Said on standard error before the exception code ("0x" and eight hex
    // digits), nullptr for nothing.
    const char* line = nullptr;
    // Whether the line goes on with " at " and the exception's address.
    bool withAddress = false;
    // The exit status; 0 for the exception code itself.
    UINT status = 0;
};

// Installs the policy for every crash of the process from now on.
void AfxExitOnCrash(const AfxCrashPolicy& policy);
