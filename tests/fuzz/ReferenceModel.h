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
