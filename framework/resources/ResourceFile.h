// A compiled resource file (.res): the list of resources, each with its type,
// name, language and bytes. The program carries one embedded and reads its
// dialogs, strings, icons and version block from it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ResourceName.h"
#include "ResourceSource.h"

struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    std::uint16_t language = 0;
    std::span<const std::uint8_t> data;  // into the parsed bytes
};

class ResourceFile : public ResourceSource {
public:
    // The entries of a .res image, or nothing if it is malformed or cut short.
    // The bytes must outlive the result.
    static std::optional<ResourceFile> Parse(std::span<const std::uint8_t> bytes);

    // The first resource of that type with that numeric name, or nullptr.
    const ResourceEntry* Find(std::uint16_t type, std::uint16_t id) const;
    std::optional<std::span<const std::uint8_t>> FindData(std::uint16_t type, std::uint16_t id) const override;
    const std::vector<ResourceEntry>& Entries() const { return m_entries; }

private:
    std::vector<ResourceEntry> m_entries;
};
