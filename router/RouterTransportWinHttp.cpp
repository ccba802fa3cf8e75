// The transport on Windows: WinHTTP, with crypt32 for the box's certificate
// and bcrypt for MD5.
//
// The Digest login is answered here, from the box's challenge
// (DigestAnswer.h), rather than by WinHTTP: Wine 8's WinHTTP (and WinINet)
// lists Digest among its schemes but never sends an Authorization header
// for it, so the program could not log in under Wine.
#include <windows.h>

#include <bcrypt.h>
#include <wincrypt.h>
#include <winhttp.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "RouterTransport.h"
#include "TextEncoding.h"

namespace {

constexpr int kHttpUnauthorized = 401;
constexpr DWORD kBlock = 64 * 1024;

class Handle {
public:
    Handle() = default;
    explicit Handle(HINTERNET handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle& operator=(HINTERNET handle)
    {
        Close();
        m_handle = handle;
        return *this;
    }
    HINTERNET Get() const { return m_handle; }
    // Forgets a handle closed elsewhere.
    void Release() { m_handle = nullptr; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    void Close()
    {
        if (m_handle)
            WinHttpCloseHandle(m_handle);
        m_handle = nullptr;
    }
    HINTERNET m_handle = nullptr;
};

// MD5 from the system's provider (opened once, as the program runs one
// download); Digest as the box asks it needs no more than this.
std::string Md5Hex(std::string_view text)
{
    static BCRYPT_ALG_HANDLE md5 = [] {
        BCRYPT_ALG_HANDLE handle = nullptr;
        return BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle, BCRYPT_MD5_ALGORITHM, nullptr, 0)) ? handle
                                                                                                     : nullptr;
    }();
    UCHAR digest[16] = {};
    if (!md5 || !BCRYPT_SUCCESS(BCryptHash(md5, nullptr, 0, reinterpret_cast<PUCHAR>(const_cast<char*>(text.data())),
                                           static_cast<ULONG>(text.size()), digest, sizeof digest)))
        return {};
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (const UCHAR byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

std::string ClientNonce()
{
    UCHAR random[16] = {};
    BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    return Md5Hex(std::string_view(reinterpret_cast<const char*>(random), sizeof random));
}

// The first certificate of a PEM file, or null.
PCCERT_CONTEXT ReadCertificate(const std::string& path)
{
    std::ifstream file(Utf8ToWide(path).c_str(), std::ios::binary);
    const std::string pem((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (pem.empty() || pem.size() > kMaxAnswerLength)
        return nullptr;
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                              nullptr, nullptr))
        return nullptr;
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, der.data(),
                              &size, nullptr, nullptr))
        return nullptr;
    return CertCreateCertificateContext(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, der.data(), size);
}

class WinHttpTransport final : public RouterTransport, private ByteSource {
public:
    WinHttpTransport(const RouterAddress& address, int port, std::string certificateFile)
        : m_https(address.https), m_certificateFile(std::move(certificateFile))
    {
        m_session = WinHttpOpen(L"zedulo-convert", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                WINHTTP_NO_PROXY_BYPASS, 0);
        if (!m_session)
            return;
        WinHttpSetTimeouts(m_session.Get(), kConnectSeconds * 1000, kConnectSeconds * 1000, kSilenceSeconds * 1000,
                           kSilenceSeconds * 1000);
        m_connection = WinHttpConnect(m_session.Get(), Utf8ToWide(address.host).c_str(),
                                      static_cast<INTERNET_PORT>(port), 0);
    }
    ~WinHttpTransport() override
    {
        if (m_certificate)
            CertFreeCertificateContext(m_certificate);
    }

    TransportError Get(const std::string& path, HttpAnswer& answer) override
    {
        answer = {};
        if (const TransportError error = Send(L"GET", path, {}, {}, answer.status); error != TransportError::None)
            return error;
        return ReadAll(answer.body);
    }

