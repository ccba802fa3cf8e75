// Icons: a group resource lists the images of one icon (sizes and colour
// depths), each kept as an icon resource of its own in device-independent
// bitmap form.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class ResourceSource;

struct IconImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    // Top row first, 0xAARRGGBB each; transparent pixels have alpha 0.
    std::vector<std::uint32_t> pixels;
};

// One image in bitmap form (BITMAPINFOHEADER, palette, colour and mask rows),
// or nothing if it is malformed, compressed or stored as PNG.
std::optional<IconImage> DecodeIconImage(std::span<const std::uint8_t> bytes);

// Every image of the icon group with that number, in the group's order, or
// nothing if the group or one of its images is missing or malformed.
std::optional<std::vector<IconImage>> LoadIconGroup(const ResourceSource& resources, std::uint16_t id);
