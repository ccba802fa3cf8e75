#include "RecordScanner.h"

#include <algorithm>
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

}  // namespace

RecordScanner::RecordScanner(std::size_t maxFieldLength, ByteFinder finder)
    : m_maxFieldLength(maxFieldLength), m_finder(finder)
{
}

void RecordScanner::Feed(const char* data, std::size_t size, RecordBuffer& out)
{
    const char* p = data;
    const char* const end = data + size;
    while (p != end) {
        if (m_state == State::BeforeName && !m_crPending) {
            // The common case: whole lines in this piece, scanned in place.
#ifdef ZEDULO_HAS_SSE2_FINDER
            if (m_finder == ByteFinder::Sse2) {
                // Real phonebooks hold no NUL bytes; a piece that does is
                // scanned line by line, which knows how a NUL cuts a line.
                if (!std::memchr(p, '\0', end - p))
                    p = ScanShortLines(p, end, out);
                p = ScanWholeLines<Sse2Finder>(p, end, out);
            } else
#endif
                p = ScanWholeLines<PortableFinder>(p, end, out);
            if (p == end)
                return;
        }

        // A line begun in an earlier piece or ending in a later one.
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

template <class Finder>
const char* RecordScanner::ScanWholeLines(const char* begin, const char* end, RecordBuffer& out)
{
    const char* line = begin;
    while (line != end) {
        const char* next = ScanWholeLine<Finder>(line, end, out);
        if (!next)
            break;
        line = next;
    }
    return line;
}

template <class Finder>
const char* RecordScanner::ScanWholeLine(const char* begin, const char* end, RecordBuffer& out)
{
    // Each field ends at a separator, the LF or a NUL, which cuts the line
    // (so a field that ends at a NUL is the line's last).
    const char* name = SkipSeparators(begin, end);
    const char* nameEnd = Finder::FieldEnd(name, end);
    if (nameEnd == end)
        return nullptr;

    const bool hasNumber = *nameEnd == kSeparator;
    const char* number = nameEnd;
    const char* numberEnd = nameEnd;
    if (hasNumber) {
        number = SkipSeparators(nameEnd + 1, end);
        numberEnd = Finder::FieldEnd(number, end);
        if (numberEnd == end)
            return nullptr;
    }
    const char* lf = *numberEnd == kLf ? numberEnd : Finder::LineEnd(numberEnd, end);
    if (lf == end)
        return nullptr;

    if (hasNumber && IsAsciiDigit(*number)) {
        if (numberEnd == lf && numberEnd[-1] == kCr)
            --numberEnd;  // the line ending
        AppendRecord(number, numberEnd - number, name, nameEnd - name, out);
    }
    return lf + 1;
}

#ifdef ZEDULO_HAS_SSE2_FINDER
const char* RecordScanner::ScanShortLines(const char* begin, const char* end, RecordBuffer& out)
{
    // The piece is looked at in windows of 64 bytes; the bits of the window a
    // line starts in and of the one after it give the 64 bits from the line's
    // start on. A record is written with two moves of 64 bytes, from its
    // number and its name, which start within the line's first 64 bytes; so
    // up to 3 * 64 bytes from a window's start are read, and up to 2 * 64
    // from the record's start written (what is written past the record is
    // overwritten by the next one, or ignored).
    constexpr std::size_t kMove = kWindowSize;
    constexpr std::ptrdiff_t kReach = 3 * kWindowSize;
    // Output space taken at a time: many records' worth, so that it is asked
    // for rarely, and small enough to stay in the cache.
    constexpr std::size_t kRoom = 4096;
    char* at = out.Space(kRoom);
    char* limit = at + kRoom - 2 * kMove;

    const char* window = begin;
    unsigned offset = 0;  // of the line's start in the window
    if (end - window < kReach)
        return begin;
    WindowBits bits = FindWindowBitsSse2(window);
    WindowBits nextBits = FindWindowBitsSse2(window + kWindowSize);
    while (end - window >= kReach) {
        if (offset >= kWindowSize) {
            window += kWindowSize;
            offset -= kWindowSize;
            bits = nextBits;
            nextBits = FindWindowBitsSse2(window + kWindowSize);
            continue;
        }
        const char* line = window + offset;
        const auto fromLine = [offset](std::uint64_t here, std::uint64_t next) {
            return here >> offset | next << 1 << (63 - offset);  // (<< 64 is undefined)
        };
        const std::uint64_t lineFeeds = fromLine(bits.lineFeeds, nextBits.lineFeeds);
        if (at > limit || lineFeeds == 0) {
            out.Commit(at);
            if (lineFeeds == 0) {
                // A longer line: found the usual way.
                const char* next = ScanWholeLine<Sse2Finder>(line, end, out);
                if (!next || end - next < kReach)
                    return next ? next : line;
                window = next;
                offset = 0;
                bits = FindWindowBitsSse2(window);
                nextBits = FindWindowBitsSse2(window + kWindowSize);
            }
            at = out.Space(kRoom);
            limit = at + kRoom - 2 * kMove;
            continue;
        }

        // The line's fields end at a separator or its LF. (Bits past the LF
        // do not matter: every search below stops at the LF.)
        const unsigned lineLength = LowestSetBit(lineFeeds);
        const std::uint64_t separators = fromLine(bits.separators, nextBits.separators);
        const std::uint64_t fieldEnds = separators | lineFeeds;
        // The name starts at the first byte that is no separator and ends at
        // the next field end; the number likewise after it. Without a number
        // both point at the LF, which is no digit.
        const unsigned nameStart = LowestSetBit(~separators);
        const unsigned nameEnd = nameStart + LowestSetBit(fieldEnds >> nameStart);
        const unsigned numberStart = nameEnd + LowestSetBit(~(separators >> nameEnd));
        unsigned numberEnd = numberStart + LowestSetBit(fieldEnds >> numberStart);
        // The line ending's CR, if the number runs up to it. (& rather than
        // &&, here and below, lest the compiler branch; so the byte before
        // the number's end is read even for an empty line, at line[0].)
        const char beforeNumberEnd = line[std::max(numberEnd, 1u) - 1];
        numberEnd -= (numberEnd == lineLength) & (numberEnd > numberStart) & (beforeNumberEnd == kCr);
        const std::size_t nameLength = nameEnd - nameStart;
        const std::size_t numberLength = numberEnd - numberStart;
        const bool usable =
            IsAsciiDigit(line[numberStart]) & (std::max(nameLength, numberLength) <= m_maxFieldLength);

        // The record is written in any case and kept only if usable: no
        // branch for the processor to mispredict.
        std::memcpy(at, line + numberStart, kMove);
        at[numberLength] = kSeparator;
        std::memcpy(at + numberLength + 1, line + nameStart, kMove);
        at[numberLength + 1 + nameLength] = kLf;
        at += usable * (numberLength + nameLength + 2);
        m_recordCount += usable;
        offset += lineLength + 1;
    }
    out.Commit(at);
    return window + offset;
}
#endif

void RecordScanner::AppendRecord(const char* number, std::size_t numberLength, const char* name,
                                 std::size_t nameLength, RecordBuffer& out)
{
    if (nameLength <= m_maxFieldLength && numberLength <= m_maxFieldLength) {
        out.Append(number, numberLength, name, nameLength);
        ++m_recordCount;
    }
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
    if (!m_lineTooLong && !m_number.empty() && IsAsciiDigit(m_number[0]))
        AppendRecord(m_number.data(), m_number.size(), m_name.data(), m_name.size(), out);
    m_name.clear();
    m_number.clear();
    m_state = State::BeforeName;
    m_lineTooLong = false;
}
