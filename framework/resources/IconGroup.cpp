#include "IconGroup.h"

#include "ByteReader.h"
#include "ResourceSource.h"

namespace {

std::size_t RowStride(int width, int bitCount)
{
    return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

int Bit(std::span<const std::uint8_t> row, int index, int bitCount)
{
    const std::size_t bitOffset = static_cast<std::size_t>(index) * bitCount;
    const int shift = 8 - bitCount - static_cast<int>(bitOffset % 8);
    return (row[bitOffset / 8] >> shift) & ((1 << bitCount) - 1);
}

}  // namespace

std::optional<IconImage> DecodeIconImage(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    const std::uint32_t headerSize = reader.Read32();
    const std::int32_t width = static_cast<std::int32_t>(reader.Read32());
    const std::int32_t doubledHeight = static_cast<std::int32_t>(reader.Read32());
    reader.Read16();  // planes
    const int bitCount = reader.Read16();
    const std::uint32_t compression = reader.Read32();
    reader.Skip(12);  // image size, resolution
    std::uint32_t paletteSize = reader.Read32();
    // Sizes up to 1024 pixels: beyond any icon, and a bound on the memory a
    // malformed header can ask for. The height counts the mask too.
    constexpr std::uint32_t kBitmapInfoHeaderSize = 40;  // BITMAPINFOHEADER, the smallest header an icon has
    if (reader.Failed() || headerSize < kBitmapInfoHeaderSize || compression != 0 || width <= 0 || width > 1024 ||
        doubledHeight <= 0 || doubledHeight > 2048 || doubledHeight % 2 != 0)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    if (bitCount <= 8 && paletteSize == 0)
        paletteSize = 1u << bitCount;
    if (bitCount > 8 || paletteSize > 256)
        paletteSize = bitCount > 8 ? 0 : 256;
    reader.Skip(headerSize - 36);  // the important-colours count, and any longer header

    std::vector<std::uint32_t> palette(paletteSize);
    for (std::uint32_t& colour : palette)
        colour = reader.Read32() & 0xFFFFFF;

    const int height = doubledHeight / 2;
    const std::size_t colourStride = RowStride(width, bitCount);
    const std::size_t maskStride = RowStride(width, 1);
    const auto colourRows = reader.ReadBytes(colourStride * height);
    const auto maskRows = reader.ReadBytes(maskStride * height);
    if (reader.Failed())
        return std::nullopt;

    // A 32-bit image whose alpha bytes are used carries its own transparency;
    // every other image takes it from the mask.
    bool alphaChannel = false;
    for (std::size_t at = 3; bitCount == 32 && at < colourRows.size(); at += 4)
        alphaChannel = alphaChannel || colourRows[at] != 0;

    IconImage image{width, height, bitCount, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom row first.
        const auto row = colourRows.subspan(colourStride * (height - 1 - y), colourStride);
        const auto mask = maskRows.subspan(maskStride * (height - 1 - y), maskStride);
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb;
            if (bitCount <= 8) {
                const int index = Bit(row, x, bitCount);
                argb = static_cast<std::size_t>(index) < palette.size() ? palette[index] : 0;
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (bitCount / 8);
                argb = row[at] | row[at + 1] << 8 | static_cast<std::uint32_t>(row[at + 2]) << 16;
                if (alphaChannel)
                    argb |= static_cast<std::uint32_t>(row[at + 3]) << 24;
            }
            if (!alphaChannel)
                argb = Bit(mask, x, 1) ? 0 : argb | 0xFF000000;
            image.pixels[static_cast<std::size_t>(y) * width + x] = argb;
        }
    }
    return image;
}

std::optional<std::vector<IconImage>> LoadIconGroup(const ResourceSource& resources, std::uint16_t id)
{
    const auto group = resources.FindData(kRtGroupIcon, id);
    if (!group)
        return std::nullopt;
    ByteReader reader(*group);
    reader.Read16();  // reserved
    const std::uint16_t type = reader.Read16();
    const std::uint16_t count = reader.Read16();
    if (reader.Failed() || type != 1)
        return std::nullopt;

    std::vector<IconImage> images;
    for (std::uint16_t i = 0; i < count; ++i) {
        reader.Skip(12);  // width, height, colours, reserved, planes, bit count, size
        const std::uint16_t imageId = reader.Read16();
        const auto icon = resources.FindData(kRtIcon, imageId);
        if (reader.Failed() || !icon)
            return std::nullopt;
        auto image = DecodeIconImage(*icon);
        if (!image)
            return std::nullopt;
        images.push_back(std::move(*image));
    }
    return images;
}
