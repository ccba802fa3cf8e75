// Narrow path texts are UTF-8 on every platform, as in the program; these
// turn them into paths (UTF-16 on Windows) and back.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path PathOf(const std::string& text);
std::string TextOf(const std::filesystem::path& path);
