#include "ExpatMemory.h"

#include <cstdlib>
#include <new>

namespace {

thread_local ExpatMemory* t_current = nullptr;

// Before each block: its budget and its size, so that freeing it gives back
// what was taken, whichever thread frees it.
struct alignas(std::max_align_t) BlockHeader {
    ExpatMemory* budget;
    std::size_t size;
};

BlockHeader* HeaderOf(void* block)
{
    return static_cast<BlockHeader*>(block) - 1;
}

}  // namespace

ExpatMemory::ExpatMemory(std::size_t cap) : m_cap(cap), m_outer(t_current)
{
    t_current = this;
}

ExpatMemory::~ExpatMemory()
{
    t_current = m_outer;
}

const XML_Memory_Handling_Suite* ExpatMemory::Suite()
{
    static const XML_Memory_Handling_Suite suite = {&ExpatMemory::Allocate, &ExpatMemory::Reallocate,
                                                    &ExpatMemory::Free};
    return &suite;
}

bool ExpatMemory::Take(std::size_t size)
{
    if (size > m_cap - m_used)
        return false;
    m_used += size;
    return true;
}

void* ExpatMemory::Allocate(std::size_t size)
{
    ExpatMemory* budget = t_current;
    if (!budget || !budget->Take(size))
        return nullptr;
    void* raw = std::malloc(sizeof(BlockHeader) + size);
    if (!raw) {
        budget->m_used -= size;
        return nullptr;
    }
    BlockHeader* header = new (raw) BlockHeader{budget, size};
    return header + 1;
}

void* ExpatMemory::Reallocate(void* block, std::size_t size)
{
    if (!block)
        return Allocate(size);
    BlockHeader* header = HeaderOf(block);
    ExpatMemory& budget = *header->budget;
    const std::size_t old = header->size;
    // A block that grows may move, and is then held twice for a moment: the
    // new size is charged in full until the old one is given back. One that
    // shrinks is never refused.
    const bool grows = size > old;
    if (grows && !budget.Take(size))
        return nullptr;
    void* raw = std::realloc(header, sizeof(BlockHeader) + size);
    if (!raw) {
        if (grows)
            budget.m_used -= size;
        return nullptr;  // the old block stands, as expat expects
    }
    budget.m_used -= grows ? old : old - size;
    header = static_cast<BlockHeader*>(raw);
    header->size = size;
    return header + 1;
}

void ExpatMemory::Free(void* block)
{
    if (!block)
        return;
    BlockHeader* header = HeaderOf(block);
    header->budget->m_used -= header->size;
    std::free(header);
}
