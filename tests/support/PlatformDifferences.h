// Where the platforms differ in what a test may expect.
#pragma once

#include <cstddef>

#ifdef _WIN32
// Windows' choosers show the filters' descriptions as given.
inline constexpr const char* kAllFilesFilter = "Alle Dateien (*.*)";
inline constexpr const char* kPhonebookFilter = "FritzBox Telefonbuch (*.adr;*.xml)";
inline constexpr bool kNativeChoosers = true;
// The help page opens in the user's browser.
inline constexpr bool kModalHelpWindow = false;
// The Windows tests run under Wine, whose MSXML keeps every piece of text it
// reports, as UTF-16, until the parse ends (its SAX reader's string pool):
// the XML reader's memory grows with the document's text there (200 MB of
// text took 430 MB), although the reader itself holds one contact at most.
// Markup alone stays flat (100 MB of empty elements: 20 MB).
inline constexpr bool kXmlParserMemoryIsFlat = false;
// MSXML's memory cannot be counted: the reader refuses a markup token whose
// text (without its "<", ">" and the like) passes kMaxXmlTokenLength, as far
// as it can tell tokens apart. Wine's MSXML does not report processing
// instructions (one just past the cap is read, several in a row count as one
// token), and it refuses a name longer than 50,000 characters (it is built on
// libxml2, which does).
inline constexpr std::size_t kXmlTokenSurelyRead = 1024 * 1024;
inline constexpr std::size_t kXmlTokenSurelyRefused = 1024 * 1024 + 16;
inline constexpr std::size_t kXmlNameSurelyRead = 50000;
inline constexpr bool kXmlParserMemoryIsCapped = false;
#else
// The Qt chooser ends each filter with the patterns it filters by, "*" for
// every file, and is the toolkit's own.
inline constexpr const char* kAllFilesFilter = "Alle Dateien (*)";
inline constexpr const char* kPhonebookFilter = "FritzBox Telefonbuch (*.adr *.xml)";
inline constexpr bool kNativeChoosers = false;
// The help page opens in a modal window of the program's own.
inline constexpr bool kModalHelpWindow = true;
// expat keeps nothing it has reported.
inline constexpr bool kXmlParserMemoryIsFlat = true;
// expat's memory is capped (kMaxXmlParserMemory, 8 MiB) rather than its
// tokens: with its input buffer doubling, it reads a tag's name or an
// attribute value up to 2 MiB less 191 bytes, a comment, an instruction or a
// tag's blanks up to 4 MiB less about 200 bytes, and refuses 4 MiB of any.
inline constexpr std::size_t kXmlTokenSurelyRead = 2 * 1024 * 1024 - 1024;
inline constexpr std::size_t kXmlTokenSurelyRefused = 4 * 1024 * 1024;
inline constexpr std::size_t kXmlNameSurelyRead = kXmlTokenSurelyRead;
// What expat keeps (names, attributes, open tags, its input buffer) is
// capped: a document that needs more is refused.
inline constexpr bool kXmlParserMemoryIsCapped = true;
#endif
