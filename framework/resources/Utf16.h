// Resource texts are UTF-16; the framework's narrow texts on Linux are UTF-8.
// Lone surrogates become U+FFFD.
#pragma once

#include <string>

std::string Utf16ToUtf8(const std::u16string& text);
