// The three ways an output is written, alike on every platform: replaced by a
// temporary file beside it, rewritten in place (InPlaceRewrite: a folder that
// takes no new file), or written directly (a device, a pipe, standard
// output). Which way, and what each way does when the conversion writes and
// when it is done, is decided here; each platform's OutputFile::Native does
// the steps with its own calls.
#pragma once

#include <cstddef>

#include "InPlaceRewrite.h"

class OutputWays : public InPlaceRewrite::Sink {
public:
    enum class Way { None, Replace, InPlace, Direct };

    // Writes all of data; false if the output refused it.
    bool Write(const char* data, std::size_t size)
    {
        if (way == Way::InPlace)
            return rewrite.Write(*this, data, size);
        return WriteAll(data, size);
    }

    // Makes what was written the output; false if that failed.
    bool Commit()
    {
        switch (way) {
        case Way::None:
            return false;
        case Way::Direct:
            // A device or pipe takes the bytes as they come; standard output
            // is the caller's to close.
            return !owned || CloseOutput();
        case Way::InPlace:
            return rewrite.Finish(*this) && SyncAndCloseOutput();
        case Way::Replace:
            return PutInPlace();
        }
        return false;
    }

    Way way = Way::None;
    bool owned = true;        // false for standard output, which stays open
    InPlaceRewrite rewrite;   // of an output rewritten in place

protected:
    ~OutputWays() = default;

    // Closes the output's handle.
    virtual bool CloseOutput() = 0;
    // Puts the written bytes on the disk, then closes the output's handle.
    virtual bool SyncAndCloseOutput() = 0;
    // Makes the temporary file the output, in one step; the old output
    // stands if that fails.
    virtual bool PutInPlace() = 0;
};
