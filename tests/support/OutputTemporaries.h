// The hidden temporary files the converter writes beside "out.txt", seen
// from outside while it runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Those in the folder, by name.
std::vector<std::string> OutputTemporaries(const std::filesystem::path& folder);
// Whether one of them comes to hold records (the conversion is midway)
// within ten seconds.
bool WaitForRecordsInATemporary(const std::filesystem::path& folder);
