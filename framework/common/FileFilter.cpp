#include "FileFilter.h"

namespace {

std::string ToolkitPattern(const std::string& pattern)
{
    return pattern == "*.*" ? "*" : pattern;
}

}  // namespace

std::string BarsToNuls(const char* filter)
{
    std::string result = filter ? filter : "";
    for (char& c : result) {
        if (c == '|')
            c = '\0';
    }
    return result;
}

static std::vector<std::string> SplitPatterns(const std::string& patterns)
{
    std::vector<std::string> result;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = patterns.find(';', start);
        const std::string pattern = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!pattern.empty())
            result.push_back(pattern);
        if (end == std::string::npos)
            return result;
        start = end + 1;
    }
}

std::vector<FileFilter> ParseFileFilters(const char* nulSeparated)
{
    std::vector<FileFilter> filters;
    // Each entry is two NUL-terminated texts; an empty text ends the list.
    for (const char* p = nulSeparated; p && *p;) {
        FileFilter filter;
        filter.description = p;
        p += filter.description.size() + 1;
        if (*p) {
            const std::string patterns = p;
            p += patterns.size() + 1;
            filter.patterns = SplitPatterns(patterns);
        }
        filters.push_back(filter);
    }
    return filters;
}

std::string ToolkitNameFilter(const FileFilter& filter)
{
    std::string patterns;
    for (const std::string& pattern : filter.patterns) {
        if (!patterns.empty())
            patterns += ' ';
        patterns += ToolkitPattern(pattern);
    }

    std::string description = filter.description;
    // A description that already names its patterns in parentheses at the
    // end has them replaced; any other gets them added.
    const auto open = description.rfind('(');
    if (!description.empty() && description.back() == ')' && open != std::string::npos)
        description.erase(open);
    else if (!description.empty())
        description += ' ';
    return description + "(" + patterns + ")";
}
