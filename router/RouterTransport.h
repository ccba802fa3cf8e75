// HTTP to the FritzBox: one small file per platform behind this interface
// (RouterTransportCurl.cpp on Linux, RouterTransportWinHttp.cpp on Windows).
// Every request goes to the scheme, host and port the transport was made
// for, under its certificate check; none follows a redirect or a proxy.
#pragma once

#include <memory>
#include <string>

#include "ByteSource.h"
#include "DigestAnswer.h"
#include "RouterAddress.h"

// A connection waits at most this long to be made, and at most this long for
// any byte of an answer.
constexpr int kConnectSeconds = 10;
constexpr int kSilenceSeconds = 30;

// SOAP answers are small; a longer one is no answer of a FritzBox.
constexpr std::size_t kMaxAnswerLength = 1024 * 1024;

enum class TransportError {
    None,
    NoConnection,               // not reached, refused, or silent too long
    CertificateUntrusted,       // https without a certificate file: the system does not trust the box
    CertificateMismatch,        // https with one: the box presents another
    CertificateFileUnreadable,  // the certificate file cannot be read or is no certificate
    AnswerTooLong,
    AnswerCut,                  // the connection ended before the answer did
};

struct HttpAnswer {
    int status = 0;
    std::string body;
};

class RouterTransport {
public:
    virtual ~RouterTransport() = default;

    // GETs a small answer (at most kMaxAnswerLength bytes), without a login.
    virtual TransportError Get(const std::string& path, HttpAnswer& answer) = 0;

    // POSTs a SOAP request; with credentials, answers the box's Digest
    // challenge with them (a box without passwords asks none).
    virtual TransportError Post(const std::string& path, const std::string& soapAction, const std::string& body,
                                const DigestCredentials* credentials, HttpAnswer& answer) = 0;

    // Starts a GET whose body is read as it arrives, through Body(); status
    // is the answer's HTTP status.
    virtual TransportError OpenDownload(const std::string& path, int& status) = 0;
    virtual ByteSource& Body() = 0;
    // Why the body's reading failed (None when it did not, or the body was
    // complete).
    virtual TransportError BodyError() const = 0;
};

// A transport to base (scheme, host, port). certificateFile, when not
// empty, is the box's own certificate (PEM) and the only one trusted.
std::unique_ptr<RouterTransport> MakeRouterTransport(const RouterAddress& address, int port,
                                                     const std::string& certificateFile);
