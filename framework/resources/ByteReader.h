// Reads little-endian values from a byte range with bounds checks. Reading
// past the end sets a failure flag and yields zeros, so parsers check once at
// the end instead of before every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "ResourceName.h"

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t Read8();
    std::uint16_t Read16();
    std::uint32_t Read32();
    std::int16_t ReadSigned16() { return static_cast<std::int16_t>(Read16()); }
    // A NUL-terminated UTF-16 string, returned as UTF-8.
    std::string ReadString();
    // A string or an ordinal (0xFFFF followed by a 16-bit number), or none (0).
    ResourceName ReadNameOrOrdinal();
    std::span<const std::uint8_t> ReadBytes(std::size_t count);
    // Skips to the next multiple of four from the start of the range.
    void AlignTo4();
    void Skip(std::size_t count) { ReadBytes(count); }

    std::size_t Offset() const { return m_offset; }
    std::size_t Remaining() const { return m_failed ? 0 : m_bytes.size() - m_offset; }
    bool Failed() const { return m_failed; }

private:
    bool Take(std::size_t count);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
    bool m_failed = false;
};
