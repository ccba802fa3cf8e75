// Turns what the XML parser reports of a FritzBox phonebook backup into
// klingeo records.
//
// The rule: for each <contact> that is a child of a <phonebook> that is a
// child of the document element <phonebooks>,
//  - the name is the text of the contact's first <person> child's first
//    <realName> child; the numbers are the texts of the <number> children of
//    its <telephony> children, in document order;
//  - an element's text is all character data inside it, child elements'
//    text included, with blanks, tabs, CRs and LFs trimmed from both ends and
//    every CR, LF and tab left inside turned into one blank;
//  - a contact with an empty name gives nothing; a number in international
//    form ("+" and a digit) is first written as the own country dials it
//    (InternationalNumbers.h), or skipped; a number is usable when it then
//    begins with '0'..'9' and holds no ";";
//  - each usable number gives the record number, ";", name, LF, in
//    Windows-1252 (a character that code page lacks becomes "?").
// Everything else is passed over. The document element must be <phonebooks>.
//
// Only the current contact is held: a name or number longer than
// kMaxFieldLength bytes is skipped (the contact or the number), and so is a
// contact whose usable numbers together pass kMaxContactNumbersLength or
// whose records together would pass kMaxContactRecordsLength bytes. A
// contact is judged at its end, and only then are its records written, one
// block at a time: every contact is written whole or skipped whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CallingCodes.h"
#include "PhonebookConverter.h"
#include "RecordSink.h"
#include "XmlParser.h"

constexpr std::size_t kMaxContactNumbersLength = 16 * kMaxFieldLength;
// Each record repeats the name, so the numbers' cap alone would let a small
// file give a huge output (a 64 KiB name with 2,000 one-digit numbers: 128
// MiB); this caps what one contact gives in bytes of output.
constexpr std::size_t kMaxContactRecordsLength = 32 * kMaxFieldLength;

// The text of one element as it goes into a record: trimmed, on one line,
// Windows-1252, and at most maxLength bytes (longer text is marked, not kept).
class FieldText {
public:
    explicit FieldText(std::size_t maxLength) : m_maxLength(maxLength) {}

    void Append(char32_t c)
    {
        // Most characters of a phonebook are printable ASCII within the cap.
        if (c > ' ' && c < 0x80 && m_pendingBlanks == 0 && m_bytes.size() < m_maxLength && !m_tooLong)
            m_bytes += static_cast<char>(c);
        else
            AppendAny(c);
    }
    void Clear();
    const std::string& Bytes() const { return m_bytes; }
    bool TooLong() const { return m_tooLong; }

private:
    void AppendAny(char32_t c);

    const std::size_t m_maxLength;
    std::string m_bytes;
    // Blanks seen after the last other character: kept only if one follows.
    std::size_t m_pendingBlanks = 0;
    bool m_tooLong = false;
};

class XmlContacts final : public XmlContentHandler {
public:
    // ownCountry: the country international numbers are dialled from.
    XmlContacts(RecordSink& out, const CallingCode& ownCountry);

    bool StartElement(std::string_view name) override;
    bool EndElement() override;
    bool Characters(std::string_view utf8) override;
    bool Characters(std::u16string_view utf16) override;

    std::int64_t RecordCount() const { return m_recordCount; }
    // Why the handler stopped the parse: InputReadFailed for a document that
    // breaks the rule above, OutputWriteFailed when the output refused
    // records; Ok while it has not.
    ConversionStatus Status() const { return m_status; }

private:
    // What an open element is to the rule.
    enum class Role : std::uint8_t { Phonebooks, Phonebook, Contact, Person, Telephony, Name, Number, Text, Other };

    void FlushSurrogate();
    void EndNumber();
    bool EndContact();
    bool Stop(ConversionStatus status);

    RecordSink& m_out;
    const CallingCode& m_ownCountry;
    std::vector<Role> m_open;
    // Where character data goes now: the name, the number, or nowhere.
    FieldText* m_text = nullptr;
    // The high half of a UTF-16 surrogate pair whose low half is still to come.
    char16_t m_highSurrogate = 0;

    // The current contact.
    bool m_seenPerson = false;
    bool m_seenName = false;
    FieldText m_name{kMaxFieldLength};
    FieldText m_number{kMaxFieldLength};
    std::string m_dialled;  // an international number as dialled from the own country
    std::string m_numbers;  // the usable numbers, each ended by a NUL
    bool m_tooManyNumbers = false;

    std::int64_t m_recordCount = 0;
    ConversionStatus m_status = ConversionStatus::Ok;
};
