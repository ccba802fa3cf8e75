// Turns the bytes of a phonebook export into klingeo records, streaming.
//
// The reading rule, applied to the input in this order:
//  1. the input is split into lines at LF; a line may be of any length and
//     the last one may lack its LF;
//  2. the line ending is dropped: the LF and one CR directly before it, or,
//     on a last line without LF, one CR that is the file's final byte;
//  3. the line is cut at its first NUL byte;
//  4. the line is split into fields as strtok with ";" splits (non-empty runs
//     between semicolons); field 1 is the name, field 2 the number, and the
//     line is usable when the number begins with '0'..'9'.
// A usable line becomes the record: number, ";", name, LF.
//
// The scanner holds only the name and the number of the current line, each
// at most maxFieldLength bytes; a line whose name or number is longer is
// skipped whole. The rest of a line is passed over without being kept, so
// memory does not grow with the input, however long its lines are.
//
// Whole lines inside a piece are scanned in place, and their records copied
// straight from the piece; only a line that crosses pieces is gathered in the
// scanner. The finder (ByteFinders.h) only changes the speed, never the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ByteFinders.h"
#include "PhonebookConverter.h"
#include "RecordBuffer.h"

class RecordScanner {
public:
    explicit RecordScanner(std::size_t maxFieldLength = kMaxFieldLength,
                           ByteFinder finder = kFastestFinder);

    // Scans the next bytes of the input, which may end anywhere, even inside
    // a line ending, and appends the records of the lines completed to out.
    void Feed(const char* data, std::size_t size, RecordBuffer& out);

    // The input has ended: completes a last line without LF.
    void Finish(RecordBuffer& out);

    // Records appended so far.
    std::int64_t RecordCount() const { return m_recordCount; }

private:
    enum class State { BeforeName, InName, BeforeNumber, InNumber, RestOfLine };

    // Scans the lines from begin on that end before end; returns the start of
    // the first line that goes on past end (or end).
    template <class Finder>
    const char* ScanWholeLines(const char* begin, const char* end, RecordBuffer& out);
    // Scans the line at begin if it ends before end; returns the start of the
    // next line, or nullptr when the line goes on past end.
    template <class Finder>
    const char* ScanWholeLine(const char* begin, const char* end, RecordBuffer& out);
#ifdef ZEDULO_HAS_SSE2_FINDER
    // The same as ScanWholeLines for a piece without NUL bytes, but stops
    // 192 bytes before end; a line of up to 64 bytes is taken from the bits
    // of the 64-byte windows it lies in, a longer one by ScanWholeLine.
    const char* ScanShortLines(const char* begin, const char* end, RecordBuffer& out);
#endif
    void AppendRecord(const char* number, std::size_t numberLength, const char* name,
                      std::size_t nameLength, RecordBuffer& out);
    void ScanLinePart(const char* begin, const char* end);
    void EndLine(RecordBuffer& out);

    const std::size_t m_maxFieldLength;
    const ByteFinder m_finder;
    State m_state = State::BeforeName;
    bool m_lineTooLong = false;
    // The input so far ended in a CR whose role (line ending or not) is decided
    // by the byte that follows it.
    bool m_crPending = false;
    std::string m_name;
    std::string m_number;
    std::int64_t m_recordCount = 0;
};
