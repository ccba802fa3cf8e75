// The dialog's messages for inputs and outputs only one platform has.
#pragma once

#include <string>
#include <vector>

#include "TempDir.h"
#include "WinTypes.h"

struct MessageCase {
    std::string input;
    std::string output;
    std::string message;  // UTF-8, as the box shows it
    INT_PTR result;
};

// Prepares what the cases need in dir.
std::vector<MessageCase> PlatformMessageCases(const TempDir& dir);
// Checks that those cases created nothing and changed nothing they used.
void CheckPlatformMessageCasesLeftNothing(const TempDir& dir);
