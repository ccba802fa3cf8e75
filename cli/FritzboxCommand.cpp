#include "FritzboxCommand.h"

#include <cctype>
#include <ostream>

#include "ConversionMessages.h"
#include "ConverterTool.h"
#include "PasswordPrompt.h"
#include "PhonebookDownload.h"

namespace {

// The phonebook's number: digits only, as the box counts them.
bool ReadPhonebookNumber(const std::string& text, int& number)
{
    if (text.empty() || text.size() > 4)
        return false;
    number = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

std::string MessageFor(const DownloadResult& result, const std::string& address)
{
    using namespace ConversionMessages;
    switch (result.failure) {
    case DownloadFailure::None:
    case DownloadFailure::Conversion: return ForResult(result.conversion);
    case DownloadFailure::NoConnection: return ForRouter(kRouterUnreachable, address);
    case DownloadFailure::LoginRefused: return ForRouter(kRouterLoginRefused, address);
    case DownloadFailure::NoRight: return ForRouter(kRouterNoRight, address);
    case DownloadFailure::NoSuchPhonebook: return ForRouter(kRouterNoSuchPhonebook, address);
    case DownloadFailure::CertificateUntrusted: return ForRouter(kRouterCertificateUntrusted, address);
    case DownloadFailure::CertificateMismatch: return ForRouter(kRouterCertificateMismatch, address);
    case DownloadFailure::CertificateFileUnreadable: return kCertificateUnreadable;
    case DownloadFailure::UnexpectedAnswer: return ForRouter(kRouterUnexpectedAnswer, address);
    case DownloadFailure::PhonebookUnreadable: return ForRouter(kRouterPhonebookUnreadable, address);
    }
    return ForRouter(kRouterUnexpectedAnswer, address);
}

int UsageError(std::ostream& err, const std::string& what, const char* usage)
{
    err << what << "\n" << usage;
    return kExitUsage;
}

}  // namespace

int RunFritzboxCommand(const FritzboxOptions& options, const std::vector<std::string>& paths,
                       const CallingCode& ownCountry, const char* usage, std::ostream& out, std::ostream& err)
{
    const std::optional<RouterAddress> address = ParseRouterAddress(*options.address);
    if (!address)
        return UsageError(err, "Keine FritzBox-Adresse: " + *options.address, usage);
    if (paths.size() > 1)
        return UsageError(err, "Mit --fritzbox keine EINGABEDATEI angeben", usage);
    DownloadRequest request;
    request.address = *address;
    request.ownCountry = ownCountry;
    if (options.phonebook && !ReadPhonebookNumber(*options.phonebook, request.phonebook))
        return UsageError(err, "Keine Telefonbuchnummer: " + *options.phonebook, usage);
    if (options.certificate && !address->https)
        return UsageError(err, "--zertifikat nur mit einer https://-Adresse", usage);
    request.certificateFile = options.certificate.value_or("");
    request.user = options.user ? *options.user : FritzboxUserFromEnvironment();
    request.outputPath = paths.empty() ? kDefaultOutput : paths[0];

    if (request.outputPath.empty())
        return ReportConversion(false, ConversionMessages::kNoOutput, request.outputPath, out, err);
    const std::optional<std::string> password = FritzboxPassword(*options.address);
    if (!password)
        return ReportConversion(false, ConversionMessages::kNoPassword, request.outputPath, out, err);
    request.password = *password;

    const DownloadResult result = DownloadPhonebook(request);
    return ReportConversion(result.failure == DownloadFailure::None, MessageFor(result, *options.address),
                            request.outputPath, out, err);
}