    TransportError Post(const std::string& path, const std::string& soapAction, const std::string& body,
                        const DigestCredentials* credentials, HttpAnswer& answer) override
    {
        answer = {};
        const std::wstring headers = L"Content-Type: text/xml; charset=\"utf-8\"\r\nSOAPACTION: \"" +
                                     Utf8ToWide(soapAction) + L"\"\r\n";
        if (const TransportError error = Send(L"POST", path, headers, body, answer.status);
            error != TransportError::None)
            return error;
        if (answer.status == kHttpUnauthorized && credentials) {
            // The certificate was checked on this first exchange, and is
            // again before the Digest answer goes out (OnSending).
            const std::optional<DigestChallenge> challenge = Challenge();
            if (challenge) {
                const std::string authorization =
                    DigestAuthorization(*challenge, *credentials, "POST", path, ClientNonce(), &Md5Hex);
                if (const TransportError error = Send(L"POST", path,
                                                      headers + L"Authorization: " + Utf8ToWide(authorization) + L"\r\n",
                                                      body, answer.status);
                    error != TransportError::None)
                    return error;
            }
        }
        return ReadAll(answer.body);
    }

    TransportError OpenDownload(const std::string& path, int& status) override
    {
        return Send(L"GET", path, {}, {}, status);
    }

    ByteSource& Body() override { return *this; }
    TransportError BodyError() const override { return m_bodyError; }

private:
    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        DWORD got = 0;
        if (!WinHttpReadData(m_request.Get(), buffer, static_cast<DWORD>(std::min<std::size_t>(size, kBlock)), &got)) {
            const DWORD error = GetLastError();
            m_bodyError = IsTimeout(error) ? TransportError::NoConnection : TransportError::AnswerCut;
            return -1;
        }
        return static_cast<std::ptrdiff_t>(got);
    }

    // Sends one request and receives its answer's head; the body is left
    // for ReadAll or Read.
    TransportError Send(const wchar_t* verb, const std::string& path, const std::wstring& headers,
                        const std::string& body, int& status)
    {
        if (!m_connection)
            return TransportError::NoConnection;
        if (m_https && !m_certificateFile.empty() && !m_certificate) {
            m_certificate = ReadCertificate(m_certificateFile);
            if (!m_certificate)
                return TransportError::CertificateFileUnreadable;
        }
        m_request = WinHttpOpenRequest(m_connection.Get(), verb, Utf8ToWide(path).c_str(), nullptr,
                                       WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                       m_https ? WINHTTP_FLAG_SECURE : 0);
        if (!m_request)
            return TransportError::NoConnection;
        DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
        WinHttpSetOption(m_request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects);
        if (m_certificate) {
            // The chain and the name are not what counts: the box's own
            // certificate, compared below, is the one trusted.
            DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_CN_INVALID;
            WinHttpSetOption(m_request.Get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        }
        if (m_certificate)
            WinHttpSetStatusCallback(m_request.Get(), &WinHttpTransport::OnSending,
                                     WINHTTP_CALLBACK_FLAG_SEND_REQUEST, 0);
        m_refused = false;
        const BOOL sent = WinHttpSendRequest(m_request.Get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                                             headers.empty() ? 0 : static_cast<DWORD>(-1),
                                             const_cast<char*>(body.data()), static_cast<DWORD>(body.size()),
                                             static_cast<DWORD>(body.size()), reinterpret_cast<DWORD_PTR>(this));
        if (m_refused) {
            m_request.Release();  // closed by OnSending
            return TransportError::CertificateMismatch;
        }
        if (!sent || !WinHttpReceiveResponse(m_request.Get(), nullptr))
            return ErrorOf(GetLastError());
        // Checked again on the answer, should a WinHTTP not report sending.
        if (m_certificate && !PresentsTheCertificate(m_request.Get()))
            return TransportError::CertificateMismatch;
        DWORD code = 0;
        DWORD size = sizeof code;
        if (!WinHttpQueryHeaders(m_request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                 WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX))
            return TransportError::NoConnection;
        status = static_cast<int>(code);
        return TransportError::None;
    }

    // Every request, on whatever connection WinHTTP takes for it, is checked
    // when WinHTTP is about to send it, after the TLS handshake (Windows
    // reports that before the request goes out; Wine 8 after it, so there
    // the first request, which carries nothing of the login, reaches a box
    // with another certificate, and its answer is refused). Closing the
    // request makes its sending fail.
    static void CALLBACK OnSending(HINTERNET request, DWORD_PTR context, DWORD status, LPVOID, DWORD)
    {
        auto* self = reinterpret_cast<WinHttpTransport*>(context);
        if (status != WINHTTP_CALLBACK_STATUS_SENDING_REQUEST || !self || self->PresentsTheCertificate(request))
            return;
        self->m_refused = true;
        WinHttpCloseHandle(request);  // the send fails, nothing goes out
    }

    bool PresentsTheCertificate(HINTERNET request) const
    {
        PCCERT_CONTEXT presented = nullptr;
        DWORD size = sizeof presented;
        if (!WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &presented, &size) || !presented)
            return false;
        const bool same = CertComparePublicKeyInfo(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING,
                                                   &presented->pCertInfo->SubjectPublicKeyInfo,
                                                   &m_certificate->pCertInfo->SubjectPublicKeyInfo);
        CertFreeCertificateContext(presented);
        return same;
    }

