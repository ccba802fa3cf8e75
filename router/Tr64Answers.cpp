#include "Tr64Answers.h"

#include <cstdlib>
#include <vector>

#include "TextEncoding.h"
#include "XmlParser.h"

namespace {

class TextSource final : public ByteSource {
public:
    explicit TextSource(std::string_view text) : m_text(text) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min(size, m_text.size());
        m_text.copy(buffer, count);
        m_text.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::string_view m_text;
};

constexpr std::size_t kBlockSize = 16 * 1024;

// The element name without its namespace prefix.
std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Keeps the path of open elements (local names) and each element's text.
class ElementTree : public XmlContentHandler {
public:
    bool StartElement(std::string_view name) override
    {
        m_path.emplace_back(LocalName(name));
        m_text.emplace_back();
        return Started();
    }
    bool EndElement() override
    {
        const bool go = Ended(m_text.back());
        m_path.pop_back();
        m_text.pop_back();
        return go;
    }
    bool Characters(std::string_view utf8) override
    {
        if (!m_text.empty())
            m_text.back() += utf8;
        return true;
    }
    bool Characters(std::u16string_view utf16) override
    {
        // A surrogate pair split between two calls is no concern here: the
        // box's names and addresses are short and joined by the parser.
        return Characters(Utf16ToUtf8(utf16));
    }

protected:
    virtual bool Started() { return true; }
    virtual bool Ended(const std::string& text) = 0;
    // The open elements, outermost first.
    const std::vector<std::string>& Path() const { return m_path; }

private:
    std::vector<std::string> m_path;
    std::vector<std::string> m_text;
};

bool Parse(std::string_view text, XmlContentHandler& handler)
{
    TextSource source(text);
    return ParseXmlDocument(source, handler, kBlockSize);
}

class ServiceFinder final : public ElementTree {
public:
    explicit ServiceFinder(std::string_view serviceType) : m_serviceType(serviceType) {}
    std::optional<std::string> found;

private:
    bool Ended(const std::string& text) override
    {
        const std::string& name = Path().back();
        if (name == "serviceType")
            m_type = text;
        else if (name == "controlURL")
            m_control = text;
        else if (name == "service") {
            if (m_type == m_serviceType && !found)
                found = m_control;
            m_type.clear();
            m_control.clear();
        }
        return true;
    }

    std::string m_serviceType;
    std::string m_type;
    std::string m_control;
};

class SoapReader final : public ElementTree {
public:
    SoapAnswer answer;
    bool sawResponse = false;
    bool sawFault = false;

private:
    bool Started() override
    {
        const auto& path = Path();
        if (path.size() == 1)
            return path[0] == "Envelope";
        if (path.size() == 2)
            return path[1] == "Header" || path[1] == "Body";
        if (path.size() == 3 && path[1] == "Body") {
            // One response or one fault in the body.
            if (sawResponse || sawFault)
                return false;
            (path[2] == "Fault" ? sawFault : sawResponse) = true;
        }
        return true;
    }
    bool Ended(const std::string& text) override
    {
        const auto& path = Path();
        if (path.size() == 4 && path[1] == "Body" && sawResponse)
            answer.arguments[path[3]] = text;
        if (sawFault && path.back() == "errorCode" && path.size() >= 4 && path[1] == "Body") {
            char* end = nullptr;
            const long code = std::strtol(text.c_str(), &end, 10);
            if (end == text.c_str() || *end != '\0' || code <= 0 || code > 9999)
                return false;
            answer.upnpError = static_cast<int>(code);
        }
        return true;
    }
};

class LastUserFinder final : public ElementTree {
public:
    std::optional<std::string> found;

private:
    bool Started() override
    {
        m_last = false;
        return true;
    }
    bool Attribute(std::string_view name, std::string_view value) override
    {
        if (Path().back() == "Username" && name == "last_user" && value == "1")
            m_last = true;
        return true;
    }
    bool Ended(const std::string& text) override
    {
        if (Path().back() == "Username" && m_last && !found)
            found = text;
        m_last = false;
        return true;
    }

    bool m_last = false;
};

}  // namespace

std::optional<std::string> FindControlUrl(std::string_view description, std::string_view serviceType)
{
    ServiceFinder finder(serviceType);
    if (!Parse(description, finder) || !finder.found || finder.found->empty() || (*finder.found)[0] != '/')
        return std::nullopt;
    return finder.found;
}

std::optional<SoapAnswer> ReadSoapAnswer(std::string_view answer)
{
    SoapReader reader;
    if (!Parse(answer, reader) || reader.sawResponse == reader.sawFault)
        return std::nullopt;
    if (reader.sawFault && reader.answer.upnpError == 0)
        return std::nullopt;
    return reader.answer;
}

std::optional<std::string> LastUser(std::string_view userList)
{
    LastUserFinder finder;
    if (!Parse(userList, finder))
        return std::nullopt;
    return finder.found;
}
