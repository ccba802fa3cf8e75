// Builds resource bytes by hand, little-endian, for the reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ResBytes {
public:
    ResBytes& U8(std::uint8_t value) { m_bytes.push_back(value); return *this; }
    ResBytes& U16(std::uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
    ResBytes& U32(std::uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
    // A NUL-terminated UTF-16 text of ASCII characters.
    ResBytes& Text(const std::string& text)
    {
        for (char c : text)
            U16(static_cast<unsigned char>(c));
        return U16(0);
    }
    ResBytes& Ordinal(std::uint16_t value) { return U16(0xFFFF).U16(value); }
    ResBytes& Align4()
    {
        while (m_bytes.size() % 4)
            U8(0);
        return *this;
    }
    ResBytes& Bytes(const std::vector<std::uint8_t>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    const std::vector<std::uint8_t>& Get() const { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
};
