// The conversion's messages are Windows-1252; terminals and toolkits on Linux
// want UTF-8.
#pragma once

#include <string>
#include <string_view>

// Every byte becomes its Windows-1252 character in UTF-8. The five bytes that
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, as Windows itself converts them.
std::string Windows1252ToUtf8(std::string_view text);
