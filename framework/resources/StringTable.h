// String resources: Windows keeps them in blocks of sixteen, block n holding
// the strings numbered 16 * (n - 1) to 16 * (n - 1) + 15.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class ResourceSource;

// The string with that number as UTF-8, or nothing if there is none (or it
// is empty, which Windows does not tell apart).
std::optional<std::string> LoadResourceString(const ResourceSource& resources, std::uint16_t id);
