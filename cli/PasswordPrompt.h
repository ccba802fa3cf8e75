// The FritzBox password: from the environment (FRITZ_PASSWORD, as the
// common FritzBox tools name it), else asked on the terminal without echo.
// Never an option: every user of the machine sees a command line.
#pragma once

#include <optional>
#include <string>

// The password, or nothing when there is none in the environment and
// standard input is no terminal (or the prompt was ended without one).
// The prompt names the box; it goes to the terminal, not to a redirected
// standard error.
std::optional<std::string> FritzboxPassword(const std::string& address);

// The user name from FRITZ_USERNAME, or empty.
std::string FritzboxUserFromEnvironment();
