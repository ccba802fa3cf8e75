// Where the platforms differ in what a test may expect.
#pragma once

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
#endif
