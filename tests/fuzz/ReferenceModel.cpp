#include "ReferenceModel.h"

#include <vector>

namespace {

// Step 1: split at LF; the text after the last LF is a line if it is not empty.
std::vector<std::string> SplitLines(const std::string& input)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\n') {
            lines.push_back(input.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < input.size())
        lines.push_back(input.substr(start));
    return lines;
}

// Step 2: one CR before the LF goes with the ending; so does a CR that is the
// file's final byte, which ends the last line too.
std::string DropLineEnding(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// Step 3.
std::string CutAtNul(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

// Step 4: the non-empty runs between semicolons, as strtok gives them.
std::vector<std::string> Fields(const std::string& text)
{
    std::vector<std::string> fields;
    std::string current;
    for (char c : text) {
        if (c == ';') {
            if (!current.empty())
                fields.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        fields.push_back(current);
    return fields;
}

}  // namespace

ModelResult ReferenceConvert(const std::string& input, std::size_t maxFieldLength)
{
    ModelResult result;
    for (const std::string& line : SplitLines(input)) {
        const std::vector<std::string> fields = Fields(CutAtNul(DropLineEnding(line)));
        if (fields.size() < 2)
            continue;
        const std::string& name = fields[0];
        const std::string& number = fields[1];
        if (number[0] < '0' || number[0] > '9')
            continue;
        if (name.size() > maxFieldLength || number.size() > maxFieldLength)
            continue;
        result.records += number + ";" + name + "\n";
        ++result.recordCount;
    }
    return result;
}

bool ReferenceStartsLikeXml(const std::string& input)
{
    if (input.rfind("\xFF\xFE", 0) == 0 || input.rfind("\xFE\xFF", 0) == 0)
        return true;
    const std::string window = input.substr(0, 4096);
    std::size_t start = window.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    start = window.find_first_not_of(" \t\r\n", start);
    if (start == std::string::npos)
        return false;
    return window.compare(start, 5, "<?xml") == 0 || window.compare(start, 11, "<phonebooks") == 0;
}
