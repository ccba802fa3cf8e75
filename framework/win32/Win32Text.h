// The framework's texts are UTF-8; Windows' W functions take UTF-16.
#pragma once

#include <string>
#include <string_view>

std::wstring AfxWide(std::string_view utf8);
std::string AfxNarrow(std::wstring_view utf16);
