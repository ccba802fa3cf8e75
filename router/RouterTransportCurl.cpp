// The transport on Linux: libcurl, which does HTTP Digest itself.
#include <cstdio>
#include <fstream>

#include "CurlLibrary.h"
#include "RouterTransport.h"

namespace {

// The download is held in memory at most this much ahead of its reader;
// beyond it libcurl pauses the transfer.
constexpr std::size_t kHeldAhead = 256 * 1024;

bool Readable(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char c = 0;
    return file.get(c).good();
}

class CurlTransport final : public RouterTransport, private ByteSource {
public:
    CurlTransport(const RouterAddress& address, int port, std::string certificateFile)
        : m_base(BaseUrl(address, port)), m_https(address.https), m_certificateFile(std::move(certificateFile))
    {
        if (m_lib)
            m_curl = m_lib->easy_init();
    }
    ~CurlTransport() override
    {
        if (!m_lib)
            return;
        if (m_multi) {
            m_lib->multi_remove_handle(m_multi, m_curl);
            m_lib->multi_cleanup(m_multi);
        }
        if (m_curl)
            m_lib->easy_cleanup(m_curl);
        m_lib->slist_free_all(m_headers);
    }

    TransportError Get(const std::string& path, HttpAnswer& answer) override
    {
        if (const TransportError error = Prepare(path, nullptr); error != TransportError::None)
            return error;
        m_lib->easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
        return Perform(answer);
    }

    TransportError Post(const std::string& path, const std::string& soapAction, const std::string& body,
                        const DigestCredentials* credentials, HttpAnswer& answer) override
    {
        if (const TransportError error = Prepare(path, credentials); error != TransportError::None)
            return error;
        m_lib->slist_free_all(m_headers);
        m_headers = nullptr;
        const std::string action = "SOAPACTION: \"" + soapAction + "\"";
        for (const char* header : {"Content-Type: text/xml; charset=\"utf-8\"", action.c_str(), "Expect:"})
            m_headers = m_lib->slist_append(m_headers, header);
        m_lib->easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers);
        m_lib->easy_setopt(m_curl, CURLOPT_POSTFIELDS, body.c_str());
        m_lib->easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        const TransportError error = Perform(answer);
        m_lib->easy_setopt(m_curl, CURLOPT_HTTPHEADER, nullptr);
        return error;
    }

    TransportError OpenDownload(const std::string& path, int& status) override
    {
        if (const TransportError error = Prepare(path, nullptr); error != TransportError::None)
            return error;
        m_lib->easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
        m_lib->easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &CurlTransport::OnStreamed);
        m_lib->easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
        m_lib->easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, &CurlTransport::OnHeader);
        m_lib->easy_setopt(m_curl, CURLOPT_HEADERDATA, this);
        m_multi = m_lib->multi_init();
        if (!m_multi || m_lib->multi_add_handle(m_multi, m_curl) != CURLM_OK)
            return TransportError::NoConnection;
        while (!m_headersDone && !m_done)
            Pump();
        if (m_error != TransportError::None && !m_headersDone)
            return m_error;
        long code = 0;
        m_lib->easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &code);
        status = static_cast<int>(code);
        return TransportError::None;
    }

    ByteSource& Body() override { return *this; }
    TransportError BodyError() const override { return m_error; }