    // The Digest challenge among the answer's WWW-Authenticate headers.
    std::optional<DigestChallenge> Challenge() const
    {
        for (DWORD index = 0;;) {
            const DWORD at = index;
            DWORD size = 0;
            WinHttpQueryHeaders(m_request.Get(), WINHTTP_QUERY_WWW_AUTHENTICATE, WINHTTP_HEADER_NAME_BY_INDEX,
                                WINHTTP_NO_OUTPUT_BUFFER, &size, &index);
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
                return std::nullopt;
            std::wstring value(size / sizeof(wchar_t), L'\0');
            index = at;
            if (!WinHttpQueryHeaders(m_request.Get(), WINHTTP_QUERY_WWW_AUTHENTICATE, WINHTTP_HEADER_NAME_BY_INDEX,
                                     value.data(), &size, &index))
                return std::nullopt;
            value.resize(size / sizeof(wchar_t));
            if (std::optional<DigestChallenge> challenge = ReadDigestChallenge(WideToUtf8(value)))
                return challenge;
        }
    }

    TransportError ReadAll(std::string& body)
    {
        char block[8192];
        for (;;) {
            DWORD got = 0;
            if (!WinHttpReadData(m_request.Get(), block, sizeof block, &got))
                return ErrorOf(GetLastError());
            if (got == 0)
                return TransportError::None;
            if (body.size() + got > kMaxAnswerLength)
                return TransportError::AnswerTooLong;
            body.append(block, got);
        }
    }

    // Windows says ERROR_WINHTTP_TIMEOUT; Wine passes the socket's own on.
    static bool IsTimeout(DWORD error) { return error == ERROR_WINHTTP_TIMEOUT || error == WSAETIMEDOUT; }

    TransportError ErrorOf(DWORD error) const
    {
        // Wine reports a certificate it does not trust as a failure of the
        // secure channel; a box reached over https that fails there has no
        // certificate we can trust either.
        if (error == ERROR_WINHTTP_SECURE_FAILURE || error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR || error == ERROR_WINHTTP_SECURE_CERT_CN_INVALID ||
            error == ERROR_WINHTTP_SECURE_INVALID_CA || error == ERROR_WINHTTP_SECURE_INVALID_CERT ||
            error == ERROR_WINHTTP_SECURE_CERT_DATE_INVALID)
            return m_certificate ? TransportError::CertificateMismatch : TransportError::CertificateUntrusted;
        return TransportError::NoConnection;
    }

    bool m_https;
    std::string m_certificateFile;
    PCCERT_CONTEXT m_certificate = nullptr;
    Handle m_session;
    Handle m_connection;
    Handle m_request;
    TransportError m_bodyError = TransportError::None;
    bool m_refused = false;  // OnSending found another certificate
};

}  // namespace

std::unique_ptr<RouterTransport> MakeRouterTransport(const RouterAddress& address, int port,
                                                     const std::string& certificateFile)
{
    return std::make_unique<WinHttpTransport>(address, port, certificateFile);
}
