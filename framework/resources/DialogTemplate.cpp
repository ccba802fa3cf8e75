#include "DialogTemplate.h"

#include <algorithm>
#include <cctype>

#include "ByteReader.h"

namespace {

constexpr std::uint32_t kDsSetFont = 0x40;

// Where a template or an item stands, in dialog units.
template <typename Placed>
void ReadPlacement(ByteReader& reader, Placed& placed)
{
    placed.x = reader.ReadSigned16();
    placed.y = reader.ReadSigned16();
    placed.cx = reader.ReadSigned16();
    placed.cy = reader.ReadSigned16();
}

// A predefined class given by name ("Static", as a CONTROL statement writes
// it) is the class of that ordinal, to Windows as to the resource compiler.
ResourceName PredefinedClass(ResourceName windowClass)
{
    static const char* const kNames[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    if (windowClass.kind != ResourceName::Kind::Text)
        return windowClass;
    std::string name = windowClass.text;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    for (std::uint16_t i = 0; i < std::size(kNames); ++i) {
        if (name == kNames[i])
            return ResourceName::Ordinal(static_cast<std::uint16_t>(kClassButton + i));
    }
    return windowClass;
}

void ReadItem(ByteReader& reader, bool extended, DialogItem& item)
{
    reader.AlignTo4();
    if (extended) {
        reader.Skip(4);  // help context
        item.exStyle = reader.Read32();
        item.style = reader.Read32();
    } else {
        item.style = reader.Read32();
        item.exStyle = reader.Read32();
    }
    ReadPlacement(reader, item);
    item.id = extended ? static_cast<std::int32_t>(reader.Read32()) : reader.ReadSigned16();
    item.windowClass = PredefinedClass(reader.ReadNameOrOrdinal());
    item.title = reader.ReadNameOrOrdinal();
    reader.Skip(reader.Read16());  // creation data, which no predefined class takes
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    DialogTemplate dialog;
    std::uint16_t itemCount = 0;

    const std::uint16_t version = reader.Read16();
    const std::uint16_t signature = reader.Read16();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (dialog.extended) {
        reader.Skip(4);  // help context
        dialog.exStyle = reader.Read32();
        dialog.style = reader.Read32();
    } else {
        dialog.style = static_cast<std::uint32_t>(version) | static_cast<std::uint32_t>(signature) << 16;
        dialog.exStyle = reader.Read32();
    }
    itemCount = reader.Read16();
    ReadPlacement(reader, dialog);
    dialog.menu = reader.ReadNameOrOrdinal();
    dialog.windowClass = reader.ReadNameOrOrdinal();
    dialog.title = reader.ReadString();
    if (dialog.style & kDsSetFont) {
        dialog.pointSize = reader.Read16();
        if (dialog.extended) {
            reader.Skip(4);  // weight, italic, character set: the font is the dialog font
        }
        dialog.typeface = reader.ReadString();
    }
    if (reader.Failed())
        return std::nullopt;

    dialog.items.resize(itemCount);
    for (DialogItem& item : dialog.items) {
        ReadItem(reader, dialog.extended, item);
        if (reader.Failed())
            return std::nullopt;
    }
    return dialog;
}
