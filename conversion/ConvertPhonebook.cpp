#include <vector>

#include "FileAccess.h"
#include "PhonebookConverter.h"
#include "RecordScanner.h"

namespace {

// Reads and writes in large blocks: the conversion is bound by the copy.
// The fuzzing build makes them tiny, so that short inputs cross blocks.
#ifndef ZEDULO_BLOCK_SIZE
#define ZEDULO_BLOCK_SIZE (256 * 1024)
#endif
constexpr std::size_t kBlockSize = ZEDULO_BLOCK_SIZE;

// Writes the records gathered so far; false when the output refused them.
bool WriteOut(RecordBuffer& records, OutputFile& output)
{
    const std::string_view bytes = records.View();
    const bool written = output.Write(bytes.data(), bytes.size());
    records.Clear();
    return written;
}

ConversionStatus Convert(InputFile& input, OutputFile& output, RecordScanner& scanner)
{
    std::vector<char> block(kBlockSize);
    RecordBuffer records(2 * kBlockSize);

    for (;;) {
        const std::ptrdiff_t got = input.Read(block.data(), block.size());
        if (got < 0)
            return ConversionStatus::InputReadFailed;
        if (got == 0)
            break;
        scanner.Feed(block.data(), static_cast<std::size_t>(got), records);
        if (records.Size() >= kBlockSize && !WriteOut(records, output))
            return ConversionStatus::OutputWriteFailed;
    }

    scanner.Finish(records);
    if (!WriteOut(records, output) || !output.Commit())
        return ConversionStatus::OutputWriteFailed;
    return ConversionStatus::Ok;
}

}  // namespace

ConversionResult ConvertPhonebook(const std::string& inputPath, const std::string& outputPath,
                                  StreamPolicy policy)
{
    InputFile input;
    if (!input.Open(inputPath, policy))
        return {ConversionStatus::InputOpenFailed, 0};
    OutputFile output;
    if (!output.Open(outputPath, input, policy))
        return {ConversionStatus::OutputOpenFailed, 0};

    RecordScanner scanner;
    const ConversionStatus status = Convert(input, output, scanner);
    // Uncommitted, the output is discarded as it goes out of scope.
    return {status, status == ConversionStatus::Ok ? scanner.RecordCount() : 0};
}
