// The program's version, in one place for the code, the build and the
// resource script. Only preprocessor definitions: the resource compiler
// reads this file too.
#pragma once

#define ZEDULO_VERSION_MAJOR 1
#define ZEDULO_VERSION_MINOR 0
#define ZEDULO_VERSION_PATCH 0
#define ZEDULO_VERSION_BUILD 2

// For the version block's fixed fields (FILEVERSION, PRODUCTVERSION).
#define ZEDULO_VERSION_COMMAS 1, 0, 0, 2
// For texts ("FileVersion", "ProductVersion", --version).
#define ZEDULO_VERSION_TEXT "1.0.0.2"

// What the program is, for the version block and the desktop entry.
#define ZEDULO_DESCRIPTION "klingeo Telefonbuch Konverter"
