// The held-back rewrite of an output in place: nothing reaches the file
// before the end while the new content fits the limit; beyond it the content
// is written as it comes; the file is cut to the new length only at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "InPlaceRewrite.h"

namespace {

// A file that notes what reached it, in order; it refuses writes past
// failAfter bytes, like a full disk.
class RecordingSink : public InPlaceRewrite::Sink {
public:
    bool WriteAll(const char* data, std::size_t size) override
    {
        if (content.size() + size > failAfter)
            return false;
        content.append(data, size);
        events.push_back("write " + std::to_string(size));
        return true;
    }
    bool EndAt(std::uint64_t length) override
    {
        events.push_back("end at " + std::to_string(length));
        return true;
    }
    std::size_t failAfter = std::string::npos;
    std::string content;
    std::vector<std::string> events;
};

TEST(InPlaceRewrite, HoldsBackUpToItsLimitAndCutsOnlyAtTheEnd)
{
    const struct {
        const char* what;
        std::vector<std::string> pieces;
        bool finished;                          // Finish called, or the conversion stopped before
        std::size_t failAfter;                  // the sink's room
        std::vector<std::string> eventsBefore;  // when the last piece was given
        std::vector<std::string> events;        // in the end
        bool ok;
    } cases[] = {
        {"fits, finished", {"abc", "defg"}, true, std::string::npos, {}, {"write 7", "end at 7"}, true},
        {"fits, stopped midway", {"abc", "defg"}, false, std::string::npos, {}, {}, true},
        {"exactly the limit", {"0123456789"}, true, std::string::npos, {}, {"write 10", "end at 10"}, true},
        {"nothing at all", {}, true, std::string::npos, {}, {"write 0", "end at 0"}, true},
        {"beyond the limit", {"01234567", "89ab", "c"}, true, std::string::npos, {"write 8", "write 4", "write 1"},
         {"write 8", "write 4", "write 1", "write 0", "end at 13"}, true},
        {"beyond the limit, full disk", {"01234567", "89ab"}, true, 10, {}, {}, false},
        {"fits, full disk at the end", {"abc", "defg"}, true, 5, {}, {}, false},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        sink.failAfter = c.failAfter;
        InPlaceRewrite rewrite(10);
        bool ok = true;
        for (const std::string& piece : c.pieces)
            ok = ok && rewrite.Write(sink, piece.data(), piece.size());
        if (c.failAfter == std::string::npos) {
            EXPECT_EQ(sink.events, c.eventsBefore) << c.what;
        }
        if (c.finished)
            ok = ok && rewrite.Finish(sink);
        EXPECT_EQ(ok, c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(sink.events, c.events) << c.what;
        } else {
            EXPECT_TRUE(std::none_of(sink.events.begin(), sink.events.end(),
                                     [](const std::string& e) { return e.rfind("end at", 0) == 0; }))
                << c.what << ": a failed rewrite is never cut";
        }
    }
}

}  // namespace
