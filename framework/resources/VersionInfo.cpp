#include "VersionInfo.h"

#include "ByteReader.h"
#include "ResourceSource.h"
#include "TextEncoding.h"

namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

// One node of the block: a length, a key, a value and child nodes.
struct Node {
    std::string key;
    std::uint16_t valueLength = 0;
    bool isText = false;
    std::span<const std::uint8_t> value;
    std::span<const std::uint8_t> children;
};

std::optional<Node> ReadNode(ByteReader& reader)
{
    reader.AlignTo4();
    const std::size_t start = reader.Offset();
    Node node;
    const std::uint16_t length = reader.Read16();
    node.valueLength = reader.Read16();
    node.isText = reader.Read16() == 1;
    node.key = reader.ReadString();
    reader.AlignTo4();
    // A text value counts its length in characters, a binary one in bytes.
    const std::size_t valueBytes = node.isText ? node.valueLength * 2u : node.valueLength;
    const std::size_t headerBytes = reader.Offset() - start;
    if (reader.Failed() || length < headerBytes)
        return std::nullopt;
    const std::size_t rest = length - headerBytes;
    const auto body = reader.ReadBytes(rest);
    if (reader.Failed() || valueBytes > rest)
        return std::nullopt;
    node.value = body.subspan(0, valueBytes);
    const std::size_t childStart = (valueBytes + 3) / 4 * 4;
    node.children = childStart < body.size() ? body.subspan(childStart) : std::span<const std::uint8_t>();
    return node;
}

// Children are aligned relative to the whole block, which starts aligned, so
// aligning within each child range is the same as long as ranges start aligned.
std::optional<std::vector<Node>> ReadChildren(std::span<const std::uint8_t> bytes)
{
    std::vector<Node> nodes;
    ByteReader reader(bytes);
    while (reader.Remaining() >= 6) {
        auto node = ReadNode(reader);
        if (!node)
            return std::nullopt;
        nodes.push_back(*node);
    }
    return nodes;
}

std::string TextValue(const Node& node)
{
    ByteReader reader(node.value);
    std::u16string text;
    while (reader.Remaining() >= 2) {
        const char16_t c = reader.Read16();
        if (c == 0)
            break;
        text += c;
    }
    return Utf16ToUtf8(text);
}

}  // namespace

std::optional<VersionInfo> ParseVersionInfo(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    const auto root = ReadNode(reader);
    if (!root || root->key != "VS_VERSION_INFO" || root->value.size() < 52)
        return std::nullopt;

    VersionInfo info;
    ByteReader fixed(root->value);
    if (fixed.Read32() != kFixedInfoSignature)
        return std::nullopt;
    fixed.Read32();  // structure version
    const std::uint32_t fileMs = fixed.Read32(), fileLs = fixed.Read32();
    const std::uint32_t productMs = fixed.Read32(), productLs = fixed.Read32();
    info.fileVersion[0] = fileMs >> 16, info.fileVersion[1] = fileMs & 0xFFFF;
    info.fileVersion[2] = fileLs >> 16, info.fileVersion[3] = fileLs & 0xFFFF;
    info.productVersion[0] = productMs >> 16, info.productVersion[1] = productMs & 0xFFFF;
    info.productVersion[2] = productLs >> 16, info.productVersion[3] = productLs & 0xFFFF;
    info.fileFlagsMask = fixed.Read32();
    info.fileFlags = fixed.Read32();
    info.fileOs = fixed.Read32();
    info.fileType = fixed.Read32();

    const auto sections = ReadChildren(root->children);
    if (!sections)
        return std::nullopt;
    for (const Node& section : *sections) {
        const auto tables = ReadChildren(section.children);
        if (!tables)
            return std::nullopt;
        if (section.key == "StringFileInfo" && !tables->empty()) {
            info.stringTableKey = tables->front().key;
            const auto strings = ReadChildren(tables->front().children);
            if (!strings)
                return std::nullopt;
            for (const Node& string : *strings)
                info.strings[string.key] = TextValue(string);
        } else if (section.key == "VarFileInfo") {
            for (const Node& var : *tables) {
                ByteReader values(var.value);
                while (var.key == "Translation" && values.Remaining() >= 4)
                    info.translations.push_back(values.Read32());
            }
        }
    }
    return info;
}

std::optional<VersionInfo> LoadVersionInfo(const ResourceSource& resources)
{
    const auto block = resources.FindData(kRtVersion, 1);
    return block ? ParseVersionInfo(*block) : std::nullopt;
}
