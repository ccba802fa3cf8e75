// Conversion of a FritzBox phonebook export (.adr) into a klingeo phonebook
// file. The command that runs it for a dialog or any other host is in
// RunConversion.h, the rules for output paths in PathFolders.h.
//
// Standard C++ only: no platform or toolkit headers, so the same code serves
// the dialog program, the command-line converter and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "HomeCountry.h"

enum class ConversionStatus {
    Ok,
    InputOpenFailed,
    OutputOpenFailed,
    InputReadFailed,
    OutputWriteFailed,
};

struct ConversionResult {
    ConversionStatus status;
    // Records written; 0 unless status is Ok. 64 bits, so no file is too big.
    std::int64_t recordCount;
};

// Names and numbers longer than this are not cut but make their line be
// skipped; it keeps memory bounded whatever the input holds.
#ifndef ZEDULO_MAX_FIELD_LENGTH
#define ZEDULO_MAX_FIELD_LENGTH (64 * 1024)
#endif
constexpr std::size_t kMaxFieldLength = ZEDULO_MAX_FIELD_LENGTH;

// How files that are not regular files are treated.
enum class StreamPolicy {
    // The dialog's: the input must be a regular file (a FIFO or a device
    // would block the window or never end), and nothing is waited for.
    RegularFilesOnly,
    // The command line's: pipes, FIFOs and devices are read and written as
    // they come, and "-" stands for standard input or standard output.
    Streams,
};

// Converts every usable line of the input into a record "number;name\n" in
// the output. Both paths must be non-empty; the output path already resolved.
// An XML backup's international numbers are written as dialled from
// ownCountry (InternationalNumbers.h; by default the platform's country,
// HomeCountry.h); lines are taken as they stand.
// Never throws. The output is replaced only by a complete conversion: after
// any failure the old output (or none) stands as it was.
ConversionResult ConvertPhonebook(const std::string& inputPath, const std::string& outputPath,
                                  StreamPolicy policy = StreamPolicy::RegularFilesOnly,
                                  const CallingCode& ownCountry = HomeCountry());

class ByteSource;

// The same for a phonebook backup in XML that arrives as a stream (a
// download): always read as XML, whatever its first bytes, into the output
// as ConvertPhonebook writes it. Nothing read so far is kept but what the
// reader holds.
ConversionResult ConvertXmlPhonebook(ByteSource& input, const std::string& outputPath,
                                     StreamPolicy policy = StreamPolicy::Streams,
                                     const CallingCode& ownCountry = HomeCountry());
