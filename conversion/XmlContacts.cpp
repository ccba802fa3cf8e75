#include "XmlContacts.h"

#include <algorithm>

#include "InternationalNumbers.h"
#include "TextEncoding.h"

namespace {

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c < 0xE000;
}

}  // namespace

void FieldText::AppendAny(char32_t c)
{
    if (IsXmlSpace(c)) {
        if (!m_bytes.empty())  // leading blanks are dropped at once
            ++m_pendingBlanks;
        return;
    }
    if (m_tooLong)
        return;
    if (m_bytes.size() + m_pendingBlanks + 1 > m_maxLength) {
        m_tooLong = true;
        m_bytes.clear();
        m_pendingBlanks = 0;
        return;
    }
    m_bytes.append(m_pendingBlanks, ' ');
    m_pendingBlanks = 0;
    m_bytes += UnicodeToWindows1252(c);
}

void FieldText::Clear()
{
    m_bytes.clear();
    m_pendingBlanks = 0;
    m_tooLong = false;
}

XmlContacts::XmlContacts(RecordSink& out, const CallingCode& ownCountry)
    : m_out(out), m_ownCountry(ownCountry)
{
    m_open.reserve(kMaxXmlDepth);
}

bool XmlContacts::StartElement(std::string_view name)
{
    // A parser may still report the end of an empty element it was stopped
    // in; nothing counts once the handler has stopped it.
    if (m_status != ConversionStatus::Ok)
        return false;
    FlushSurrogate();
    if (m_open.size() == kMaxXmlDepth)
        return Stop(ConversionStatus::InputReadFailed);
    if (m_open.empty()) {
        if (name != "phonebooks")
            return Stop(ConversionStatus::InputReadFailed);
        m_open.push_back(Role::Phonebooks);
        return true;
    }

    Role role = Role::Other;
    switch (m_open.back()) {
    case Role::Phonebooks:
        if (name == "phonebook")
            role = Role::Phonebook;
        break;
    case Role::Phonebook:
        if (name == "contact") {
            role = Role::Contact;
            m_seenPerson = m_seenName = m_tooManyNumbers = false;
            m_name.Clear();
            m_numbers.clear();
        }
        break;
    case Role::Contact:
        if (name == "person" && !m_seenPerson) {
            role = Role::Person;
            m_seenPerson = true;
        } else if (name == "telephony") {
            role = Role::Telephony;
        }
        break;
    case Role::Person:
        if (name == "realName" && !m_seenName) {
            role = Role::Name;
            m_seenName = true;
            m_text = &m_name;
        }
        break;
    case Role::Telephony:
        if (name == "number") {
            role = Role::Number;
            m_number.Clear();
            m_text = &m_number;
        }
        break;
    case Role::Name:
    case Role::Number:
    case Role::Text:
        role = Role::Text;  // its text belongs to the name or number around it
        break;
    case Role::Other:
        break;
    }
    m_open.push_back(role);
    return true;
}

bool XmlContacts::EndElement()
{
    if (m_status != ConversionStatus::Ok || m_open.empty())
        return false;
    FlushSurrogate();
    const Role role = m_open.back();
    m_open.pop_back();
    switch (role) {
    case Role::Name:
        m_text = nullptr;
        break;
    case Role::Number:
        m_text = nullptr;
        EndNumber();
        break;
    case Role::Contact:
        return EndContact();
    default:
        break;
    }
    return true;
}

bool XmlContacts::Characters(std::string_view utf8)
{
    if (m_status != ConversionStatus::Ok)
        return false;
    if (!m_text)
        return true;
    // The parser hands over whole, valid UTF-8 sequences.
    std::size_t length = 0;
    for (std::size_t at = 0; at < utf8.size(); at += length)
        m_text->Append(DecodeUtf8(utf8, at, length));
    return true;
}

bool XmlContacts::Characters(std::u16string_view utf16)
{
    if (m_status != ConversionStatus::Ok)
        return false;
    if (!m_text)
        return true;
    for (const char16_t unit : utf16) {
        if (m_highSurrogate != 0 && IsLowSurrogate(unit)) {
            m_text->Append(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00));
            m_highSurrogate = 0;
            continue;
        }
        FlushSurrogate();
        if (IsHighSurrogate(unit))
            m_highSurrogate = unit;
        else
            m_text->Append(unit);
    }
    return true;
}

void XmlContacts::FlushSurrogate()
{
    // A half without its other half: a character the code page lacks.
    if (m_highSurrogate != 0 && m_text)
        m_text->Append(m_highSurrogate);
    m_highSurrogate = 0;
}

void XmlContacts::EndNumber()
{
    std::string_view number = m_number.Bytes();
    if (IsInternationalNumber(number)) {
        if (!DialledFrom(m_ownCountry, number, m_dialled))
            return;
        number = m_dialled;
    }
    if (number.empty() || number[0] < '0' || number[0] > '9' || number.find(';') != std::string_view::npos)
        return;
    if (m_numbers.size() + number.size() + 1 > kMaxContactNumbersLength) {
        m_tooManyNumbers = true;
        return;
    }
    m_numbers += number;
    m_numbers += '\0';
}

bool XmlContacts::EndContact()
{
    const std::string& name = m_name.Bytes();
    if (name.empty() || m_tooManyNumbers)
        return true;
    // Each number is held with its NUL, which becomes the record's ";".
    const auto numberCount = static_cast<std::size_t>(std::count(m_numbers.begin(), m_numbers.end(), '\0'));
    if (m_numbers.size() + numberCount * (name.size() + 1) > kMaxContactRecordsLength)
        return true;
    RecordBuffer& records = m_out.Records();
    for (std::size_t at = 0; at < m_numbers.size();) {
        const std::size_t end = m_numbers.find('\0', at);
        records.Append(m_numbers.data() + at, end - at, name.data(), name.size());
        ++m_recordCount;
        at = end + 1;
        // Handed on as the buffer fills, so that it never holds more than a
        // block and a record.
        if (!m_out.WriteIfFull())
            return Stop(ConversionStatus::OutputWriteFailed);
    }
    return true;
}

bool XmlContacts::Stop(ConversionStatus status)
{
    m_status = status;
    return false;
}
