// Every kind of bad or awkward input, through the command-line converter and
// through the conversion command with a dialog-like host: the exact message,
// the exit status, and that no file was lost, changed or left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "ChildProcess.h"
#include "ConversionMessages.h"
#include "FileContents.h"
#include "PathText.h"
#include "Phonebooks.h"
#include "PlatformDifferences.h"
#include "PlatformFiles.h"
#include "RecordingHost.h"
#include "TempDir.h"
#include "TextEncoding.h"

#ifndef _WIN32
#include "FileSizeLimit.h"
#endif

namespace fs = std::filesystem;

namespace {

const std::string kUmlautFolder = "Ordner mit \xC3\x9Cml\xC3\xA4ut";  // UTF-8 file names
constexpr std::size_t kSmallDisk = 64 * 1024;

// The files every case starts with.
void LayOutFolder(const TempDir& dir)
{
    WriteFile(dir.File("in.adr"), kPhonebook);
    fs::create_directory(dir.Path() / "ordner");
    fs::create_hard_link(dir.Path() / "in.adr", dir.Path() / "hart.adr");
    fs::create_directory(PathOf(dir.File(kUmlautFolder)));
    WriteFile(dir.File(kUmlautFolder + "/Telefon buch \xC3\xA4.adr"), kPhonebook);
    WriteFile(dir.File("leer.adr"), "");
    WriteFile(dir.File("nullen.adr"), std::string(4096, '\0'));  // not nul.adr: Windows' device NUL
    WriteFile(dir.File("alt.txt"), kOldOutput);
    WriteFile(dir.File("export.xml"), kXmlPhonebook);
    WriteFile(dir.File("kaputt.xml"), kXmlPhonebook.substr(0, kXmlPhonebook.size() / 2));
    WriteFile(dir.File("geheim.txt"), "GEHEIM");
    WriteFile(dir.File("entitaet.xml"), "<?xml version=\"1.0\"?><!DOCTYPE phonebooks [<!ENTITY g SYSTEM \"geheim.txt\">]>"
                                        "<phonebooks><phonebook><contact><person><realName>&g;</realName></person>"
                                        "<telephony><number>0301</number></telephony></contact></phonebook></phonebooks>");
    WriteFile(dir.File("unicode.adr"), std::string("\xFF\xFE" "A\0;\0" "0\0" "1\0\r\0\n\0", 14));  // "A;01" as UTF-16
#ifndef _WIN32
    fs::create_symlink("in.adr", dir.File("link.adr"));
    fs::create_symlink("ziel.txt", dir.File("ins-leere.txt"));  // leads nowhere yet
    WriteFile(dir.File("gross.adr"), NumberedPhonebook(30000));  // far more than kSmallDisk takes
#endif
}

std::string Expand(const std::string& path, const TempDir& dir)
{
    std::string expanded = path;
    const std::string placeholder = "{dir}";
    if (const auto at = expanded.find(placeholder); at != std::string::npos)
        expanded.replace(at, placeholder.size(), TextOf(dir.Path()));
    return expanded;
}

struct MatrixCase {
    const char* what;
    std::string input;   // "{dir}" stands for the case's folder
    std::string output;
    std::string message;  // Windows-1252, as the core says it
    std::string created;  // the file a successful run writes in the folder, if any
    std::string records;  // and its bytes
    std::size_t diskSpace = 0;  // the largest file that can be written; 0: no limit
};

bool Succeeds(const MatrixCase& c)
{
    return c.message.find("konvertiert") != std::string::npos;
}

// What the folder must look like after the run: as before, plus the output.
std::map<std::string, std::string> Expected(const MatrixCase& c, const TempDir& dir,
                                            std::map<std::string, std::string> before)
{
    if (!c.created.empty()) {
        const std::string reference = dir.File("reference");
        WriteFile(reference, c.records);
        before[TextOf(PathOf(c.created).make_preferred())] = DescribeTree(dir.Path())["reference"];
        fs::remove(reference);
    }
    return before;
}

// Devices are written as they are, never replaced by a file. (On Windows
// nothing can replace them; the folder's tree shows that the bare name NUL
// made no file beside the input.)
void ExpectDevicesStayDevices()
{
#ifndef _WIN32
    EXPECT_TRUE(fs::is_character_file(kNullDevice));
    EXPECT_TRUE(fs::is_character_file(kFullDevice));
#endif
}

const std::string kConverted2 = ConversionMessages::Converted(2);
const std::string kConverted0 = ConversionMessages::Converted(0);

const MatrixCase kCases[] = {
    {"missing input", "{dir}/fehlt.adr", "out.txt", ConversionMessages::kInputOpenFailed, "", ""},
    {"input a folder", "{dir}/ordner", "out.txt", ConversionMessages::kInputOpenFailed, "", ""},
    {"input path through a file", "{dir}/in.adr/y", "out.txt", ConversionMessages::kInputOpenFailed, "", ""},
    {"input failing while read", kUnreadableFile, "{dir}/out.txt", ConversionMessages::kInputReadFailed, "", ""},
    {"output in a missing folder", "{dir}/in.adr", "{dir}/fehlt/out.txt", ConversionMessages::kOutputOpenFailed, "", ""},
    {"output a folder", "{dir}/in.adr", "{dir}/ordner", ConversionMessages::kOutputOpenFailed, "", ""},
    {"output the input", "{dir}/in.adr", "{dir}/in.adr", ConversionMessages::kOutputOpenFailed, "", ""},
    {"output the input by its bare name", "{dir}/in.adr", "in.adr", ConversionMessages::kOutputOpenFailed, "", ""},
    {"output the input spelt otherwise", "{dir}/in.adr", "{dir}/ordner/../in.adr",
     ConversionMessages::kOutputOpenFailed, "", ""},
    {"output a hard link of the input", "{dir}/in.adr", "hart.adr", ConversionMessages::kOutputOpenFailed, "", ""},
    {"output a full device", "{dir}/in.adr", kFullDevice, ConversionMessages::kOutputWriteFailed, "", ""},
    {"output a device that takes everything", "{dir}/in.adr", kNullDevice, kConverted2, "", ""},
    {"existing output replaced", "{dir}/in.adr", "alt.txt", kConverted2, "alt.txt", kRecords},
    {"existing output kept when the input fails while read", kUnreadableFile, "{dir}/alt.txt",
     ConversionMessages::kInputReadFailed, "", ""},
    {"both paths empty", "", "", ConversionMessages::kNoInput, "", ""},
    {"input path empty", "", "out.txt", ConversionMessages::kNoInput, "", ""},
    {"output path empty", "{dir}/in.adr", "", ConversionMessages::kNoOutput, "", ""},
    {"spaces and umlauts", "{dir}/" + kUmlautFolder + "/Telefon buch \xC3\xA4.adr", "Aus gabe \xC3\xB6.txt",
     kConverted2, kUmlautFolder + "/Aus gabe \xC3\xB6.txt", kRecords},
    {"empty file", "{dir}/leer.adr", "out.txt", kConverted0, "out.txt", ""},
    {"only NUL bytes", "{dir}/nullen.adr", "out.txt", kConverted0, "out.txt", ""},
    {"an XML export", "{dir}/export.xml", "out.txt", kConverted2, "out.txt", kRecords},
    {"existing output kept when the XML is cut off", "{dir}/kaputt.xml", "alt.txt",
     ConversionMessages::kInputReadFailed, "", ""},
    {"an XML entity never reads another file", "{dir}/entitaet.xml", "alt.txt", ConversionMessages::kInputReadFailed,
     "", ""},
    {"semicolon lines saved as UTF-16 are refused", "{dir}/unicode.adr", "alt.txt",
     ConversionMessages::kInputReadFailed, "", ""},
#ifndef _WIN32
    // Links made with POSIX calls, and a file size limit of one process;
    // Windows' own cases are in its tests of the safe replacement.
    {"output a symbolic link to the input", "{dir}/in.adr", "link.adr", ConversionMessages::kOutputOpenFailed, "", ""},
    {"input given through a link, output the file", "{dir}/link.adr", "in.adr",
     ConversionMessages::kOutputOpenFailed, "", ""},
    {"existing output kept when the disk is full", "{dir}/gross.adr", "alt.txt",
     ConversionMessages::kOutputWriteFailed, "", "", kSmallDisk},
    {"no new output when the disk is full", "{dir}/gross.adr", "neu.txt", ConversionMessages::kOutputWriteFailed,
     "", "", kSmallDisk},
    {"output a link leading nowhere", "{dir}/in.adr", "ins-leere.txt", kConverted2, "ziel.txt", kRecords},
    {"output a link leading nowhere, input failing", kUnreadableFile, "{dir}/ins-leere.txt",
     ConversionMessages::kInputReadFailed, "", ""},
#endif
};

TEST(BadInput, CommandLineConverter)
{
    for (const MatrixCase& c : kCases) {
        TempDir dir;
        LayOutFolder(dir);
        const auto before = DescribeTree(dir.Path());

        ChildOptions options;
        options.fileSizeLimit = c.diskSpace;
        const ChildOutcome outcome =
            RunChild(ZEDULO_CONVERT_PROGRAM, {Expand(c.input, dir), Expand(c.output, dir)}, options);

        const std::string line = Windows1252ToUtf8(c.message) + "\n";
        EXPECT_EQ(outcome.exitStatus, Succeeds(c) ? 0 : 1) << c.what;
        EXPECT_EQ(outcome.out, Succeeds(c) ? line : "") << c.what;
        EXPECT_EQ(outcome.err, Succeeds(c) ? "" : line) << c.what;
        EXPECT_EQ(DescribeTree(dir.Path()), Expected(c, dir, before)) << c.what;
    }
    ExpectDevicesStayDevices();
}

TEST(BadInput, ConversionCommand)
{
    for (const MatrixCase& c : kCases) {
        TempDir dir;
        LayOutFolder(dir);
        const auto before = DescribeTree(dir.Path());

        RecordingHost host(Expand(c.input, dir), Expand(c.output, dir));
        {
#ifndef _WIN32
            FileSizeLimit disk(c.diskSpace);
#endif
            RunConversion(host);
        }

        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(host.closed, Succeeds(c)) << c.what;
        EXPECT_EQ(DescribeTree(dir.Path()), Expected(c, dir, before)) << c.what;
    }
    ExpectDevicesStayDevices();
}

// Writes prefix, count copies of unit and suffix, without ever holding the
// whole: the child's measured peak memory starts from this process's own.
void WriteHugeFile(const std::string& path, const std::string& prefix, const std::string& unit, std::size_t count,
                   const std::string& suffix)
{
    std::ofstream out(path, std::ios::binary);
    out << prefix;
    std::string block;
    const std::size_t unitsPerBlock = std::max<std::size_t>(1, (1 << 20) / unit.size());
    for (std::size_t i = 0; i < unitsPerBlock; ++i)
        block += unit;
    for (std::size_t written = 0; written < count; written += unitsPerBlock)
        out.write(block.data(), static_cast<std::streamsize>(std::min(unitsPerBlock, count - written) * unit.size()));
    out << suffix;
}

// Lines of 100 MB: converted with memory far below their size, through the
// real program, whose peak memory is measured.
TEST(BadInput, HugeLinesNeedLittleMemory)
{
    constexpr std::size_t kHuge = 100 * 1024 * 1024;
    constexpr long kMemoryBoundKiB = 50 * 1024;
    TempDir dir;
    WriteHugeFile(dir.File("lange-zeile.adr"), "Anna;0301;", "x", kHuge, "\r\nBob;0402\r\n");
    WriteHugeFile(dir.File("langer-name.adr"), "", "n", kHuge, ";0301\r\nBob;0402\r\n");
    const struct {
        const char* input;
        std::string records;
        std::int64_t count;
    } cases[] = {
        {"lange-zeile.adr", "0301;Anna\n0402;Bob\n", 2},
        {"langer-name.adr", "0402;Bob\n", 1},
    };
    for (const auto& c : cases) {
        const ChildOutcome outcome =
            RunChild(ZEDULO_CONVERT_PROGRAM, {"--landesvorwahl=49", dir.File(c.input), "cli.txt"});
        EXPECT_EQ(outcome.exitStatus, 0) << c.input;
        EXPECT_EQ(outcome.out, Windows1252ToUtf8(ConversionMessages::Converted(c.count)) + "\n") << c.input;
        EXPECT_EQ(ReadFile(dir.File("cli.txt")), c.records) << c.input;
        EXPECT_LT(outcome.peakResidentKiB, kMemoryBoundKiB) << c.input;

        RecordingHost host(dir.File(c.input), "host.txt");
        RunConversion(host);
        EXPECT_EQ(host.messages, std::vector<std::string>{ConversionMessages::Converted(c.count)}) << c.input;
        EXPECT_EQ(ReadFile(dir.File("host.txt")), c.records) << c.input;
    }
}

// An XML phonebook of 200 MB converts in little memory, and a comment of
// that size is refused before it fills any. Each contact gives two records,
// its "+49" number dialled from Germany.
TEST(BadInput, HugeXmlNeedsLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' own memory would be measured";
#endif
    constexpr std::size_t kHuge = 200 * 1024 * 1024;
    // The program's own share is a few MiB; the Windows converter's is a
    // little more, as it loads WinHTTP, crypt32 and bcrypt for --fritzbox.
    constexpr long kMemoryBoundKiB = 40 * 1024;
    const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks><phonebook>";
    const std::string tail = "</phonebook></phonebooks>\n";
    const std::string contact = "<contact><category>0</category><person><realName>M\xC3\xBCller, Anna</realName>"
                                "</person><telephony nid=\"2\"><number type=\"home\" prio=\"1\" id=\"0\">030 1234567"
                                "</number><number type=\"mobile\">+491701234567</number></telephony><services />"
                                "<setup /><mod_time>1733568000</mod_time><uniqueid>1</uniqueid></contact>\n";
    const std::int64_t contacts = static_cast<std::int64_t>(kHuge / contact.size());
    TempDir dir;
    WriteHugeFile(dir.File("gross.xml"), head, contact, static_cast<std::size_t>(contacts), tail);
    WriteHugeFile(dir.File("kommentar.xml"), head + "<!--", "x", kHuge, "-->" + tail);
    const struct {
        const char* input;
        std::string message;
        std::int64_t contacts;  // converted
    } cases[] = {
        {"gross.xml", ConversionMessages::Converted(2 * contacts), contacts},
        {"kommentar.xml", ConversionMessages::kInputReadFailed, 0},
    };
    for (const auto& c : cases) {
        const ChildOutcome outcome =
            RunChild(ZEDULO_CONVERT_PROGRAM, {"--landesvorwahl=49", dir.File(c.input), "cli.txt"});
        EXPECT_EQ(outcome.out + outcome.err, Windows1252ToUtf8(c.message) + "\n") << c.input;
        if (kXmlParserMemoryIsFlat || c.contacts == 0) {
            EXPECT_LT(outcome.peakResidentKiB, kMemoryBoundKiB) << c.input;
        }
        if (c.contacts != 0) {
            const std::uintmax_t contactRecordsSize =
                std::string("030 1234567;M\xFCller, Anna\n01701234567;M\xFCller, Anna\n").size();
            EXPECT_EQ(fs::file_size(PathOf(dir.File("cli.txt"))),
                      static_cast<std::uintmax_t>(c.contacts) * contactRecordsSize);
        }
    }
}


// Crafted documents a parser would need much memory for: where its memory
// is capped (PlatformDifferences.h) each is read or refused within 16 MiB,
// and a refused one costs the old output nothing.
TEST(BadInput, CraftedXmlNeedsLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' own memory would be measured";
#endif
    constexpr long kMemoryBoundKiB = 16 * 1024;
    const std::string head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks><phonebook>";
    const std::string tail = "<contact><person><realName>B</realName></person><telephony><number>2</number>"
                             "</telephony></contact></phonebook></phonebooks>\n";
    // A name of 200 characters from i, different for every i.
    const auto distinct = [](std::size_t i) {
        const std::string digits = std::to_string(i);
        return "n" + std::string(199 - digits.size(), 'x') + digits;
    };
    // Written piece by piece: the child's measured peak memory starts from
    // this process's own.
    const auto write = [&](const std::string& path, std::size_t count, const auto& unit) {
        std::ofstream out(path, std::ios::binary);
        out << head;
        for (std::size_t i = 0; i < count; ++i)
            unit(out, i);
        out << tail;
    };
    TempDir dir;
    write(dir.File("langer-name.xml"), 2000, [](std::ostream& out, std::size_t i) {
        if (i == 0)
            out << "<contact><person><realName>" << std::string(64 * 1024, 'N') << "</realName></person><telephony>";
        out << "<number>1</number>";
        if (i == 1999)
            out << "</telephony></contact>";
    });
    write(dir.File("elemente.xml"), 200000, [&](std::ostream& out, std::size_t i) { out << "<" << distinct(i) << "/>"; });
    write(dir.File("attribute.xml"), 200000,
          [&](std::ostream& out, std::size_t i) { out << "<x " << distinct(i) << "=\"\"/>"; });
    write(dir.File("namensraeume.xml"), 200000,
          [&](std::ostream& out, std::size_t i) { out << "<x xmlns:" << distinct(i) << "=\"u\"/>"; });
    write(dir.File("ein-tag.xml"), 140000, [](std::ostream& out, std::size_t i) {
        out << (i == 0 ? "<x" : "") << " a" << i << "=\"\"" << (i == 139999 ? "/>" : "");
    });
    const std::string longName(400 * 1000, 'n');
    write(dir.File("verschachtelt.xml"), 120, [&](std::ostream& out, std::size_t i) {
        out << (i < 60 ? "<" : "</") << longName << (i < 60 ? i : 119 - i) << ">";
    });
    const bool capped = kXmlParserMemoryIsCapped;
    const struct {
        const char* input;
        bool refused;
    } cases[] = {
        {"langer-name.xml", false},  // its contact gives too much output: skipped whole
        {"elemente.xml", capped},
        {"attribute.xml", capped},
        {"namensraeume.xml", capped},
        {"ein-tag.xml", capped},
        {"verschachtelt.xml", capped || longName.size() > kXmlNameSurelyRead},
    };
    for (const auto& c : cases) {
        WriteFile(dir.File("alt.txt"), kOldOutput);
        const ChildOutcome outcome = RunChild(ZEDULO_CONVERT_PROGRAM, {dir.File(c.input), "alt.txt"});
        // Where the parser's memory is not capped, whether it reads such a
        // document is its own affair (Wine's MSXML refuses some, by limits
        // of its own); either way nothing is lost.
        const bool refused = c.refused || (!capped && outcome.exitStatus == 1);
        const std::string message = refused ? ConversionMessages::kInputReadFailed : ConversionMessages::Converted(1);
        EXPECT_EQ(outcome.out + outcome.err, Windows1252ToUtf8(message) + "\n") << c.input;
        EXPECT_EQ(ReadFile(dir.File("alt.txt")), refused ? kOldOutput : "2;B\n") << c.input;
        if (capped) {
            EXPECT_LT(outcome.peakResidentKiB, kMemoryBoundKiB) << c.input;
        }
    }
}

}  // namespace
