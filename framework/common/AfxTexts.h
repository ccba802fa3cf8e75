// Every German text the framework itself shows or says, on either platform,
// in UTF-8. The program's own texts are in its resources (its resource script);
// the framework names the program only as the program's resources name it.
#pragma once

// Hilfe: the help window's title after the program's name, and the message
// when the page is missing, before the folders it was looked for in.
inline constexpr char kAfxHelpTitleSuffix[] = " \xE2\x80\x93 Hilfe";
inline constexpr char kAfxHelpPageMissingBefore[] = "Die Hilfeseite \xE2\x80\x9E";
inline constexpr char kAfxHelpPageMissingAfter[] = "\xE2\x80\x9C wurde nicht gefunden.\nGesucht in:";

// Linux: on standard error when the program starts without a display.
inline constexpr char kAfxNoDisplay[] = "Keine grafische Anzeige gefunden.\n";
// Linux: the system menu the framework draws itself, as Windows names its
// entries; "\t" parts the shortcut from the text.
inline constexpr char kAfxMenuMove[] = "&Verschieben";
inline constexpr char kAfxMenuClose[] = "&Schlie\xC3\x9F" "en\tAlt+F4";

// Windows: on standard error when the program crashes, for wsprintfA with
// the exception code.
inline constexpr char kAfxCrashLine[] = "Abbruch: Ausnahme ";
