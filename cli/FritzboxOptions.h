// The options of zedulo-convert's download from the FritzBox (--fritzbox and
// the three that go with it), taken out of the arguments before the others
// are read.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct FritzboxOptions {
    std::optional<std::string> address;
    std::optional<std::string> phonebook;
    std::optional<std::string> user;
    std::optional<std::string> certificate;

    // Whether any of the three that need --fritzbox was given.
    bool AnyCompanion() const { return phonebook || user || certificate; }
};

// Moves the download's options ("--fritzbox=X" or "--fritzbox X", ...)
// from args into options, up to a "--"; what remains is left in args.
// False, with the offending argument in bad, for one without its value.
bool TakeFritzboxOptions(std::vector<std::string>& args, FritzboxOptions& options, std::string& bad);
