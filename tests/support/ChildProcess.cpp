// What starting a program means on every platform; the platform's half is in
// ChildProcessPosix.cpp or ChildProcessWin32.cpp.
#include "ChildProcess.h"

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                      const ChildOptions& options)
{
    return ChildProcess(program, args, options).Wait();
}
