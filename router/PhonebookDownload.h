// The phonebook straight from the FritzBox: found in its TR-064 description,
// asked for with X_AVM-DE_OnTel's GetPhonebook, downloaded and converted as
// it arrives (ConvertXmlPhonebook), into the output as any conversion.
#pragma once

#include <string>

#include "CallingCodes.h"
#include "PhonebookConverter.h"
#include "RouterAddress.h"

struct DownloadRequest {
    RouterAddress address;
    int phonebook = 0;
    std::string user;              // empty: the box's last logged-in user
    std::string password;
    std::string certificateFile;   // empty: the system's trusted certificates
    std::string outputPath;        // resolved
    CallingCode ownCountry = DefaultCountry();  // the one international numbers are dialled from
};

enum class DownloadFailure {
    None,
    NoConnection,
    LoginRefused,                // 401 after the Digest answer
    NoRight,                     // UPnP error 606
    NoSuchPhonebook,             // UPnP error 713
    CertificateUntrusted,
    CertificateMismatch,
    CertificateFileUnreadable,
    UnexpectedAnswer,            // not the SOAP, description or download expected
    PhonebookUnreadable,         // the XML reader refused the download
    Conversion,                  // the output failed: see the conversion's status
};

struct DownloadResult {
    DownloadFailure failure = DownloadFailure::None;
    ConversionResult conversion{ConversionStatus::Ok, 0};
};

DownloadResult DownloadPhonebook(const DownloadRequest& request);
