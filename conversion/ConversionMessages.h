// The conversion command's messages, as the user sees them. Windows-1252:
// 0xE4 is "ä", 0xF6 is "ö". A host that shows another encoding converts them.
#pragma once

#include <cstdint>
#include <string>

#include "PhonebookConverter.h"

namespace ConversionMessages {

inline constexpr const char* kNoInput = "Keine Eingabedatei angegeben";
inline constexpr const char* kNoOutput = "Keine Ausgabedatei angegeben";
inline constexpr const char* kInputOpenFailed = "Kann Eingabedatei nicht \xF6" "ffnen";
inline constexpr const char* kOutputOpenFailed = "Kann Ausgabedatei nicht \xF6" "ffnen";
inline constexpr const char* kInputReadFailed = "Kann Eingabedatei nicht lesen";
inline constexpr const char* kOutputWriteFailed = "Kann Ausgabedatei nicht schreiben";

// "<count> Einträge konvertiert": the plural for every count, 0 and 1 too.
std::string Converted(std::int64_t recordCount);

// The message for a finished conversion, success or failure.
std::string ForResult(const ConversionResult& result);

}  // namespace ConversionMessages
