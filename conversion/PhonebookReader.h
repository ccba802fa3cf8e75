// The readers of the two kinds of phonebook a FritzBox exports: the lines of
// an .adr file and the XML of a phonebook backup. ConvertPhonebook chooses
// one from the input's first bytes (InputFormat.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "ByteSource.h"
#include "CallingCodes.h"
#include "PhonebookConverter.h"
#include "RecordSink.h"

class PhonebookReader {
public:
    virtual ~PhonebookReader() = default;

    // Reads the input to its end and hands its records to out; Ok,
    // InputReadFailed or OutputWriteFailed. Records not yet handed on stay in
    // out's buffer.
    virtual ConversionStatus Convert(ByteSource& input, RecordSink& out) = 0;

    // Records gathered so far.
    virtual std::int64_t RecordCount() const = 0;
};

// Semicolon-separated lines (RecordScanner's rule), read in blocks of blockSize.
std::unique_ptr<PhonebookReader> MakeLineReader(std::size_t blockSize);

// A phonebook backup in XML (XmlContacts.h); its international numbers are
// written as dialled from ownCountry.
std::unique_ptr<PhonebookReader> MakeXmlReader(std::size_t blockSize, const CallingCode& ownCountry);

// Reads the whole input with the reader its first bytes call for
// (InputFormat.h), in blocks of blockSize: Ok with every record handed to
// out and their count, or the failure (count 0). ownCountry is the XML
// reader's.
ConversionResult ReadRecords(ByteSource& input, RecordSink& out, std::size_t blockSize,
                             const CallingCode& ownCountry);
