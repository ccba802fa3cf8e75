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

// The FritzBox download's messages (zedulo-convert --fritzbox): the address
// as the user gave it stands between the two parts.
struct RouterMessage {
    const char* before;
    const char* after;
};
inline constexpr RouterMessage kRouterUnreachable = {"Keine Verbindung zur FritzBox ", ""};
inline constexpr RouterMessage kRouterLoginRefused = {"Benutzername oder Kennwort falsch f\xFCr die FritzBox ", ""};
inline constexpr RouterMessage kRouterNoRight = {"Keine Berechtigung f\xFCr Telefonb\xFC" "cher auf der FritzBox ", ""};
inline constexpr RouterMessage kRouterNoSuchPhonebook = {"Telefonbuch gibt es nicht auf der FritzBox ", ""};
inline constexpr RouterMessage kRouterCertificateMismatch = {"Zertifikat passt nicht zur FritzBox ", ""};
inline constexpr RouterMessage kRouterCertificateUntrusted = {"Unbekanntes Zertifikat der FritzBox ",
                                                              " (--zertifikat=DATEI angeben)"};
inline constexpr RouterMessage kRouterUnexpectedAnswer = {"Unerwartete Antwort der FritzBox ", ""};
inline constexpr RouterMessage kRouterPhonebookUnreadable = {"Kann Telefonbuch der FritzBox ", " nicht lesen"};
inline constexpr const char* kCertificateUnreadable = "Kann Zertifikatsdatei nicht lesen";
inline constexpr const char* kNoPassword = "Kein Kennwort angegeben (Umgebungsvariable FRITZ_PASSWORD)";

inline std::string ForRouter(const RouterMessage& message, const std::string& address)
{
    return message.before + address + message.after;
}

// "<count> Einträge konvertiert": the plural for every count, 0 and 1 too.
std::string Converted(std::int64_t recordCount);

// The message for a finished conversion, success or failure.
std::string ForResult(const ConversionResult& result);

}  // namespace ConversionMessages
