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

struct TemplateControl {
    std::string windowClass;  // "Button", "Static", ... by name
    std::string text;
    std::int32_t id;
    std::int16_t x, y, cx, cy;
    std::uint32_t style;      // beyond WS_CHILD | WS_VISIBLE
};

// An extended dialog template with the caption "Probe", "MS Shell Dlg" at
// 8 points, and the controls given, as a resource compiler writes it.
inline std::vector<std::uint8_t> SmallDialogTemplate(std::int16_t x, std::int16_t y, std::uint32_t style,
                                                     const std::vector<TemplateControl>& controls)
{
    constexpr std::uint32_t kChildVisible = 0x50000000;
    ResBytes b;
    b.U16(1).U16(0xFFFF).U32(0).U32(0).U32(style | 0x40);  // version, signature, help, ex, style | DS_SETFONT
    b.U16(static_cast<std::uint16_t>(controls.size()));
    b.U16(static_cast<std::uint16_t>(x)).U16(static_cast<std::uint16_t>(y)).U16(160).U16(60);
    b.U16(0).U16(0).Text("Probe");
    b.U16(8).U16(400).U8(0).U8(1).Text("MS Shell Dlg");
    for (const TemplateControl& c : controls) {
        b.Align4().U32(0).U32(0).U32(kChildVisible | c.style);
        b.U16(static_cast<std::uint16_t>(c.x)).U16(static_cast<std::uint16_t>(c.y));
        b.U16(static_cast<std::uint16_t>(c.cx)).U16(static_cast<std::uint16_t>(c.cy));
        b.U32(static_cast<std::uint32_t>(c.id)).Text(c.windowClass).Text(c.text).U16(0);
    }
    return b.Get();
}
