#include "ConverterTool.h"

#include <ostream>

#include "ConsoleHost.h"
#include "TextEncoding.h"
#include "Version.h"

namespace {

const char* const kDefaultOutput = "phonebook.txt";

const char* const kUsage =
    "Aufruf: zedulo-convert [--] EINGABEDATEI [AUSGABEDATEI]\n"
    "Wandelt ein FritzBox-Telefonbuch (.adr) in eine klingeo-Telefonbuchdatei um.\n"
    "Ohne AUSGABEDATEI wird \"phonebook.txt\" geschrieben. Ein Dateiname ohne Ordner\n"
    "kommt in den Ordner der Eingabedatei.\n"
    "\n"
    "  --help     diese Hilfe zeigen\n"
    "  --version  die Version zeigen\n"
    "  --         Ende der Optionen (für Dateinamen, die mit - beginnen)\n";

bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

int RunConverterTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || !IsOption(arg)) {
            paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            out << kUsage;
            return kExitSuccess;
        } else if (arg == "--version") {
            out << "zedulo-convert " ZEDULO_VERSION_TEXT "\n";
            return kExitSuccess;
        } else {
            err << "Unbekannte Option: " << arg << "\n" << kUsage;
            return kExitUsage;
        }
    }
    if (paths.empty() || paths.size() > 2) {
        err << kUsage;
        return kExitUsage;
    }

    ConsoleHost host(paths[0], paths.size() == 2 ? paths[1] : kDefaultOutput);
    RunConversion(host);
    const std::string message = Windows1252ToUtf8(host.Message());
    if (host.Succeeded()) {
        out << message << '\n';
        return kExitSuccess;
    }
    err << message << '\n';
    return kExitConversionFailed;
}
