#include "XmlPrologGuard.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "TextEncoding.h"

namespace {

const std::string_view kEncodingKey = "encoding";
// Longer than any encoding name the rule takes: past it, a name is foreign.
constexpr std::size_t kMaxEncodingName = 32;

char Ascii(char32_t c)
{
    return c < 0x80 ? static_cast<char>(c) : '\x80';
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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
        m_afterQuestionMark = m_declaration = false;
        break;
    case State::AfterBang: {
        m_markup += Ascii(c);
        const std::string_view markup = m_markup;
        if (markup == "--") {
            m_state = State::Comment;
            m_dashes = 0;
        } else if (markup == "DOCTYPE") {
            m_state = State::Refused;
        } else if (std::string_view("--").substr(0, markup.size()) != markup &&
                   std::string_view("DOCTYPE").substr(0, markup.size()) != markup) {
            m_state = State::Done;  // not allowed before the document element
        }
        break;
    }
    case State::Comment:
        // A comment ends at its first "--", which must be followed by ">"
        // ("<!-->" and "<!--->" are only its start); any other "--" makes
        // it one the parser refuses.
        if (m_dashes == 2)
            m_state = c == '>' ? State::Prolog : State::Done;
        else
            m_dashes = c == '-' ? m_dashes + 1 : 0;
        break;
    case State::Instruction:
        TakeInstruction(c);
        break;
    case State::Start:
    case State::Done:
    case State::Refused:
        break;
    }
}

void XmlPrologGuard::TakeInstruction(char32_t c)
{
    // It ends at its first "?>", the "?" of its "<?" not counting.
    if (c == '>' && m_afterQuestionMark) {
        EndInstruction();
        return;
    }
    m_afterQuestionMark = c == '?';
    if (m_declaration) {
        ScanDeclaration(c);
    } else if (m_markup.size() < 4) {
        m_markup += Ascii(c);
        // The target "xml" and a blank: the XML declaration.
        if (m_markup.size() == 4 && m_markup.compare(0, 3, "xml") == 0 && IsXmlSpace(c)) {
            m_declaration = true;
            m_scan = EncodingScan::Key;
            m_keyMatched = 0;
            m_encoding.clear();
        }
    }
}

// Finds encoding, blanks, "=", blanks and a quoted value, one character at
// a time, so that no length of the declaration hides it.
void XmlPrologGuard::ScanDeclaration(char32_t c)
{
    switch (m_scan) {
    case EncodingScan::Key:
        if (c == static_cast<unsigned char>(kEncodingKey[m_keyMatched]))
            ++m_keyMatched;
        else
            m_keyMatched = c == static_cast<unsigned char>(kEncodingKey[0]) ? 1 : 0;
        if (m_keyMatched == kEncodingKey.size())
            m_scan = EncodingScan::AfterKey;
        break;
    case EncodingScan::AfterKey:
    case EncodingScan::AfterEquals:
        if (IsXmlSpace(c))
            break;
        if (m_scan == EncodingScan::AfterKey && c == '=') {
            m_scan = EncodingScan::AfterEquals;
        } else if (m_scan == EncodingScan::AfterEquals && (c == '"' || c == '\'')) {
            m_quote = c;
            m_scan = EncodingScan::Value;
        } else {
            m_keyMatched = 0;
            m_scan = EncodingScan::Key;
            ScanDeclaration(c);
        }
        break;
    case EncodingScan::Value:
        if (c == m_quote)
            m_scan = EncodingScan::Found;
        else if (m_encoding.size() <= kMaxEncodingName)
            m_encoding += Ascii(c);
        break;
    case EncodingScan::Found:
        break;
    }
}

void XmlPrologGuard::EndInstruction()
{
    m_state = State::Prolog;
    if (!m_declaration)
        return;
    // A value cut off by the instruction's end is judged as far as it goes.
    const std::string encoding = Lower(m_encoding);
    const bool utf16 = m_unitBytes == 2;
    const bool fits = encoding.empty() && m_scan != EncodingScan::Value ? true
                      : utf16 ? encoding == "utf-16"
                              : encoding == "utf-8" || encoding == "iso-8859-1" || encoding == "us-ascii";
    if (!fits)
        m_state = State::Refused;
}
