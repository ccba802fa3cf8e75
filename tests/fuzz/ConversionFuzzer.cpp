// Feeds arbitrary bytes through the converter and compares every record and
// count with the reference model. Any difference aborts, so libFuzzer reports
// it with the input that caused it. Inputs that start like XML go to the XML
// reader, which has no model: there the file conversion must agree with the
// same document fed in small pieces, give well-formed records, and leave no
// output when it refuses the document. scripts/fuzz.sh runs this target once
// on line-shaped seeds and once on XML exports with an XML dictionary.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "PhonebookConverter.h"
#include "ReadPhonebook.h"
#include "RecordScanner.h"
#include "ReferenceModel.h"
#include "ScanInPieces.h"

namespace {

// A folder of this process for the input and output files, removed at exit.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const std::filesystem::path base =
            std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        m_path = (base / ("zedulo-fuzz-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& FuzzFolder()
{
    static const ScratchFolder folder;
    return folder.Path();
}

void Fail(const char* what, const std::string& expected, const std::string& actual)
{
    std::fprintf(stderr, "%s differs from the reference model:\nexpected %zu bytes, got %zu bytes\n",
                 what, expected.size(), actual.size());
    std::abort();
}

void Check(const char* what, const ModelResult& model, const std::string& records, std::int64_t count)
{
    if (records != model.records)
        Fail(what, model.records, records);
    if (count != model.recordCount)
        Fail(what, std::to_string(model.recordCount), std::to_string(count));
}

// The program's own path: a file in, ConvertPhonebook, a file out (none
// when the conversion failed).
ReadResult ConvertFile(const std::string& input)
{
    const std::string inputPath = FuzzFolder() + "/in.adr";
    const std::string outputPath = FuzzFolder() + "/phonebook.txt";
    std::filesystem::remove(outputPath);
    {
        std::ofstream file(inputPath, std::ios::binary | std::ios::trunc);
        file.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    const ConversionResult result =
        ConvertPhonebook(inputPath, outputPath, StreamPolicy::RegularFilesOnly, DefaultCountry());
    std::ifstream file(outputPath, std::ios::binary);
    if (result.status != ConversionStatus::Ok && file)
        Fail("output after a failure", "none", "a file");
    const std::string records{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return {result.status, records, result.recordCount};
}

void CheckFileConversion(const std::string& input, const ModelResult& model)
{
    const ReadResult result = ConvertFile(input);
    if (result.status != ConversionStatus::Ok)
        Fail("status", "Ok", std::to_string(static_cast<int>(result.status)));
    Check("file conversion", model, result.records, result.recordCount);
}

// The names of the records, in their order: what follows each number.
std::string NamesOf(const std::string& records)
{
    std::string names;
    for (std::size_t at = 0; at < records.size();) {
        const std::size_t separator = records.find(';', at), end = records.find('\n', at);
        names.append(records, separator, end + 1 - separator);
        at = end + 1;
    }
    return names;
}

// An XML input: refused or converted, the same in any pieces, and every
// record a line of a number that begins with a digit and holds no ";". The
// own country changes only how international numbers are written: dialled
// from the USA (prefixes "1" and "011" rather than "0" and "00") the same
// contacts give the same records with the same names, and a document
// without "+" the very same output.
void CheckXml(const std::string& input)
{
    const ReadResult whole = ConvertFile(input);
    if (whole.status != ConversionStatus::Ok && whole.status != ConversionStatus::InputReadFailed)
        Fail("XML status", "Ok or InputReadFailed", std::to_string(static_cast<int>(whole.status)));
    const ReadResult pieces = ReadPhonebook(input, 1 + input.size() % 13, 1 + input.size() % 97);
    if (pieces.status != whole.status)
        Fail("XML status in pieces", std::to_string(static_cast<int>(whole.status)),
             std::to_string(static_cast<int>(pieces.status)));
    if (whole.status != ConversionStatus::Ok)
        return;
    if (pieces.records != whole.records || pieces.recordCount != whole.recordCount)
        Fail("XML records in pieces", whole.records, pieces.records);
    std::int64_t lines = 0;
    for (std::size_t at = 0; at < whole.records.size(); ++lines) {
        const std::size_t end = whole.records.find('\n', at);
        const std::string record = whole.records.substr(at, end - at);
        const std::size_t separator = record.find(';');
        if (end == std::string::npos || separator == std::string::npos || separator == 0 || record[0] < '0' ||
            record[0] > '9' || separator == record.size() - 1 || record.find_first_of("\r\t") != std::string::npos)
            Fail("XML record", "number;name", record);
        at = end + 1;
    }
    if (lines != whole.recordCount)
        Fail("XML record count", std::to_string(lines), std::to_string(whole.recordCount));
    const ReadResult abroad = ReadPhonebook(input, 0, 4096, *FindCallingCode(1));
    if (abroad.status != whole.status || abroad.recordCount != whole.recordCount)
        Fail("XML record count from another country", std::to_string(whole.recordCount),
             std::to_string(abroad.recordCount));
    if (NamesOf(abroad.records) != NamesOf(whole.records))
        Fail("XML names from another country", NamesOf(whole.records), NamesOf(abroad.records));
    if (input.find('+') == std::string::npos && abroad.records != whole.records)
        Fail("XML records without \"+\" from another country", whole.records, abroad.records);
}

// The reader with each finder, fed the whole input at once (the SSE2
// finder's window scan needs 192 bytes ahead, more than the fuzzing build's
// blocks hold) and in pieces of another size, so that piece boundaries fall
// elsewhere than in the file conversion.
void CheckScans(const std::string& input, const ModelResult& model)
{
    for (ByteFinder finder : kAllFinders) {
        for (std::size_t pieceSize : {std::size_t{0}, 1 + input.size() % 7}) {
            const ScanResult scanned = ScanInPieces(input, pieceSize, finder);
            Check(finder == ByteFinder::Sse2 ? "SSE2 scan" : "portable scan", model, scanned.records,
                  scanned.recordCount);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (ReferenceStartsLikeXml(input)) {
        CheckXml(input);
        return 0;
    }
    const ModelResult model = ReferenceConvert(input, kMaxFieldLength);
    CheckFileConversion(input, model);
    CheckScans(input, model);
    return 0;
}