private:
    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        while (m_held.size() == m_heldAt && !m_done)
            Pump();
        if (m_held.size() == m_heldAt)
            return m_error == TransportError::None ? 0 : -1;
        const std::size_t count = std::min(size, m_held.size() - m_heldAt);
        m_held.copy(buffer, count, m_heldAt);
        m_heldAt += count;
        if (m_heldAt == m_held.size()) {
            m_held.clear();
            m_heldAt = 0;
        }
        return static_cast<std::ptrdiff_t>(count);
    }

    // Moves the download on until something arrived or it ended.
    void Pump()
    {
        if (m_paused) {
            m_paused = false;
            m_lib->easy_pause(m_curl, CURLPAUSE_CONT);
        }
        int running = 0;
        if (m_lib->multi_perform(m_multi, &running) != CURLM_OK) {
            Finish(CURLE_RECV_ERROR);
            return;
        }
        int left = 0;
        while (CURLMsg* message = m_lib->multi_info_read(m_multi, &left)) {
            if (message->msg == CURLMSG_DONE)
                Finish(message->data.result);
        }
        if (!m_done && m_held.size() == m_heldAt && !m_paused)
            m_lib->multi_poll(m_multi, nullptr, 0, 1000, nullptr);
    }

    void Finish(CURLcode result)
    {
        m_done = true;
        if (result != CURLE_OK)
            m_error = ErrorOf(result);
    }

    static std::size_t OnStreamed(char* data, std::size_t, std::size_t size, void* self)
    {
        CurlTransport& transport = *static_cast<CurlTransport*>(self);
        if (transport.m_held.size() - transport.m_heldAt >= kHeldAhead) {
            transport.m_paused = true;
            return CURL_WRITEFUNC_PAUSE;
        }
        transport.m_held.append(data, size);
        return size;
    }

    static std::size_t OnHeader(char* data, std::size_t, std::size_t size, void* self)
    {
        CurlTransport& transport = *static_cast<CurlTransport*>(self);
        // The blank line after the headers; an interim 1xx answer has one too.
        if (size <= 2 && (size == 0 || data[0] == '\r' || data[0] == '\n')) {
            long code = 0;
            transport.m_lib->easy_getinfo(transport.m_curl, CURLINFO_RESPONSE_CODE, &code);
            transport.m_headersDone = code >= 200;
        }
        return size;
    }

    static std::size_t OnAnswer(char* data, std::size_t, std::size_t size, void* self)
    {
        std::string& body = *static_cast<std::string*>(self);
        if (body.size() + size > kMaxAnswerLength)
            return 0;  // libcurl ends the transfer with CURLE_WRITE_ERROR
        body.append(data, size);
        return size;
    }

    TransportError Prepare(const std::string& path, const DigestCredentials* credentials)
    {
        if (!m_curl)
            return TransportError::NoConnection;
        if (m_https && !m_certificateFile.empty() && !Readable(m_certificateFile))
            return TransportError::CertificateFileUnreadable;
        const std::string url = m_base + path;
        m_lib->easy_setopt(m_curl, CURLOPT_URL, url.c_str());
        m_lib->easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "http,https");
        m_lib->easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, 0L);
        // The box is on the home network: no proxy of the environment
        // ever sees its password or phonebook.
        m_lib->easy_setopt(m_curl, CURLOPT_PROXY, "");
        m_lib->easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
        m_lib->easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(kConnectSeconds));
        m_lib->easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        m_lib->easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(kSilenceSeconds));
        if (m_https) {
            m_lib->easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
            if (!m_certificateFile.empty()) {
                // The box's own certificate is the one trust anchor; the
                // system's store (CAPATH on Debian) must not be added to
                // it. The box is reached by address, and its certificate
                // names only its host names, so the name is not checked:
                // the certificate itself is.
                m_lib->easy_setopt(m_curl, CURLOPT_CAINFO, m_certificateFile.c_str());
                m_lib->easy_setopt(m_curl, CURLOPT_CAPATH, nullptr);
                m_lib->easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 0L);
            } else {
                m_lib->easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L);
            }
        }
        if (credentials) {
            m_lib->easy_setopt(m_curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_DIGEST));
            m_lib->easy_setopt(m_curl, CURLOPT_USERNAME, credentials->user.c_str());
            m_lib->easy_setopt(m_curl, CURLOPT_PASSWORD, credentials->password.c_str());
        } else {
            m_lib->easy_setopt(m_curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_NONE));
            m_lib->easy_setopt(m_curl, CURLOPT_USERNAME, nullptr);
            m_lib->easy_setopt(m_curl, CURLOPT_PASSWORD, nullptr);
        }
        return TransportError::None;
    }

    TransportError Perform(HttpAnswer& answer)
    {
        answer = {};
        m_lib->easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &CurlTransport::OnAnswer);
        m_lib->easy_setopt(m_curl, CURLOPT_WRITEDATA, &answer.body);
        const CURLcode result = m_lib->easy_perform(m_curl);
        // Not even a password libcurl was given stays in its handle.
        m_lib->easy_setopt(m_curl, CURLOPT_PASSWORD, nullptr);
        if (result == CURLE_WRITE_ERROR)
            return TransportError::AnswerTooLong;
        if (result != CURLE_OK)
            return ErrorOf(result);
        long code = 0;
        m_lib->easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &code);
        answer.status = static_cast<int>(code);
        return TransportError::None;
    }

    TransportError ErrorOf(CURLcode result) const
    {
        switch (result) {
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
            if (result == CURLE_SSL_CACERT_BADFILE)
                return TransportError::CertificateFileUnreadable;
            return m_certificateFile.empty() ? TransportError::CertificateUntrusted
                                             : TransportError::CertificateMismatch;
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR: return TransportError::AnswerCut;
        default: return TransportError::NoConnection;
        }
    }

    std::string m_base;
    bool m_https;
    std::string m_certificateFile;
    const CurlLibrary* const m_lib = LoadCurl();
    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr;
    curl_slist* m_headers = nullptr;
    std::string m_held;
    std::size_t m_heldAt = 0;
    bool m_paused = false;
    bool m_headersDone = false;
    bool m_done = false;
    TransportError m_error = TransportError::None;
};

}  // namespace

std::unique_ptr<RouterTransport> MakeRouterTransport(const RouterAddress& address, int port,
                                                     const std::string& certificateFile)
{
    return std::make_unique<CurlTransport>(address, port, certificateFile);
}
