#include "ConverterTool.h"

#include <ostream>

#include "CallingCodes.h"
#include "ConsoleHost.h"
#include "FritzboxCommand.h"
#include "HomeCountry.h"
#include "TextEncoding.h"
#include "ValueOptions.h"
#include "Version.h"

namespace {

// A pipe or device by name, as the platform writes one.
#ifdef _WIN32
#define ZEDULO_PIPE_EXAMPLE "\\\\.\\pipe\\..."
#else
#define ZEDULO_PIPE_EXAMPLE "/dev/stdin"
#endif

// Where the platform names the user's country (HomeCountry.h).
#ifdef _WIN32
#define ZEDULO_COUNTRY_SOURCE "die Region des Benutzers in den Windows-Einstellungen"
#else
#define ZEDULO_COUNTRY_SOURCE "die Telefon-Einstellung der Locale (LC_TELEPHONE)"
#endif

const char* const kCountryOption = "--landesvorwahl";

const char* const kUsage =
    "Aufruf: zedulo-convert [--landesvorwahl=NR] [--] EINGABEDATEI [AUSGABEDATEI]\n"
    "        zedulo-convert --fritzbox=ADRESSE [--telefonbuch=NR] [--benutzer=NAME]\n"
    "                       [--zertifikat=DATEI] [--landesvorwahl=NR] [AUSGABEDATEI]\n"
    "Wandelt ein FritzBox-Telefonbuch (Sicherung als .xml oder Export als .adr)\n"
    "in eine klingeo-Telefonbuchdatei um.\n"
    "Ohne AUSGABEDATEI wird \"phonebook.txt\" geschrieben. Ein Dateiname ohne Ordner\n"
    "kommt in den Ordner der Eingabedatei. Eine bestehende Ausgabedatei wird erst\n"
    "ersetzt, wenn die Umwandlung vollständig gelungen ist.\n"
    "\n"
    "\"-\" als EINGABEDATEI liest die Standardeingabe; ohne AUSGABEDATEI gehen die\n"
    "Einträge dann auf die Standardausgabe, ein Dateiname ohne Ordner kommt in den\n"
    "aktuellen Ordner. \"-\" als AUSGABEDATEI schreibt auf die Standardausgabe.\n"
    "Liest das Programm aus einer Pipe oder einem Gerät (etwa " ZEDULO_PIPE_EXAMPLE "), braucht\n"
    "die AUSGABEDATEI einen Ordner. Gehen die Einträge auf die Standardausgabe,\n"
    "kommt die Meldung auf die Standardfehlerausgabe. Die Einträge werden dorthin\n"
    "schon beim Lesen geschrieben; scheitert die Umwandlung danach, bleiben sie\n"
    "stehen, und nach ihnen kommen die Meldung und Status 1.\n"
    "\n"
    "Mit --fritzbox lädt das Programm das Telefonbuch über TR-064 von der FritzBox\n"
    "(ADRESSE: fritz.box, 192.168.178.1, HOST:PORT, http://HOST[:PORT] oder\n"
    "https://HOST[:PORT]); ein Dateiname ohne Ordner kommt in den aktuellen Ordner.\n"
    "Das Kennwort steht in der Umgebungsvariablen FRITZ_PASSWORD, sonst fragt das\n"
    "Programm im Terminal danach. Der Benutzer: --benutzer, sonst FRITZ_USERNAME,\n"
    "sonst der zuletzt an der FritzBox angemeldete.\n"
    "Jeden Morgen um 6 Uhr, mit einem FritzBox-Benutzer, der nur Telefonbücher\n"
    "lesen darf: unter Linux drei Zeilen in \"crontab -e\":\n"
    "  FRITZ_USERNAME=telefonbuch\n"
    "  FRITZ_PASSWORD=KENNWORT\n"
    "  0 6 * * * zedulo-convert --fritzbox=fritz.box $HOME/phonebook.txt\n"
    "unter Windows FRITZ_USERNAME und FRITZ_PASSWORD als Umgebungsvariablen des\n"
    "Benutzers setzen (Systemsteuerung, \"Umgebungsvariablen\") und dann:\n"
    "  schtasks /Create /SC DAILY /ST 06:00 /TN Telefonbuch\n"
    "    /TR \"%LOCALAPPDATA%\\Programs\\Zedulo\\zedulo-convert.exe\n"
    "    --fritzbox=fritz.box %USERPROFILE%\\phonebook.txt\"\n"
    "\n"
    "Nummern einer XML-Sicherung (auch der von der FritzBox geladenen) in\n"
    "internationaler Form (\"+49 170 1234567\") werden so geschrieben, wie man sie im eigenen Land wählt: mit der eigenen\n"
    "Landesvorwahl als nationale Nummer (\"0170 1234567\"), mit einer anderen\n"
    "hinter der Auslandsvorwahl (\"+43 1 234567\" wird \"0043 1 234567\").\n"
    "Das eigene Land nennt --landesvorwahl, sonst das System:\n"
    ZEDULO_COUNTRY_SOURCE "; nennt es keins,\n"
    "gilt 49 (Deutschland). Die Zeilen einer .adr-Datei bleiben, wie sie sind.\n"
    "\n"
    "  --landesvorwahl=NR  das eigene Land für diesen Aufruf, NR etwa 49, +49\n"
    "                      oder 0049 (wirkt nicht auf .adr-Dateien)\n"
    "  --fritzbox=ADRESSE  das Telefonbuch von der FritzBox laden\n"
    "  --telefonbuch=NR    Nummer des Telefonbuchs auf der FritzBox (ohne: 0)\n"
    "  --benutzer=NAME     FritzBox-Benutzer\n"
    "  --zertifikat=DATEI  das eigene Zertifikat der FritzBox (PEM), nur mit https://\n"
    "  --help              diese Hilfe zeigen\n"
    "  --version           die Version zeigen\n"
    "  --                  Ende der Optionen (für Dateinamen, die mit - beginnen)\n"
    "\n"
    "Exit-Status: 0 umgewandelt, 1 Umwandlung fehlgeschlagen, 2 falscher Aufruf.\n"
    "Nach einer Umwandlung heißt Status 1 mit\n"
    "\"Kann nicht auf die Standardausgabe schreiben\": Die Umwandlung ist gelungen,\n"
    "nur ihre Meldung ging verloren.\n";

bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

// Writes an answer the user asked for; a full disk or a closed pipe is a
// failure, as for any other output.
int Answer(std::ostream& out, std::ostream& err, const std::string& text, int status)
{
    out << text << std::flush;
    if (out)
        return status;
    err << "zedulo-convert: Kann nicht auf die Standardausgabe schreiben\n";
    return kExitConversionFailed;
}

}  // namespace

int RunConverterTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest = args;
    FritzboxOptions fritzbox;
    std::string bad;
    if (!TakeFritzboxOptions(rest, fritzbox, bad)) {
        err << "Die Option " << bad << " braucht einen Wert\n" << kUsage;
        return kExitUsage;
    }
    std::vector<std::string> paths;
    const CallingCode* country = nullptr;  // none given: the platform's
    bool optionsEnded = false;
    for (std::size_t at = 0; at < rest.size(); ++at) {
        const std::string& arg = rest[at];
        std::string value;
        if (optionsEnded || !IsOption(arg)) {
            paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            return Answer(out, err, kUsage, kExitSuccess);
        } else if (arg == "--version") {
            return Answer(out, err, "zedulo-convert " ZEDULO_VERSION_TEXT "\n", kExitSuccess);
        } else if (const ValueOption taken = TakeValueOption(rest, at, kCountryOption, value);
                   taken != ValueOption::NotThisOne) {
            if (taken == ValueOption::NoValue) {
                err << "Die Option " << kCountryOption << " braucht einen Wert\n" << kUsage;
                return kExitUsage;
            }
            country = ParseCountryCode(value);
            if (!country) {
                err << "Unbekannte Landesvorwahl: " << value << "\n" << kUsage;
                return kExitUsage;
            }
        } else {
            err << "Unbekannte Option: " << arg << "\n" << kUsage;
            return kExitUsage;
        }
    }
    const CallingCode& ownCountry = country ? *country : HomeCountry();
    if (fritzbox.address)
        return RunFritzboxCommand(fritzbox, paths, ownCountry, kUsage, out, err);
    if (fritzbox.AnyCompanion()) {
        err << "--telefonbuch, --benutzer und --zertifikat nur mit --fritzbox\n" << kUsage;
        return kExitUsage;
    }
    if (paths.empty() || paths.size() > 2) {
        err << kUsage;
        return kExitUsage;
    }

    const std::string& input = paths[0];
    const std::string output = paths.size() == 2 ? paths[1] : input == kStandardStream ? kStandardStream
                                                                                        : kDefaultOutput;
    ConsoleHost host(input, output);
    RunConversion(host, StreamPolicy::Streams, ownCountry);
    return ReportConversion(host.Succeeded(), host.Message(), output, out, err);
}

int ReportConversion(bool succeeded, const std::string& message, const std::string& output, std::ostream& out,
                     std::ostream& err)
{
    const std::string line = Windows1252ToUtf8(message) + "\n";
    if (!succeeded) {
        err << line;
        return kExitConversionFailed;
    }
    if (output == kStandardStream) {
        err << line;
        return kExitSuccess;
    }
    return Answer(out, err, line, kExitSuccess);
}
