#include "ResourceFile.h"

#include "ByteReader.h"

std::optional<ResourceFile> ResourceFile::Parse(std::span<const std::uint8_t> bytes)
{
    ResourceFile file;
    ByteReader reader(bytes);
    while (reader.Remaining() > 0) {
        const std::size_t start = reader.Offset();
        const std::uint32_t dataSize = reader.Read32();
        const std::uint32_t headerSize = reader.Read32();
        ResourceEntry entry;
        entry.type = reader.ReadNameOrOrdinal();
        entry.name = reader.ReadNameOrOrdinal();
        reader.AlignTo4();
        reader.Skip(4 + 2);  // data version, memory flags
        entry.language = reader.Read16();
        reader.Skip(4 + 4);  // version, characteristics
        if (reader.Failed() || headerSize < reader.Offset() - start)
            return std::nullopt;
        reader.Skip(start + headerSize - reader.Offset());
        entry.data = reader.ReadBytes(dataSize);
        reader.AlignTo4();
        if (reader.Failed())
            return std::nullopt;
        // The file begins with an empty entry of type 0 that only marks the format.
        const bool marker = dataSize == 0 && (entry.type.IsOrdinal(0) || entry.type.kind == ResourceName::Kind::None);
        if (!marker)
            file.m_entries.push_back(entry);
    }
    return file;
}

const ResourceEntry* ResourceFile::Find(std::uint16_t type, std::uint16_t id) const
{
    for (const ResourceEntry& entry : m_entries) {
        if (entry.type.IsOrdinal(type) && entry.name.IsOrdinal(id))
            return &entry;
    }
    return nullptr;
}

std::optional<std::span<const std::uint8_t>> ResourceFile::FindData(std::uint16_t type, std::uint16_t id) const
{
    const ResourceEntry* entry = Find(type, id);
    return entry ? std::optional(entry->data) : std::nullopt;
}
