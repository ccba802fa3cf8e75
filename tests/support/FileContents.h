// Byte-exact reading and writing of whole files, and a description of a
// folder's tree to tell whether anything in it changed.
#pragma once

#include <filesystem>
#include <map>
#include <string>

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Each entry below root (relative path) with what it is: a folder, a link and
// its target, or a file with its size and a hash of its bytes. Two equal
// descriptions mean nothing was created, removed or changed.
std::map<std::string, std::string> DescribeTree(const std::filesystem::path& root);
