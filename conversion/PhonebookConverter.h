// Conversion of a FritzBox phonebook export (.adr) into a klingeo phonebook
// file, and the command that runs it for a dialog or any other host.
//
// Standard C++ only: no platform or toolkit headers, so the same code serves
// the dialog program, the command-line converter and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class ConversionStatus {
    Ok,
    InputOpenFailed,
    OutputOpenFailed,
    InputReadFailed,
    OutputWriteFailed,
};

struct ConversionResult {
    ConversionStatus status;
    // Records written; 0 unless status is Ok. 64 bits, so no file is too big.
    std::int64_t recordCount;
};

// Names and numbers longer than this are not cut but make their line be
// skipped; it keeps memory bounded whatever the input holds.
#ifndef ZEDULO_MAX_FIELD_LENGTH
#define ZEDULO_MAX_FIELD_LENGTH (64 * 1024)
#endif
constexpr std::size_t kMaxFieldLength = ZEDULO_MAX_FIELD_LENGTH;

// How paths are spelt. On Windows both "\" and "/" separate folders, and a
// drive's colon ends the folder part too: "D:liste.txt" is liste.txt in the
// current folder of drive D:. On Linux only "/" separates.
enum class PathStyle { Posix, Windows };
#ifdef _WIN32
constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The folder part of a path, including its closing separator or drive colon:
// "C:\Daten\fritz.adr" gives "C:\Daten\", "D:fritz.adr" gives "D:",
// "/daten/fritz.adr" gives "/daten/". A bare name gives "".
std::string FolderPart(const std::string& path, PathStyle style = kNativePathStyle);

// How files that are not regular files are treated.
enum class StreamPolicy {
    // The dialog's: the input must be a regular file (a FIFO or a device
    // would block the window or never end), and nothing is waited for.
    RegularFilesOnly,
    // The command line's: pipes, FIFOs and devices are read and written as
    // they come, and "-" stands for standard input or standard output.
    Streams,
};

// Converts every usable line of the input into a record "number;name\n" in
// the output. Both paths must be non-empty; the output path already resolved.
// Never throws. The output is replaced only by a complete conversion: after
// any failure the old output (or none) stands as it was.
ConversionResult ConvertPhonebook(const std::string& inputPath, const std::string& outputPath,
                                  StreamPolicy policy = StreamPolicy::RegularFilesOnly);

// The path to write to: a bare output name (no folder part) gets the input
// file's folder part put in front; anything else stays as typed.
std::string ResolveOutputPath(const std::string& inputPath, const std::string& outputPath,
                              PathStyle style = kNativePathStyle);

// What the conversion command needs of the window it runs in. Texts are the
// platform's narrow path texts; messages are Windows-1252.
class ConversionHost {
public:
    // Copies the input field's text into the host's input path and returns it.
    virtual std::string ReadInputField() = 0;
    // The same for the output field.
    virtual std::string ReadOutputField() = 0;
    // Shows the message modally; returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // Ends the dialog with the OK result.
    virtual void CloseWithOk() = 0;

protected:
    ~ConversionHost() = default;
};

// The whole OK command: reads and checks both fields, resolves the output
// path, converts, shows the outcome and, on success only, closes the host.
// With Streams, an output "-" is standard output, and a bare output name
// beside an input that is a pipe or device is refused: that folder is no
// place for it (a bare name beside "-" stays in the current folder).
void RunConversion(ConversionHost& host, StreamPolicy policy = StreamPolicy::RegularFilesOnly);
