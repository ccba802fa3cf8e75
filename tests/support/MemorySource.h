// The input of a reader held in memory, handed out in pieces of a given
// size (0: all at once), so that tests can put piece boundaries anywhere.
#pragma once

#include <algorithm>
#include <string>

#include "ByteSource.h"

class MemorySource final : public ByteSource {
public:
    MemorySource(std::string bytes, std::size_t pieceSize) : m_bytes(std::move(bytes)), m_pieceSize(pieceSize) {}

    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        std::size_t count = std::min(size, m_bytes.size() - m_at);
        if (m_pieceSize != 0)
            count = std::min(count, m_pieceSize);
        m_bytes.copy(buffer, count, m_at);
        m_at += count;
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::string m_bytes;
    std::size_t m_pieceSize;
    std::size_t m_at = 0;
};
