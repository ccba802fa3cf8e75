// The reading rule written as plainly as possible, one step after the other
// on whole strings, with no regard for speed or memory. The converter must
// give exactly what this gives, for any bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ModelResult {
    std::string records;
    std::int64_t recordCount = 0;
};

ModelResult ReferenceConvert(const std::string& input, std::size_t maxFieldLength);

// Whether the converter reads the input as XML rather than by the rule
// above: after an optional UTF-8 byte-order mark and blanks, tabs, CRs and
// LFs, the first 4096 bytes hold "<?xml" or "<phonebooks"; or the input
// begins with a UTF-16 byte-order mark.
bool ReferenceStartsLikeXml(const std::string& input);
