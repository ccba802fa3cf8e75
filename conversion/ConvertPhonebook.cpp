#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "PhonebookConverter.h"
#include "RecordScanner.h"

namespace fs = std::filesystem;

namespace {

// Reads and writes in large blocks: the conversion is bound by the copy.
// The fuzzing build makes them tiny, so that short inputs cross blocks.
#ifndef ZEDULO_BLOCK_SIZE
#define ZEDULO_BLOCK_SIZE (256 * 1024)
#endif
constexpr std::size_t kBlockSize = ZEDULO_BLOCK_SIZE;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// Whether both paths name one file, through another spelling, a symbolic or
// a hard link included. Opening the output would empty that file.
bool SameFile(const std::string& inputPath, const std::string& outputPath)
{
    std::error_code error;
    return fs::equivalent(inputPath, outputPath, error);
}

// Whether anything, even a dangling link, stands at the path already.
bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Writes the records gathered so far; false when the output refused them.
bool WriteOut(RecordBuffer& records, std::FILE* output)
{
    const std::string_view bytes = records.View();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), output) == bytes.size();
    records.Clear();
    return written;
}

ConversionStatus Convert(std::FILE* input, std::FILE* output, RecordScanner& scanner)
{
    std::vector<char> block(kBlockSize);
    RecordBuffer records(2 * kBlockSize);

    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), input);
        scanner.Feed(block.data(), got, records);
        if (records.Size() >= kBlockSize && !WriteOut(records, output))
            return ConversionStatus::OutputWriteFailed;
        if (got < block.size())
            break;
    }
    if (std::ferror(input))
        return ConversionStatus::InputReadFailed;

    scanner.Finish(records);
    if (!WriteOut(records, output) || std::fflush(output) != 0)
        return ConversionStatus::OutputWriteFailed;
    return ConversionStatus::Ok;
}

}  // namespace

ConversionResult ConvertPhonebook(const std::string& inputPath, const std::string& outputPath)
{
    // fopen opens a folder for reading on some platforms; it is no phonebook.
    if (IsFolder(inputPath))
        return {ConversionStatus::InputOpenFailed, 0};
    FilePtr input(std::fopen(inputPath.c_str(), "rb"));
    if (!input)
        return {ConversionStatus::InputOpenFailed, 0};

    if (SameFile(inputPath, outputPath))
        return {ConversionStatus::OutputOpenFailed, 0};
    const bool outputExisted = Exists(outputPath);
    FilePtr output(std::fopen(outputPath.c_str(), "wb"));
    if (!output)
        return {ConversionStatus::OutputOpenFailed, 0};

    RecordScanner scanner;
    ConversionStatus status = Convert(input.get(), output.get(), scanner);
    if (std::fclose(output.release()) != 0 && status == ConversionStatus::Ok)
        status = ConversionStatus::OutputWriteFailed;

    if (status != ConversionStatus::Ok) {
        // Leave no half-written file behind; what was there before stays.
        if (!outputExisted) {
            std::error_code error;
            fs::remove(outputPath, error);
        }
        return {status, 0};
    }
    return {status, scanner.RecordCount()};
}
