// A resource's type or name, or a dialog's class or menu: either a number
// (an "ordinal") or a text. Texts are UTF-8 here.
#pragma once

#include <cstdint>
#include <string>

struct ResourceName {
    enum class Kind { None, Ordinal, Text };

    Kind kind = Kind::None;
    std::uint16_t ordinal = 0;
    std::string text;

    static ResourceName None() { return {}; }
    static ResourceName Ordinal(std::uint16_t value) { return {Kind::Ordinal, value, {}}; }
    static ResourceName Text(std::string value) { return {Kind::Text, 0, std::move(value)}; }

    bool IsOrdinal(std::uint16_t value) const { return kind == Kind::Ordinal && ordinal == value; }
    bool operator==(const ResourceName&) const = default;
};
