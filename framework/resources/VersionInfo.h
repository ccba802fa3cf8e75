// The version block (VS_VERSIONINFO): the fixed numbers and the texts of its
// first string table.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ResourceSource;

struct VersionInfo {
    std::uint16_t fileVersion[4] = {};
    std::uint16_t productVersion[4] = {};
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0;
    std::uint32_t fileType = 0;
    std::string stringTableKey;  // language and code page, e.g. "040704e4"
    std::map<std::string, std::string> strings;  // "OriginalFilename" -> "Program.exe", ...
    std::vector<std::uint32_t> translations;     // language in the low word, code page in the high
};

std::optional<VersionInfo> ParseVersionInfo(std::span<const std::uint8_t> bytes);
std::optional<VersionInfo> LoadVersionInfo(const ResourceSource& resources);
