// Where the records of a conversion go: gathered in memory and handed on in
// large blocks.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "RecordBuffer.h"

class RecordSink {
public:
    // write takes the next bytes of the output; false if it refused them.
    RecordSink(std::function<bool(std::string_view)> write, std::size_t blockSize)
        : m_write(std::move(write)), m_blockSize(blockSize), m_records(2 * blockSize)
    {
    }

    RecordBuffer& Records() { return m_records; }

    // Hands on what was gathered once a block is full; false if it was refused.
    bool WriteIfFull() { return m_records.Size() < m_blockSize || WriteAll(); }

    // Hands on everything gathered.
    bool WriteAll()
    {
        const bool written = m_records.Size() == 0 || m_write(m_records.View());
        m_records.Clear();
        return written;
    }

private:
    std::function<bool(std::string_view)> m_write;
    const std::size_t m_blockSize;
    RecordBuffer m_records;
};
