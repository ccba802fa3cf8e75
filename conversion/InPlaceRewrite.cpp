#include "InPlaceRewrite.h"

bool InPlaceRewrite::Pass(Sink& sink, const char* data, std::size_t size)
{
    if (!sink.WriteAll(data, size))
        return false;
    m_written += size;
    return true;
}

bool InPlaceRewrite::Write(Sink& sink, const char* data, std::size_t size)
{
    if (!m_streaming && size <= m_holdLimit - m_held.size()) {
        m_held.append(data, size);
        return true;
    }
    if (!m_streaming) {
        // Too large to hold: from here on the old content is overwritten.
        m_streaming = true;
        const bool written = Pass(sink, m_held.data(), m_held.size());
        std::string().swap(m_held);
        if (!written)
            return false;
    }
    return Pass(sink, data, size);
}

bool InPlaceRewrite::Finish(Sink& sink)
{
    const bool written = Pass(sink, m_held.data(), m_held.size());
    std::string().swap(m_held);
    return written && sink.EndAt(m_written);
}
