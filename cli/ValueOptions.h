// Options that take a value, written "--name=VALUE" or "--name VALUE".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class ValueOption {
    NotThisOne,  // args[at] is another argument
    Taken,       // the option and its value
    NoValue,     // the option as the last argument, without its value
};

// Whether args[at] is the option called name ("--landesvorwahl"); when it
// is, its value goes into value and at moves to the last argument it took.
ValueOption TakeValueOption(const std::vector<std::string>& args, std::size_t& at, std::string_view name,
                            std::string& value);
