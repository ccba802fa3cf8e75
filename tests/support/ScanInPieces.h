// Runs a RecordScanner over input handed to it in pieces, as the line reader
// hands it blocks, so that tests can put piece boundaries anywhere.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "RecordScanner.h"

struct ScanResult {
    std::string records;
    std::int64_t recordCount;
};

// Pieces of pieceSize bytes (0: all at once). The scanner sees exactly the
// input's bytes, so that the sanitizer build reports any reading past them (a
// string keeps a NUL after them).
inline ScanResult ScanInPieces(const std::string& input, std::size_t pieceSize, ByteFinder finder,
                               std::size_t maxFieldLength = kMaxFieldLength)
{
    const std::vector<char> bytes(input.begin(), input.end());
    RecordScanner scanner(maxFieldLength, finder);
    RecordBuffer records;
    const std::size_t step = pieceSize == 0 ? bytes.size() + 1 : pieceSize;
    for (std::size_t at = 0; at < bytes.size(); at += step)
        scanner.Feed(bytes.data() + at, std::min(step, bytes.size() - at), records);
    scanner.Finish(records);
    return {std::string(records.View()), scanner.RecordCount()};
}
