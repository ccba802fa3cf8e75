#include "ByteReader.h"

#include "TextEncoding.h"

bool ByteReader::Take(std::size_t count)
{
    if (m_failed || count > m_bytes.size() - m_offset) {
        m_failed = true;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::Read8()
{
    if (!Take(1))
        return 0;
    return m_bytes[m_offset++];
}

std::uint16_t ByteReader::Read16()
{
    if (!Take(2))
        return 0;
    const std::uint16_t value = static_cast<std::uint16_t>(m_bytes[m_offset] | m_bytes[m_offset + 1] << 8);
    m_offset += 2;
    return value;
}

std::uint32_t ByteReader::Read32()
{
    const std::uint32_t low = Read16();
    const std::uint32_t high = Read16();
    return low | high << 16;
}

std::string ByteReader::ReadString()
{
    std::u16string text;
    for (;;) {
        const char16_t c = Read16();
        if (c == 0 || m_failed)
            break;
        text += c;
    }
    return Utf16ToUtf8(text);
}

ResourceName ByteReader::ReadNameOrOrdinal()
{
    if (!Take(2))
        return ResourceName::None();
    const std::uint16_t first = static_cast<std::uint16_t>(m_bytes[m_offset] | m_bytes[m_offset + 1] << 8);
    if (first == 0) {
        m_offset += 2;
        return ResourceName::None();
    }
    if (first == 0xFFFF) {
        m_offset += 2;
        return ResourceName::Ordinal(Read16());
    }
    return ResourceName::Text(ReadString());
}

std::span<const std::uint8_t> ByteReader::ReadBytes(std::size_t count)
{
    if (!Take(count))
        return {};
    const auto bytes = m_bytes.subspan(m_offset, count);
    m_offset += count;
    return bytes;
}

void ByteReader::AlignTo4()
{
    Skip((4 - m_offset % 4) % 4);
}
