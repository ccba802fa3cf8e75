// The reader of semicolon-separated lines: RecordScanner, pushed one block
// at a time.
#include <vector>

#include "PhonebookReader.h"
#include "RecordScanner.h"

namespace {

class LineReader final : public PhonebookReader {
public:
    explicit LineReader(std::size_t blockSize) : m_blockSize(blockSize) {}

    ConversionStatus Convert(ByteSource& input, RecordSink& out) override
    {
        std::vector<char> block(m_blockSize);
        for (;;) {
            const std::ptrdiff_t got = input.Read(block.data(), block.size());
            if (got < 0)
                return ConversionStatus::InputReadFailed;
            if (got == 0)
                break;
            m_scanner.Feed(block.data(), static_cast<std::size_t>(got), out.Records());
            if (!out.WriteIfFull())
                return ConversionStatus::OutputWriteFailed;
        }
        m_scanner.Finish(out.Records());
        return ConversionStatus::Ok;
    }

    std::int64_t RecordCount() const override { return m_scanner.RecordCount(); }

private:
    const std::size_t m_blockSize;
    RecordScanner m_scanner;
};

}  // namespace

std::unique_ptr<PhonebookReader> MakeLineReader(std::size_t blockSize)
{
    return std::make_unique<LineReader>(blockSize);
}
