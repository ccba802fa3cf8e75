#include "XmlPrologGuard.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "TextEncoding.h"

namespace {

// Enough of a processing instruction to read the XML declaration's encoding.
constexpr std::size_t kDeclarationLength = 256;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The value of the declaration's encoding="..." ('...'), or "" if none.
std::string DeclaredEncoding(std::string_view declaration)
{
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return {};
    std::size_t at = key + 8;
    while (at < declaration.size() && IsXmlSpace(declaration[at]))
        ++at;
    if (at == declaration.size() || declaration[at] != '=')
        return {};
    ++at;
    while (at < declaration.size() && IsXmlSpace(declaration[at]))
        ++at;
    if (at == declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos)
        return {};
    return Lower(std::string(declaration.substr(at + 1, end - at - 1)));
}

}  // namespace

std::ptrdiff_t XmlPrologGuard::Read(char* buffer, std::size_t size)
{
    if (m_state == State::Refused)
        return -1;
    const std::ptrdiff_t got = m_input.Read(buffer, size);
    if (got > 0 && m_state != State::Done)
        Inspect(buffer, static_cast<std::size_t>(got));
    return m_state == State::Refused ? -1 : got;
}

void XmlPrologGuard::Inspect(const char* data, std::size_t size)
{
    std::size_t at = 0;
    if (m_state == State::Start) {
        while (m_bom.size() < 2 && at < size)
            m_bom += data[at++];
        if (m_bom.size() < 2)
            return;
        m_state = State::Prolog;
        if (m_bom == "\xFF\xFE" || m_bom == "\xFE\xFF") {
            m_unitBytes = 2;
            m_bigEndian = m_bom[0] == '\xFE';
        } else {
            for (const char c : m_bom)
                Take(static_cast<unsigned char>(c));
        }
    }
    for (; at < size && m_state != State::Done && m_state != State::Refused; ++at) {
        const unsigned char byte = static_cast<unsigned char>(data[at]);
        if (m_unitBytes == 1) {
            Take(byte);
        } else if (m_pendingByte < 0) {
            m_pendingByte = byte;
        } else {
            Take(m_bigEndian ? (m_pendingByte << 8 | byte) : (byte << 8 | m_pendingByte));
            m_pendingByte = -1;
        }
    }
}

void XmlPrologGuard::Take(char32_t c)
{
    switch (m_state) {
    case State::Prolog:
        if (c == '<')
            m_state = State::AfterLt;
        else if (!IsXmlSpace(c))
            m_state = State::Done;  // not XML: the parser says so
        break;
    case State::AfterLt:
        m_markup.clear();
        m_state = c == '?' ? State::Instruction : c == '!' ? State::AfterBang : State::Done;
        break;
    case State::AfterBang: {
        m_markup += c < 0x80 ? static_cast<char>(c) : '\x80';
        const std::string_view markup = m_markup;
        if (markup == "--")
            m_state = State::Comment;
        else if (markup == "DOCTYPE")
            m_state = State::Refused;
        else if (std::string_view("--").substr(0, markup.size()) != markup &&
                 std::string_view("DOCTYPE").substr(0, markup.size()) != markup)
            m_state = State::Done;  // not allowed before the document element
        break;
    }
    case State::Comment:
        if (c == '>' && m_previous[0] == '-' && m_previous[1] == '-')
            m_state = State::Prolog;
        break;
    case State::Instruction:
        if (c == '>' && m_previous[1] == '?') {
            EndInstruction();
        } else if (m_markup.size() < kDeclarationLength) {
            m_markup += c < 0x80 ? static_cast<char>(c) : '\x80';
        }
        break;
    case State::Start:
    case State::Done:
    case State::Refused:
        break;
    }
    m_previous[0] = m_previous[1];
    m_previous[1] = c;
}

void XmlPrologGuard::EndInstruction()
{
    m_state = State::Prolog;
    const bool declaration = m_markup.size() > 3 && m_markup.compare(0, 3, "xml") == 0 && IsXmlSpace(m_markup[3]);
    if (!declaration)
        return;
    const std::string encoding = DeclaredEncoding(m_markup);
    const bool utf16 = m_unitBytes == 2;
    const bool fits = encoding.empty() ? true
                      : utf16          ? encoding == "utf-16"
                                       : encoding == "utf-8" || encoding == "iso-8859-1" || encoding == "us-ascii";
    if (!fits)
        m_state = State::Refused;
}
