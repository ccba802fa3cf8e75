// Collects output records ("number;name\n") in memory until they are
// written out in one large block.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

class RecordBuffer {
public:
    explicit RecordBuffer(std::size_t initialCapacity = 0) : m_bytes(initialCapacity) {}

    void Append(const char* number, std::size_t numberLength, const char* name, std::size_t nameLength)
    {
        const std::size_t recordLength = numberLength + nameLength + 2;
        char* at = Space(recordLength);
        std::memcpy(at, number, numberLength);
        at += numberLength;
        *at++ = ';';
        std::memcpy(at, name, nameLength);
        at += nameLength;
        *at = '\n';
        m_used += recordLength;
    }

    // Records written in place: Space gives room for at least length more
    // bytes, and Commit(end) keeps what was written there up to end.
    char* Space(std::size_t length)
    {
        if (m_used + length > m_bytes.size())
            m_bytes.resize(2 * (m_used + length));
        return m_bytes.data() + m_used;
    }
    void Commit(const char* end) { m_used = end - m_bytes.data(); }

    std::string_view View() const { return {m_bytes.data(), m_used}; }
    std::size_t Size() const { return m_used; }
    void Clear() { m_used = 0; }

private:
    std::vector<char> m_bytes;
    std::size_t m_used = 0;
};
