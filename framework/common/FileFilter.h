// The file choosers' filter list: pairs of a description and its patterns.
#pragma once

#include <string>
#include <vector>

struct FileFilter {
    std::string description;      // "FritzBox Telefonbuch (*.adr)"
    std::vector<std::string> patterns;  // "*.adr"
};

// "description|patterns|...||" as the program writes it, to the form the
// settings record holds: the same with NUL bytes for the bars.
std::string BarsToNuls(const char* filter);
// The pairs of a settings record's list ("d\0p\0...\0\0"); patterns are
// separated by ";" within an entry.
std::vector<FileFilter> ParseFileFilters(const char* nulSeparated);
// The entry for a chooser that reads patterns from the parentheses of its
// text: "*.*", which means every file on Windows, becomes "*", and the
// description ends in the patterns it filters by.
std::string ToolkitNameFilter(const FileFilter& filter);
