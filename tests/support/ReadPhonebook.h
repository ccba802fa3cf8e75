// Converts a phonebook held in memory as ConvertPhonebook converts a file:
// the format chosen from its first bytes, the reader fed in pieces of
// pieceSize bytes (0: as large as the reader asks), international numbers
// dialled from ownCountry (Germany unless given).
#pragma once

#include <cstdint>
#include <string>

#include "MemorySource.h"
#include "PhonebookReader.h"

struct ReadResult {
    ConversionStatus status;
    std::string records;
    std::int64_t recordCount;
};

inline ReadResult ReadPhonebook(const std::string& bytes, std::size_t pieceSize, std::size_t blockSize = 4096,
                                const CallingCode& ownCountry = DefaultCountry())
{
    MemorySource memory(bytes, pieceSize);
    std::string written;
    RecordSink sink([&written](std::string_view part) { written += part; return true; }, blockSize);
    const ConversionResult result = ReadRecords(memory, sink, blockSize, ownCountry);
    return {result.status, written, result.recordCount};
}
