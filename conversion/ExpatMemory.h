// expat's memory, counted: every block the parser asks for is charged to the
// budget of the parse running on this thread, and a request that would take
// it past its cap fails, which expat reports as running out of memory. So
// all that expat keeps (its input buffer, the names of elements and
// attributes it has met, the tags it has open) is bounded by one number.
// Linux only: on Windows the parser is MSXML, whose memory is its own.
#pragma once

#include <expat.h>

#include <cstddef>

class ExpatMemory {
public:
    // Becomes this thread's budget until it goes out of scope; a parser made
    // with Suite() must be freed before that.
    explicit ExpatMemory(std::size_t cap);
    ~ExpatMemory();
    ExpatMemory(const ExpatMemory&) = delete;
    ExpatMemory& operator=(const ExpatMemory&) = delete;

    static const XML_Memory_Handling_Suite* Suite();

private:
    static void* XMLCALL Allocate(std::size_t size);
    static void* XMLCALL Reallocate(void* block, std::size_t size);
    static void XMLCALL Free(void* block);

    bool Take(std::size_t size);

    const std::size_t m_cap;
    std::size_t m_used = 0;
    ExpatMemory* const m_outer;
};
