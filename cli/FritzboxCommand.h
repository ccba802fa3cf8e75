// zedulo-convert --fritzbox: the phonebook downloaded from the box and
// converted into AUSGABEDATEI.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "CallingCodes.h"
#include "FritzboxOptions.h"

// Runs the download with the options and the remaining arguments (at most
// the output); international numbers are written as dialled from ownCountry. Status 0, 1, or 2 for a usage error, with usage (the
// command's help) after the word of what was wrong.
int RunFritzboxCommand(const FritzboxOptions& options, const std::vector<std::string>& paths,
                       const CallingCode& ownCountry, const char* usage, std::ostream& out, std::ostream& err);
