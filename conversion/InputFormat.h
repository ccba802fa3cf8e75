// Which reader an input goes to, decided from its first bytes.
//
// An input is XML when, after an optional UTF-8 byte-order mark and any
// blanks, tabs, CRs and LFs, it begins with "<?xml" or "<phonebooks", or when
// it begins with a UTF-16 byte-order mark (a text saved as "Unicode" is read
// as XML, and refused there, rather than giving an empty phonebook). Anything
// else is semicolon-separated lines. The decision falls within the first
// kFormatWindow bytes; an input that is blank for that long is lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ByteSource.h"

enum class InputFormat { Lines, Xml };

constexpr std::size_t kFormatWindow = 4096;

// What the first bytes of an input say: Lines or Xml, or Undecided while
// more bytes could still change the answer.
enum class FormatGuess { Lines, Xml, Undecided };
FormatGuess GuessInputFormat(std::string_view firstBytes);

struct RoutedInput {
    bool readFailed = false;
    InputFormat format = InputFormat::Lines;
    // The bytes read to decide, as the chosen reader is to get them first:
    // unchanged for lines; from the first "<" on for XML (a UTF-8 byte-order
    // mark and leading blanks dropped, a UTF-16 one kept).
    std::string held;
};

// Reads from input until the format is decided (at most kFormatWindow bytes,
// fewer at its end).
RoutedInput RouteInput(ByteSource& input);
