#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RecordScanner.h"
#include "ScanInPieces.h"

namespace {

using namespace std::string_literals;

struct ScanCase {
    const char* what;
    std::string input;
    std::string records;
};

const char* NameOf(ByteFinder finder)
{
    return finder == ByteFinder::Sse2 ? "SSE2 finder" : "portable finder";
}

// Scans input handed over in pieces of pieceSize bytes (0: all at once).
std::string Scan(const std::string& input, std::size_t pieceSize, ByteFinder finder,
                 std::size_t maxFieldLength = kMaxFieldLength, std::int64_t* count = nullptr)
{
    const ScanResult result = ScanInPieces(input, pieceSize, finder, maxFieldLength);
    if (count)
        *count = result.recordCount;
    return result.records;
}

std::int64_t Lines(const std::string& records)
{
    return std::count(records.begin(), records.end(), '\n');
}

// Every case is scanned by each finder, whole and cut into pieces of every
// small size, so that piece boundaries fall inside fields, separators and
// line endings. A case that ends with its LF is scanned once more followed by
// empty lines, so that its lines are not near the end of the piece (the SSE2
// finder looks 192 bytes ahead).
void ExpectScans(const ScanCase& c, std::size_t maxFieldLength)
{
    const bool endsWithLf = !c.input.empty() && c.input.back() == '\n';
    for (ByteFinder finder : kAllFinders) {
        for (std::size_t pieceSize : {0, 1, 2, 3, 4, 5, 7, 64, 300}) {
            for (std::size_t emptyLines : {0, 200}) {
                if (emptyLines > 0 && !endsWithLf)
                    continue;
                std::int64_t count = -1;
                EXPECT_EQ(Scan(c.input + std::string(emptyLines, '\n'), pieceSize, finder,
                               maxFieldLength, &count),
                          c.records)
                    << c.what << ", " << NameOf(finder) << ", pieces of " << pieceSize << ", "
                    << emptyLines << " empty lines after";
                EXPECT_EQ(count, Lines(c.records)) << c.what << ", " << NameOf(finder);
            }
        }
    }
}

const ScanCase kCases[] = {
    {"empty input", "", ""},
    {"three fields, CR LF", "Anna;123;privat\r\n", "123;Anna\n"},
    {"two fields, CR LF: the line ending is not part of the number", "Anna;123\r\n", "123;Anna\n"},
    {"two fields, LF only", "Anna;123\n", "123;Anna\n"},
    {"leading separator", ";Anna;123;x\r\n", "123;Anna\n"},
    {"empty field between", "Anna;;123;x\r\n", "123;Anna\n"},
    {"many separators", ";;;Anna;;;;123;;;\r\n", "123;Anna\n"},
    {"heading line", "Name;Nummer;Typ\r\n", ""},
    {"international number", "Anna;+49301234\r\n", ""},
    {"quoted number", "Anna;\"0301234\"\r\n", ""},
    {"blank before number", "Anna; 0301234\r\n", ""},
    {"no separator", "Anna 0301234\r\n", ""},
    {"empty line", "\r\n", ""},
    {"only separators", ";;;;\r\n", ""},
    {"only a name", "Anna;\r\n", ""},
    {"last line without LF", "Anna;1\r\nBob;2", "1;Anna\n2;Bob\n"},
    {"digit bounds", "A;0\nB;9x\nC;/1\nD;:1\n", "0;A\n9x;B\n"},
    {"bytes above 0x7F are no digits", "A;\xB9" "1\nB;\xF0\n", ""},
    {"umlauts copied byte for byte", "M\xFCller, J\xFCrgen;0301\r\n", "0301;M\xFCller, J\xFCrgen\n"},
    {"no trimming or unquoting", " \"Anna\" ;0 1 \r\n", "0 1 ; \"Anna\" \n"},
    {"a long line's tail is no record",
     "Anna;123;" + std::string(289, 'x') + "\r\n", "123;Anna\n"},
    {"a record-like tail past byte 255 is no record",
     "Anna;123;" + std::string(246, 'x') + "Bob;456;x\r\n", "123;Anna\n"},
    {"a name across byte 255 is not cut",
     std::string(300, 'n') + ";123\r\n", "123;" + std::string(300, 'n') + "\n"},
    {"a number across byte 255 is not cut",
     "Anna;" + std::string(300, '7') + "\r\n", std::string(300, '7') + ";Anna\n"},
    {"NUL ends the number", "Anna;12\0"s "3;x\r\n", "12;Anna\n"},
    {"NUL ends the line before the number", "An\0na;123\r\nBob;4\r\n"s, "4;Bob\n"},
    {"NUL first", "\0Anna;123\n"s, ""},
    {"NUL after separators", "Anna;;\0" "123\n"s, ""},
    {"lone CRs are ordinary bytes", "An\rna;1\r2\r\n", "1\r2;An\rna\n"},
    {"only one CR is dropped", "Anna;123\r\r\n", "123\r;Anna\n"},
    {"CR after LF starts the next line", "Anna;1\n\rBob;2\n", "1;Anna\n2;\rBob\n"},
    {"final CR of the file is dropped", "Anna;123\r", "123;Anna\n"},
    {"only the final CR is dropped", "Anna;123\r\r", "123\r;Anna\n"},
    {"CR before NUL stays", "Anna;123\r\0x\r\n"s, "123\r;Anna\n"},
    {"lone CR line", "\r", ""},
    {"LF only lines", "\n\n\nA;1\n\n", "1;A\n"},
    {"LF as the 64th byte of a line", std::string(57, 'n') + ";0123\r\n", "0123;" + std::string(57, 'n') + "\n"},
    {"LF as the 65th byte of a line", std::string(58, 'n') + ";0123\r\n", "0123;" + std::string(58, 'n') + "\n"},
    {"CR as the 64th byte of a line", std::string(59, 'n') + ";012\r\n", "012;" + std::string(59, 'n') + "\n"},
};

TEST(RecordScanner, FollowsTheReadingRule)
{
    for (const ScanCase& c : kCases)
        ExpectScans(c, kMaxFieldLength);
}

TEST(RecordScanner, SkipsLinesWithOverlongNameOrNumber)
{
    const ScanCase cases[] = {
        {"name and number at the cap", "Anna;1234\r\n", "1234;Anna\n"},
        {"line ending not counted", "Anna;1234\r", "1234;Anna\n"},
        {"name over the cap", "Annas;123\r\nBob;456\r\n", "456;Bob\n"},
        {"number over the cap", "Anna;12345\r\nBob;456\r\n", "456;Bob\n"},
        {"number over the cap by a lone CR", "Anna;1234\r\r\nBob;456\n", "456;Bob\n"},
        {"separators and rest are not capped",
         ";;;;;;;;;;Anna;;;;;;;;;;123;" + std::string(100, 'x') + "\nBob;4\n", "123;Anna\n4;Bob\n"},
        {"overlong name in the rest of a line", "Anna;1;" + std::string(100, 'x') + "\n", "1;Anna\n"},
    };
    for (const ScanCase& c : cases)
        ExpectScans(c, 4);
}

TEST(RecordScanner, CountsAcrossFeeds)
{
    RecordScanner scanner;
    RecordBuffer out;
    const std::string line = "Anna;0301\r\n";
    for (int i = 0; i < 1000; ++i)
        scanner.Feed(line.data(), line.size(), out);
    scanner.Finish(out);
    EXPECT_EQ(scanner.RecordCount(), 1000);
    EXPECT_EQ(out.Size(), 1000 * std::string("0301;Anna\n").size());
}

}  // namespace
