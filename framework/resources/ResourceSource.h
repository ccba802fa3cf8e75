// Where a program's resources are found: in the compiled resource file it
// carries (Linux), or in the module itself (Windows). The readers of
// strings, icons and version blocks work on either.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

// Resource types, as numbered by Windows.
enum ResourceType : std::uint16_t {
    kRtIcon = 3,
    kRtDialog = 5,
    kRtString = 6,
    kRtGroupIcon = 14,
    kRtVersion = 16,
};

class ResourceSource {
public:
    // The bytes of the resource of that type with that number, or nothing.
    virtual std::optional<std::span<const std::uint8_t>> FindData(std::uint16_t type, std::uint16_t id) const = 0;

protected:
    ~ResourceSource() = default;
};
