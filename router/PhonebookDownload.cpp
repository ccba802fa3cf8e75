#include "PhonebookDownload.h"

#include <memory>
#include <optional>

#include "RouterTransport.h"
#include "SoapRequest.h"
#include "Tr64Answers.h"

namespace {

const char* const kDescriptionPath = "/tr64desc.xml";
const char* const kDeviceInfo = "urn:dslforum-org:service:DeviceInfo:1";
const char* const kOnTel = "urn:dslforum-org:service:X_AVM-DE_OnTel:1";
const char* const kLanConfigSecurity = "urn:dslforum-org:service:LANConfigSecurity:1";
constexpr int kHttpOk = 200;
constexpr int kHttpUnauthorized = 401;
constexpr int kUpnpNoRight = 606;
constexpr int kUpnpNoSuchEntry = 713;

DownloadFailure FailureOf(TransportError error)
{
    switch (error) {
    case TransportError::None: return DownloadFailure::None;
    case TransportError::NoConnection: return DownloadFailure::NoConnection;
    case TransportError::CertificateUntrusted: return DownloadFailure::CertificateUntrusted;
    case TransportError::CertificateMismatch: return DownloadFailure::CertificateMismatch;
    case TransportError::CertificateFileUnreadable: return DownloadFailure::CertificateFileUnreadable;
    case TransportError::AnswerTooLong: return DownloadFailure::UnexpectedAnswer;
    case TransportError::AnswerCut: return DownloadFailure::PhonebookUnreadable;
    }
    return DownloadFailure::UnexpectedAnswer;
}

// One conversation with the box over one transport.
class Tr64Session {
public:
    explicit Tr64Session(std::unique_ptr<RouterTransport> transport) : m_transport(std::move(transport)) {}

    RouterTransport& Transport() { return *m_transport; }

    // The description's control URL of the service.
    DownloadFailure ControlUrl(const char* serviceType, std::string& url)
    {
        if (m_description.empty()) {
            HttpAnswer answer;
            if (const TransportError error = m_transport->Get(kDescriptionPath, answer); error != TransportError::None)
                return FailureOf(error);
            if (answer.status != kHttpOk)
                return DownloadFailure::UnexpectedAnswer;
            m_description = std::move(answer.body);
        }
        const std::optional<std::string> found = FindControlUrl(m_description, serviceType);
        if (!found)
            return DownloadFailure::UnexpectedAnswer;
        url = *found;
        return DownloadFailure::None;
    }

    // Runs the action; its answer's arguments in answer.
    DownloadFailure Call(const SoapRequest& request, const DigestCredentials* credentials, SoapAnswer& answer)
    {
        std::string control;
        if (const DownloadFailure failure = ControlUrl(request.serviceType.c_str(), control);
            failure != DownloadFailure::None)
            return failure;
        HttpAnswer http;
        const TransportError error =
            m_transport->Post(control, request.SoapAction(), request.Envelope(), credentials, http);
        if (error != TransportError::None)
            return FailureOf(error);
        if (http.status == kHttpUnauthorized)
            return DownloadFailure::LoginRefused;
        const std::optional<SoapAnswer> read = ReadSoapAnswer(http.body);
        if (!read)
            return DownloadFailure::UnexpectedAnswer;
        if (read->upnpError == kUpnpNoRight)
            return DownloadFailure::NoRight;
        if (read->upnpError == kUpnpNoSuchEntry)
            return DownloadFailure::NoSuchPhonebook;
        if (read->upnpError != 0 || http.status != kHttpOk)
            return DownloadFailure::UnexpectedAnswer;
        answer = *read;
        return DownloadFailure::None;
    }

private:
    std::unique_ptr<RouterTransport> m_transport;
    std::string m_description;
};

// The box's TLS port, asked over plain HTTP, which needs no login; the
// usual one when the box does not tell.
int SecurePort(const RouterAddress& address)
{
    RouterAddress plain = address;
    plain.https = false;
    Tr64Session session(MakeRouterTransport(plain, kTr64Port, {}));
    SoapAnswer answer;
    if (session.Call({kDeviceInfo, "GetSecurityPort", {}}, nullptr, answer) == DownloadFailure::None) {
        const std::string& port = answer.arguments["NewSecurityPort"];
        const std::optional<RouterAddress> parsed = ParseRouterAddress("x:" + port);
        if (parsed)
            return parsed->port;
    }
    return kTr64DefaultSecurePort;
}

}  // namespace

DownloadResult DownloadPhonebook(const DownloadRequest& request)
{
    const RouterAddress& address = request.address;
    const int port = address.port != 0 ? address.port : address.https ? SecurePort(address) : kTr64Port;
    Tr64Session session(MakeRouterTransport(address, port, address.https ? request.certificateFile : std::string()));

    DigestCredentials credentials{request.user, request.password};
    if (credentials.user.empty()) {
        // AVM's advice since FRITZ!OS 7.24: the last user who logged in.
        // A box older than that has no such list: it takes the login
        // without a user name.
        SoapAnswer users;
        const DownloadFailure failure =
            session.Call({kLanConfigSecurity, "X_AVM-DE_GetUserList", {}}, nullptr, users);
        if (failure != DownloadFailure::None && failure != DownloadFailure::UnexpectedAnswer)
            return {failure};
        credentials.user = LastUser(users.arguments["NewX_AVM-DE_UserList"]).value_or("");
    }

    SoapAnswer phonebook;
    const SoapRequest getPhonebook{kOnTel, "GetPhonebook", {{"NewPhonebookID", std::to_string(request.phonebook)}}};
    // A box without passwords asks for no login; libcurl would send the
    // first request of a Digest login without its body.
    const DigestCredentials* login = credentials.password.empty() ? nullptr : &credentials;
    if (const DownloadFailure failure = session.Call(getPhonebook, login, phonebook);
        failure != DownloadFailure::None)
        return {failure};
    credentials.password.assign(credentials.password.size(), '\0');

    // Only the path and query: fetched from the box the user named, under
    // the same check, however the box names itself in the URL.
    const std::string path = PathAndQuery(phonebook.arguments["NewPhonebookURL"]);
    if (path.empty())
        return {DownloadFailure::UnexpectedAnswer};
    int status = 0;
    if (const TransportError error = session.Transport().OpenDownload(path, status); error != TransportError::None)
        return {FailureOf(error)};
    if (status != kHttpOk)
        return {DownloadFailure::UnexpectedAnswer};

    DownloadResult result;
    result.conversion = ConvertXmlPhonebook(session.Transport().Body(), request.outputPath, StreamPolicy::Streams,
                                            request.ownCountry);
    if (result.conversion.status == ConversionStatus::InputReadFailed) {
        // The XML reader refused it, or the transfer was cut or fell silent.
        const TransportError error = session.Transport().BodyError();
        result.failure = error == TransportError::None ? DownloadFailure::PhonebookUnreadable : FailureOf(error);
    } else if (result.conversion.status != ConversionStatus::Ok) {
        result.failure = DownloadFailure::Conversion;
    }
    return result;
}
