#include "RecordScanner.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

const char kLf = '\n';
const char kCr = '\r';
const char kSeparator = ';';

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipSeparators(const char* begin, const char* end)
{
    const char* p = begin;
    while (p != end && *p == kSeparator)
        ++p;
    return p;
}

// The end of the field that starts at begin: the next separator, NUL or end.
const char* FieldEnd(const char* begin, const char* end)
{
    const char* p = begin;
    while (p != end && *p != kSeparator && *p != '\0')
        ++p;
    return p;
}

// The next separator or LF, or end; for input without NUL bytes.
// Names and numbers are too short for memchr to pay off, so on little-endian
// machines this looks at eight bytes at a time: XOR with eight copies of a
// byte turns that byte into zero, and (x - 0x01..01) & ~x & 0x80..80 sets the
// high bit of the lowest zero byte (higher bytes may be marked wrongly, but
// only the lowest mark counts).
const char* SeparatorOrLf(const char* begin, const char* end)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    constexpr std::uint64_t kSeparators = kOnes * kSeparator;
    constexpr std::uint64_t kLfs = kOnes * kLf;
    const auto zeroBytes = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighBits; };

    const char* p = begin;
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t found = zeroBytes(word ^ kSeparators) | zeroBytes(word ^ kLfs);
            if (found != 0)
                return p + std::countr_zero(found) / 8;
        }
    }
    while (p != end && *p != kSeparator && *p != kLf)
        ++p;
    return p;
}

}  // namespace

RecordScanner::RecordScanner(std::size_t maxFieldLength)
    : m_maxFieldLength(maxFieldLength)
{
}

void RecordScanner::Feed(const char* data, std::size_t size, RecordBuffer& out)
{
    const char* p = data;
    const char* const end = data + size;
    // Real phonebooks hold no NUL bytes; a piece that does takes the general
    // path, which knows how a NUL cuts a line.
    const bool hasNul = std::memchr(data, '\0', size) != nullptr;
    while (p != end) {
        if (!hasNul && m_state == State::BeforeName && !m_crPending) {
            // The common case: a whole line in this piece, scanned in place.
            if (const char* next = ScanWholeLine(p, end, out)) {
                p = next;
                continue;
            }
        }

        // A line begun in an earlier piece, ending in a later one, or with NULs.
        const char* lf = static_cast<const char*>(std::memchr(p, kLf, end - p));
        const char* partEnd = lf ? lf : end;

        // A CR left over from the previous piece is an ordinary byte unless
        // the line ends right here.
        if (m_crPending && partEnd != p) {
            ScanLinePart(&kCr, &kCr + 1);
            m_crPending = false;
        }
        // A CR at the end of the piece is held back: it is dropped if an LF or
        // the end of the input follows.
        if (partEnd != p && partEnd[-1] == kCr) {
            --partEnd;
            m_crPending = true;
        }
        ScanLinePart(p, partEnd);

        if (!lf)
            return;
        m_crPending = false;
        EndLine(out);
        p = lf + 1;
    }
}

void RecordScanner::Finish(RecordBuffer& out)
{
    m_crPending = false;  // the file's final byte
    EndLine(out);
}

const char* RecordScanner::ScanWholeLine(const char* begin, const char* end, RecordBuffer& out)
{
    const char* name = SkipSeparators(begin, end);
    const char* nameEnd = SeparatorOrLf(name, end);
    if (nameEnd == end)
        return nullptr;

    const bool hasNumber = *nameEnd == kSeparator;
    const char* number = nameEnd;
    const char* numberEnd = nameEnd;
    if (hasNumber) {
        number = SkipSeparators(nameEnd + 1, end);
        numberEnd = SeparatorOrLf(number, end);
        if (numberEnd == end)
            return nullptr;
    }
    const char* lf = *numberEnd == kLf
                         ? numberEnd
                         : static_cast<const char*>(std::memchr(numberEnd, kLf, end - numberEnd));
    if (!lf)
        return nullptr;

    if (hasNumber && IsAsciiDigit(*number)) {
        if (numberEnd == lf && numberEnd[-1] == kCr)
            --numberEnd;  // the line ending
        const std::size_t nameLength = nameEnd - name;
        const std::size_t numberLength = numberEnd - number;
        if (nameLength <= m_maxFieldLength && numberLength <= m_maxFieldLength) {
            out.Append(number, numberLength, name, nameLength);
            ++m_recordCount;
        }
    }
    return lf + 1;
}

void RecordScanner::ScanLinePart(const char* p, const char* end)
{
    while (p != end) {
        switch (m_state) {
        case State::BeforeName:
        case State::BeforeNumber:
            p = SkipSeparators(p, end);
            if (p == end)
                return;
            if (*p == '\0') {
                m_state = State::RestOfLine;
                return;
            }
            m_state = m_state == State::BeforeName ? State::InName : State::InNumber;
            break;

        case State::InName:
        case State::InNumber: {
            std::string& field = m_state == State::InName ? m_name : m_number;
            const char* fieldEnd = FieldEnd(p, end);
            if (static_cast<std::size_t>(fieldEnd - p) > m_maxFieldLength - field.size()) {
                m_lineTooLong = true;
                m_state = State::RestOfLine;
                return;
            }
            field.append(p, fieldEnd - p);
            p = fieldEnd;
            if (p == end)
                return;
            if (*p == '\0' || m_state == State::InNumber) {
                m_state = State::RestOfLine;
                return;
            }
            ++p;  // the separator after the name
            m_state = State::BeforeNumber;
            break;
        }

        case State::RestOfLine:
            return;
        }
    }
}

void RecordScanner::EndLine(RecordBuffer& out)
{
    if (!m_lineTooLong && !m_number.empty() && IsAsciiDigit(m_number[0])) {
        out.Append(m_number.data(), m_number.size(), m_name.data(), m_name.size());
        ++m_recordCount;
    }
    m_name.clear();
    m_number.clear();
    m_state = State::BeforeName;
    m_lineTooLong = false;
}
