#include "FileAccess.h"
#include "InputFormat.h"
#include "PhonebookConverter.h"
#include "PhonebookReader.h"

namespace {

// Reads and writes in large blocks: the conversion is bound by the copy.
// The fuzzing build makes them tiny, so that short inputs cross blocks.
#ifndef ZEDULO_BLOCK_SIZE
#define ZEDULO_BLOCK_SIZE (256 * 1024)
#endif
constexpr std::size_t kBlockSize = ZEDULO_BLOCK_SIZE;

class InputFileSource final : public ByteSource {
public:
    explicit InputFileSource(InputFile& file) : m_file(file) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override { return m_file.Read(buffer, size); }

private:
    InputFile& m_file;
};

// Runs reader over the whole input and hands the rest of its records on.
ConversionResult ReadAll(PhonebookReader& reader, ByteSource& input, RecordSink& out)
{
    ConversionStatus status = reader.Convert(input, out);
    if (status == ConversionStatus::Ok && !out.WriteAll())
        status = ConversionStatus::OutputWriteFailed;
    return {status, status == ConversionStatus::Ok ? reader.RecordCount() : 0};
}

// Writes what read hands to its sink into the opened output and commits it
// only after a complete conversion.
template <typename Read>
ConversionResult WriteRecords(OutputFile& output, Read read)
{
    RecordSink records([&output](std::string_view bytes) { return output.Write(bytes.data(), bytes.size()); },
                       kBlockSize);
    const ConversionResult result = read(records);
    if (result.status == ConversionStatus::Ok && !output.Commit())
        return {ConversionStatus::OutputWriteFailed, 0};
    // Uncommitted, the output is discarded as it goes out of scope.
    return result;
}

}  // namespace

ConversionResult ReadRecords(ByteSource& input, RecordSink& out, std::size_t blockSize,
                             const CallingCode& ownCountry)
{
    RoutedInput routed = RouteInput(input);
    if (routed.readFailed)
        return {ConversionStatus::InputReadFailed, 0};
    ReplayingSource source(std::move(routed.held), input);
    const std::unique_ptr<PhonebookReader> reader =
        routed.format == InputFormat::Xml ? MakeXmlReader(blockSize, ownCountry) : MakeLineReader(blockSize);
    return ReadAll(*reader, source, out);
}

ConversionResult ConvertPhonebook(const std::string& inputPath, const std::string& outputPath,
                                  StreamPolicy policy, const CallingCode& ownCountry)
{
    InputFile input;
    if (!input.Open(inputPath, policy))
        return {ConversionStatus::InputOpenFailed, 0};
    OutputFile output;
    if (!output.Open(outputPath, input, policy))
        return {ConversionStatus::OutputOpenFailed, 0};

    InputFileSource file(input);
    return WriteRecords(output, [&file, &ownCountry](RecordSink& records) {
        return ReadRecords(file, records, kBlockSize, ownCountry);
    });
}

ConversionResult ConvertXmlPhonebook(ByteSource& input, const std::string& outputPath, StreamPolicy policy,
                                     const CallingCode& ownCountry)
{
    // The input is no file: an InputFile never opened is the identity of none.
    const InputFile noFile;
    OutputFile output;
    if (!output.Open(outputPath, noFile, policy))
        return {ConversionStatus::OutputOpenFailed, 0};
    return WriteRecords(output, [&input, &ownCountry](RecordSink& records) {
        return ReadAll(*MakeXmlReader(kBlockSize, ownCountry), input, records);
    });
}
