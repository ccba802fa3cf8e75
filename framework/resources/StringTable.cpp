#include "StringTable.h"

#include "ByteReader.h"
#include "ResourceSource.h"
#include "TextEncoding.h"

std::optional<std::string> LoadResourceString(const ResourceSource& resources, std::uint16_t id)
{
    const auto block = resources.FindData(kRtString, static_cast<std::uint16_t>(id / 16 + 1));
    if (!block)
        return std::nullopt;
    ByteReader reader(*block);
    for (int index = 0; index < 16; ++index) {
        const std::uint16_t length = reader.Read16();
        std::u16string text;
        for (std::uint16_t i = 0; i < length; ++i)
            text += static_cast<char16_t>(reader.Read16());
        if (reader.Failed())
            return std::nullopt;
        if (index == id % 16)
            return length ? std::optional(Utf16ToUtf8(text)) : std::nullopt;
    }
    return std::nullopt;
}
