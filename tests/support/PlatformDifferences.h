// Where the platforms' own windows differ in what a test may expect.
#pragma once

#ifdef _WIN32
// Windows' choosers show the filters' descriptions as given.
inline constexpr const char* kAllFilesFilter = "Alle Dateien (*.*)";
inline constexpr const char* kPhonebookFilter = "FritzBox Telefonbuch (*.adr;*.xml)";
inline constexpr bool kNativeChoosers = true;
// The help page opens in the user's browser.
inline constexpr bool kModalHelpWindow = false;
#else
// The Qt chooser ends each filter with the patterns it filters by, "*" for
// every file, and is the toolkit's own.
inline constexpr const char* kAllFilesFilter = "Alle Dateien (*)";
inline constexpr const char* kPhonebookFilter = "FritzBox Telefonbuch (*.adr *.xml)";
inline constexpr bool kNativeChoosers = false;
// The help page opens in a modal window of the program's own.
inline constexpr bool kModalHelpWindow = true;
#endif
