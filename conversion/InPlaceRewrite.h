// The new content of an output rewritten in place (a folder that takes no
// new file), held back so that the old content goes only when it must.
//
// Up to kInPlaceHoldLimit, far above any real phonebook, the records wait in
// memory and are written only when the conversion has read its input to the
// end: a read error before then costs the old output nothing. Beyond it they
// are written over the old content from its start as they come, so a
// failure midway leaves the new beginning and the old rest. Either way the
// file is cut to its new length only at the end.
//
// Shared by both platforms; the platform writes and cuts through a Sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kInPlaceHoldLimit = 64u * 1024 * 1024;

class InPlaceRewrite {
public:
    class Sink {
    public:
        // Writes all of data at the file's current position.
        virtual bool WriteAll(const char* data, std::size_t size) = 0;
        // Makes the file end at length, where its position stands.
        virtual bool EndAt(std::uint64_t length) = 0;

    protected:
        ~Sink() = default;
    };

    explicit InPlaceRewrite(std::size_t holdLimit = kInPlaceHoldLimit) : m_holdLimit(holdLimit) {}

    // Holds data back, or writes it once the held content would pass the limit.
    bool Write(Sink& sink, const char* data, std::size_t size);
    // Writes what is held and cuts the file to the new content's length.
    bool Finish(Sink& sink);

private:
    bool Pass(Sink& sink, const char* data, std::size_t size);

    std::size_t m_holdLimit;
    std::string m_held;
    bool m_streaming = false;
    std::uint64_t m_written = 0;
};
