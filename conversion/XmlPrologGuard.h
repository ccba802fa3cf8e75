// Checks the start of an XML document, up to its document element, before
// the parser reads it, so that every platform refuses the same documents:
//  - a DOCTYPE (a FritzBox export has none; parsers differ in what they do
//    with one, and its entities could pull in other files);
//  - a declared encoding other than UTF-8, UTF-16, ISO-8859-1 or US-ASCII,
//    or one that does not fit the byte-order mark.
// It reads the prolog in the document's own code units: bytes, or UTF-16
// after a byte-order mark, and passes over comments and processing
// instructions as the parsers do, whatever they hold; the XML declaration is
// judged whole, however long. Markup the parsers refuse anyway (a comment
// with "--" inside) ends its watch. Past the prolog it only passes the bytes
// on. It holds a few bytes whatever the document.
#pragma once

#include <cstddef>
#include <string>

#include "ByteSource.h"

class XmlPrologGuard final : public ByteSource {
public:
    explicit XmlPrologGuard(ByteSource& input) : m_input(input) {}

    // What the input gives; -1 once the document is refused.
    std::ptrdiff_t Read(char* buffer, std::size_t size) override;

    bool Refused() const { return m_state == State::Refused; }

private:
    enum class State { Start, Prolog, AfterLt, AfterBang, Comment, Instruction, Done, Refused };

    // Where the search for encoding="..." in the XML declaration stands.
    enum class EncodingScan { Key, AfterKey, AfterEquals, Value, Found };

    void Inspect(const char* data, std::size_t size);
    void Take(char32_t c);
    void TakeInstruction(char32_t c);
    void ScanDeclaration(char32_t c);
    void EndInstruction();

    ByteSource& m_input;
    State m_state = State::Start;
    // UTF-16 after a byte-order mark: 0 for bytes, else whether big-endian.
    int m_unitBytes = 1;
    bool m_bigEndian = false;
    std::string m_bom;  // the first bytes, until the byte-order mark is known
    int m_pendingByte = -1;
    std::string m_markup;  // the start of the current "<!" or "<?" markup
    int m_dashes = 0;      // in a comment: the "-" just before, one or two
    bool m_afterQuestionMark = false;  // in an instruction: the "?" just before
    bool m_declaration = false;        // the instruction is the XML declaration
    EncodingScan m_scan = EncodingScan::Key;
    std::size_t m_keyMatched = 0;
    char32_t m_quote = 0;
    std::string m_encoding;
};
