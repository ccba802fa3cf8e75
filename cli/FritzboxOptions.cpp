#include "FritzboxOptions.h"

#include <utility>

#include "ValueOptions.h"

bool TakeFritzboxOptions(std::vector<std::string>& args, FritzboxOptions& options, std::string& bad)
{
    const std::pair<const char*, std::optional<std::string>*> slots[] = {
        {"--fritzbox", &options.address},
        {"--telefonbuch", &options.phonebook},
        {"--benutzer", &options.user},
        {"--zertifikat", &options.certificate},
    };
    std::vector<std::string> rest;
    for (std::size_t at = 0; at < args.size(); ++at) {
        if (args[at] == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(at), args.end());
            break;
        }
        ValueOption taken = ValueOption::NotThisOne;
        for (const auto& [name, slot] : slots) {
            std::string value;
            taken = TakeValueOption(args, at, name, value);
            if (taken == ValueOption::NotThisOne)
                continue;
            if (taken == ValueOption::NoValue || value.empty()) {
                bad = name;
                return false;
            }
            *slot = std::move(value);
            break;
        }
        if (taken == ValueOption::NotThisOne)
            rest.push_back(args[at]);
    }
    args = std::move(rest);
    return true;
}
