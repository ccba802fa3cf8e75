#include "Win32Text.h"

#include "TextEncoding.h"

std::wstring AfxWide(std::string_view utf8)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string AfxNarrow(std::wstring_view utf16)
{
    return Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}
