// The two files of a conversion, opened, written and put in place so that a
// failure, a full disk, an interrupt or a race never costs the user a byte.
//
// The output is written to a new hidden file beside it and renamed over it
// only when every byte is on the disk: until then the old output stands
// untouched, and afterwards the new one stands complete. The input can never
// be reached through the output: the output that is about to be replaced is
// compared with the open input by the identity of the files, not by paths
// (a file whose identity cannot be learnt counts as possibly the input), and
// the input is never opened for writing.
//
// One small implementation per platform (FileAccessPosix.cpp,
// FileAccessWin32.cpp); everything else of the conversion is standard C++.
// The temporary file's name (TemporaryName.h) and the ways an output is
// written and committed (OutputWays.h) are shared. Removing the temporary
// file on an interrupt is not: on Linux a signal handler does it, which may
// touch only a fixed buffer and async-signal-safe calls, on Windows a console
// handler on a thread of its own, which must take a lock against the rename.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "PhonebookConverter.h"

class InputFile {
public:
    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens the phonebook for reading. With RegularFilesOnly anything but a
    // regular file is refused at once, without waiting for a FIFO's writer;
    // with Streams, pipes, FIFOs and devices are read too, and "-" is
    // standard input. A folder is never an input.
    bool Open(const std::string& path, StreamPolicy policy);

    // Reads up to size bytes: the number read, 0 at the end, -1 on an error.
    std::ptrdiff_t Read(char* buffer, std::size_t size);

    struct Native;

private:
    friend class OutputFile;
    std::unique_ptr<Native> m_native;
};

class OutputFile {
public:
    OutputFile();
    // Without Commit, what was written is discarded: the temporary file is
    // removed and the old output stays as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares to write the output, false if that is impossible or the
    // output is the input itself. A symbolic link is followed and stays a
    // link; its target gets the new content. A regular file (or none yet) is
    // replaced by a temporary file beside it, which keeps the old file's
    // permissions; where the folder takes no new file, an existing writable
    // output is rewritten in place (InPlaceRewrite: its new content held back
    // until Commit), the one case a failure can cut the old file. Devices,
    // FIFOs and, with Streams, "-" (standard output) are written directly;
    // with RegularFilesOnly a FIFO without a reader is refused rather than
    // waited for. (On Windows only devices and pipes by their pipe name are:
    // a Linux FIFO seen through Wine is refused.)
    bool Open(const std::string& path, const InputFile& input, StreamPolicy policy);

    // Writes all of data; false if the output refused it.
    bool Write(const char* data, std::size_t size);

    // Makes what was written the output: flushed to the disk, then put in
    // place in one step. False if that failed; the old output then stands.
    bool Commit();

    struct Native;

private:
    std::unique_ptr<Native> m_native;
};

// Whether the path names something that exists and is neither a regular
// file nor a folder: a pipe, FIFO, device or socket. Never blocks.
bool NamesAStream(const std::string& path);
