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

// The output when none is named, and the name of the standard streams.
inline constexpr const char* kDefaultOutput = "phonebook.txt";
inline constexpr const char* kStandardStream = "-";

// Reports the outcome of a conversion into output with its message
// (Windows-1252), one UTF-8 line: a failure on err (status 1); a success on
// out, or on err when the records went to standard output, so that the two
// are never mixed. A success whose message cannot be written is status 1.
int ReportConversion(bool succeeded, const std::string& message, const std::string& output, std::ostream& out,
                     std::ostream& err);

// Runs the tool on its arguments (without the program name); messages go to
// out (success, help, version) or err (failures, usage), one line each, UTF-8.
int RunConverterTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
