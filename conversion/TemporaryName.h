// The name of the hidden file that is written beside an output and then
// renamed over it, on every platform.
#pragma once

#include <cstddef>
#include <string>

// The output's name behind a dot, then a dot and a random part, so that a
// file left by a killed run never stands in the way of the next. The
// output's name is cut, between UTF-8 characters, so that the whole stays
// within longestName bytes, the longest name the platform's folders take.
std::string TemporaryName(const std::string& outputName, std::size_t longestName);

// How many random letters a temporary name ends with.
constexpr std::size_t kTemporaryRandomLetters = 8;

// How many temporary names are tried before the output is given up: among
// 62^8 random parts, a hundred taken in a row mean something else is wrong
// (a file system that refuses every new name as existing).
constexpr int kTemporaryNameAttempts = 100;
