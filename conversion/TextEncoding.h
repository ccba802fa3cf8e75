// The program's text encodings, in one place: its messages are Windows-1252,
// resource texts and Windows' file names UTF-16, and everything the program
// hands around in between (paths, window texts, terminal output) UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Every byte becomes its Windows-1252 character in UTF-8. The five bytes that
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, as Windows itself converts them.
std::string Windows1252ToUtf8(std::string_view text);

// XML's white space: blank, tab, CR and LF (no other space counts). What the
// reader trims from names and numbers and skips before and inside a
// document's start.
inline bool IsXmlSpace(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The Windows-1252 byte of a character, the exact inverse of
// Windows1252ToUtf8; "?" for a character the code page lacks (no best fit:
// U+0100 is "?", not "A").
char UnicodeToWindows1252(char32_t c);

// Surrogate pairs become one character; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Bytes that are no valid UTF-8 (a stray continuation byte, a cut or
// overlong sequence, an encoded surrogate) become U+FFFD, one per byte.
std::u16string Utf8ToUtf16(std::string_view text);

// The character starting at text[at], and how many bytes it takes; an
// invalid sequence gives U+FFFD for its first byte.
char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length);

// How many bytes at the start of text are whole UTF-8 characters: a
// character cut off at the end is left out, so that text cut at a byte
// count, or written out in parts, is cut between characters only.
std::size_t Utf8WholeCharactersLength(std::string_view text);

#ifdef _WIN32
// The same for Windows' wide strings, which hold UTF-16: what its W
// functions take and give.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
#endif
