// Runs a program as a script would and reports what it did.
#pragma once

#include <string>
#include <vector>

struct ChildOutcome {
    int exitStatus = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
    long peakResidentKiB = 0;
};

// Runs program with args, its environment this process's less the variables
// named in unset.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& unset = {});
