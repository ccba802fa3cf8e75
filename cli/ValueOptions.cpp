#include "ValueOptions.h"

ValueOption TakeValueOption(const std::vector<std::string>& args, std::size_t& at, std::string_view name,
                            std::string& value)
{
    const std::string_view arg = args[at];
    if (!arg.starts_with(name))
        return ValueOption::NotThisOne;
    const std::string_view rest = arg.substr(name.size());
    if (rest.starts_with('=')) {
        value = rest.substr(1);
        return ValueOption::Taken;
    }
    if (!rest.empty())
        return ValueOption::NotThisOne;  // "--namefoo" is another option
    if (at + 1 == args.size())
        return ValueOption::NoValue;
    value = args[++at];
    return ValueOption::Taken;
}
