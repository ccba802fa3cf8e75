// A dialog template as the resource compiler stores it, in either form: the
// classic DLGTEMPLATE or the extended DLGTEMPLATEEX. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ResourceName.h"

// Predefined control classes, as ordinals.
enum ControlClass : std::uint16_t {
    kClassButton = 0x0080,
    kClassEdit = 0x0081,
    kClassStatic = 0x0082,
};

struct DialogItem {
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::int32_t id = 0;  // 32 bits in the extended form, 16 in the classic one
    ResourceName windowClass;
    ResourceName title;  // a text, or an ordinal naming a resource (an icon)
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResourceName menu;
    ResourceName windowClass;
    std::string title;
    // Present when the style has DS_SETFONT.
    std::uint16_t pointSize = 0;
    std::string typeface;
    std::vector<DialogItem> items;
};

// The template in bytes, or nothing if they are malformed or cut short.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes);
