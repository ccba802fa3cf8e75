#include "FritzboxOptions.h"

#include <utility>

namespace {

std::optional<std::string>* Slot(FritzboxOptions& options, const std::string& name)
{
    if (name == "--fritzbox")
        return &options.address;
    if (name == "--telefonbuch")
        return &options.phonebook;
    if (name == "--benutzer")
        return &options.user;
    if (name == "--zertifikat")
        return &options.certificate;
    return nullptr;
}

}  // namespace

bool TakeFritzboxOptions(std::vector<std::string>& args, FritzboxOptions& options, std::string& bad)
{
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        const std::size_t equals = arg.find('=');
        std::optional<std::string>* slot = Slot(options, arg.substr(0, equals));
        if (!slot) {
            rest.push_back(arg);
            continue;
        }
        if (equals != std::string::npos) {
            *slot = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            *slot = args[++i];
        } else {
            bad = arg;
            return false;
        }
        if ((*slot)->empty()) {
            bad = arg;
            return false;
        }
    }
    args = std::move(rest);
    return true;
}
