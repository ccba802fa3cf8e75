// zedulo-convert: the conversion command for scripts and batch use.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum ExitStatus {
    kExitSuccess = 0,
    kExitConversionFailed = 1,
    kExitUsage = 2,
};

// Runs the tool on its arguments (without the program name); messages go to
// out (success, help, version) or err (failures, usage), one line each, UTF-8.
int RunConverterTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
