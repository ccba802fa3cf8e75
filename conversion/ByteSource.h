// Where a reader takes the bytes of the input from.
#pragma once

#include <cstddef>
#include <string>

class ByteSource {
public:
    // Reads up to size bytes: the number read, 0 at the end, -1 on an error.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;

protected:
    ~ByteSource() = default;
};

// Gives the bytes held first, then what the rest of the input has.
class ReplayingSource final : public ByteSource {
public:
    ReplayingSource(std::string held, ByteSource& rest) : m_held(std::move(held)), m_rest(rest) {}

    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        if (m_at == m_held.size())
            return m_rest.Read(buffer, size);
        const std::size_t count = std::min(size, m_held.size() - m_at);
        m_held.copy(buffer, count, m_at);
        m_at += count;
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::string m_held;
    std::size_t m_at = 0;
    ByteSource& m_rest;
};
