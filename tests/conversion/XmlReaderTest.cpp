#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "InputFormat.h"
#include "PlatformDifferences.h"
#include "ReadPhonebook.h"
#include "TextEncoding.h"
#include "XmlContacts.h"
#include "XmlPrologGuard.h"

namespace {

using namespace std::string_literals;

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// A document of one phonebook holding the contacts given.
std::string Phonebook(const std::string& contacts, const std::string& declaration = kDeclaration)
{
    return declaration + "<phonebooks>\n<phonebook owner=\"0\" name=\"Telefonbuch\">\n" + contacts +
           "</phonebook>\n</phonebooks>\n";
}

std::string Contact(const std::string& name, const std::string& numbers)
{
    return "<contact><category>0</category><person><realName>" + name +
           "</realName></person><telephony nid=\"1\">" + numbers + "</telephony></contact>";
}

std::string Number(const std::string& number)
{
    return "<number type=\"home\" prio=\"1\" id=\"0\">" + number + "</number>";
}

// The document in UTF-16 with its byte-order mark.
std::string Utf16(const std::string& utf8, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const std::string kExport =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks>\n <phonebook owner=\"0\" name=\"Telefonbuch\">\n"
    "  <timestamp>1700000000</timestamp>\n  <!-- Kommentar -->\n"
    "  <contact>\n   <category>0</category>\n"
    "   <person><realName>M\xC3\xBCller, Anna</realName><imageURL>file:///x.jpg</imageURL></person>\n"
    "   <telephony nid=\"5\">\n"
    "    <number type=\"home\" prio=\"1\" id=\"0\">030 1234567</number>\n"
    "    <number type=\"mobile\" prio=\"0\" id=\"1\" quickdial=\"12\" vanity=\"ANNA\">+491701234567</number>\n"
    "    <number type=\"work\" prio=\"0\" id=\"2\"/>\n"
    "    <number type=\"intern\" id=\"3\">**41</number>\n"
    "    <number type=\"fax_work\" id=\"4\">0171/1234567</number>\n"
    "   </telephony>\n"
    "   <services nid=\"1\"><email classifier=\"private\" id=\"0\">anna@example.org</email></services>\n"
    "   <setup /><mod_time>1700000000</mod_time><uniqueid>7</uniqueid>\n"
    "  </contact>\n"
    "  <contact><category>0</category><person><realName>Ohne Telefon</realName></person></contact>\n"
    " </phonebook>\n</phonebooks>\n";
const std::string kExportUtf16 =
    "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + kExport.substr(kExport.find('\n'));
// The international number dialled from Germany (ReadPhonebook's own country).
const std::string kExportRecords =
    "030 1234567;M\xFCller, Anna\n01701234567;M\xFCller, Anna\n0171/1234567;M\xFCller, Anna\n";

// Elements nested that deep, with text inside.
std::string Nested(std::size_t depth, const std::string& text)
{
    std::string open, close;
    for (std::size_t i = 0; i < depth; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return open + text + close;
}

struct XmlCase {
    const char* what;
    std::string document;
    std::string records;  // the expected output; ignored when refused
    bool refused = false;
};

const std::string kOneContact = Phonebook(Contact("A", Number("1")), "");
const std::string kLongDeclaration = "<?xml version=\"1.0\"" + std::string(300, ' ') + "encoding=";

const XmlCase kCases[] = {
    {"a FritzBox export", kExport, kExportRecords},
    {"the same in UTF-16 LE", Utf16(kExportUtf16, false), kExportRecords},
    {"the same in UTF-16 BE", Utf16(kExportUtf16, true), kExportRecords},
    {"after a UTF-8 byte-order mark and blanks", "\xEF\xBB\xBF \r\n\t" + kExport, kExportRecords},
    {"without a declaration", "<phonebooks><phonebook>" + Contact("A", Number("1")) + "</phonebook></phonebooks>",
     "1;A\n"},
    {"ISO-8859-1", Phonebook(Contact("J\xFCrgen", Number("0401")), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"),
     "0401;J\xFCrgen\n"},
    {"US-ASCII", Phonebook(Contact("Bob", Number("0402")), "<?xml version='1.0' encoding='us-ascii'?>"),
     "0402;Bob\n"},
    {"several phonebooks and contacts",
     kDeclaration + "<phonebooks><phonebook>" + Contact("A", Number("1")) + Contact("B", Number("2") + Number("3")) +
         "</phonebook><phonebook name=\"Zweites\">" + Contact("C", Number("4")) + "</phonebook></phonebooks>",
     "1;A\n2;B\n3;B\n4;C\n"},
    {"several telephony elements", Phonebook("<contact><telephony>" + Number("1") + "</telephony><person><realName>"
                                             "A</realName></person><telephony>" + Number("2") + "</telephony></contact>"),
     "1;A\n2;A\n"},
    {"only the first person's first realName",
     Phonebook("<contact><person><realName>Erster</realName><realName>Zweiter</realName></person>"
               "<person><realName>Dritter</realName></person><telephony>" + Number("1") + "</telephony></contact>"),
     "1;Erster\n"},
    {"contacts out of place are passed over",
     kDeclaration + "<phonebooks>" + Contact("Oben", Number("1")) + "<phonebook><x>" + Contact("Tief", Number("2")) +
         "</x><contact><person><realName>Aussen</realName></person><telephony>" + Number("3") +
         Contact("Innen", Number("4")) + "</telephony>" + Contact("Innen2", Number("5")) +
         "</contact></phonebook></phonebooks>",
     "3;Aussen\n"},
    {"numbers that are not used, and one dialled from Germany",
     Phonebook(Contact("A", Number("+4930") + Number("**610") + Number("(030) 12345-6") + Number("500@sip.example") +
                                Number("") + Number(" ") + Number("12;34") + Number("5 6"))),
     "030;A\n500@sip.example;A\n5 6;A\n"},
    {"no name, no record", Phonebook(Contact("", Number("1")) + Contact(" \n\t", Number("2")) +
                                     "<contact><telephony>" + Number("3") + "</telephony></contact>"),
     ""},
    {"text trimmed and on one line", Phonebook(Contact("\n  Anna\tvon\r\nBerg  \n", Number(" \t0301 \n"))),
     "0301;Anna von Berg\n"},  // the parser reads CR LF as one LF
    {"a character reference for CR", Phonebook(Contact("A&#13;B", Number("1"))), "1;A B\n"},
    {"the text of child elements, CDATA and references",
     Phonebook(Contact("<![CDATA[Anna]]> <![CDATA[Berg]]> &amp; <b>S&#246;hne</b> &lt;&gt;",
                       Number("030<b>1</b>2"))),
     "03012;Anna Berg & S\xF6hne <>\n"},
    {"a semicolon in a name stays", Phonebook(Contact("Berg; Anna", Number("1"))), "1;Berg; Anna\n"},
    {"characters outside Windows-1252",
     Phonebook(Contact("\xE2\x82\xAC \xC4\x80 \xF0\x9F\x98\x80 &#x1F600; &#x81;&#x8D;&#x8F;&#x90;&#x9D; &#x80;",
                       Number("1"))),
     "1;\x80 ? ? ? \x81\x8D\x8F\x90\x9D ?\n"},
    {"a surrogate pair in UTF-16", Utf16(Phonebook(Contact("x\xF0\x9F\x98\x80y", Number("1")), ""), false), "1;x?y\n"},
    {"comments and processing instructions anywhere",
     kDeclaration + "<!-- vorne --><?pi x?>" + Phonebook(Contact("A<!-- c --><?pi?>B", Number("1<!--c-->2")), ""), "12;AB\n"},

    {"cut off inside a contact", kExport.substr(0, kExport.find("<services")), "", true},
    {"cut off after the last phonebook", kExport.substr(0, kExport.rfind("</phonebooks>")), "", true},
    {"another document element", kDeclaration + "<adressbuch><phonebook>" + Contact("A", Number("1")) +
                                     "</phonebook></adressbuch>", "", true},
    {"an empty element of another name first", "<phonebooksices /><x/>", "", true},
    {"a DOCTYPE", kDeclaration + "<!DOCTYPE phonebooks>" + Phonebook("", ""), "", true},
    {"a DOCTYPE after a comment", kDeclaration + "<!-- x --><!DOCTYPE phonebooks []><phonebooks/>", "", true},
    {"a DOCTYPE in UTF-16", Utf16("<?xml version=\"1.0\"?><!DOCTYPE phonebooks><phonebooks/>", true), "", true},
    {"an external entity",
     kDeclaration + "<!DOCTYPE phonebooks [<!ENTITY geheim SYSTEM \"file:///etc/passwd\">]>" +
         Phonebook(Contact("&geheim;", Number("1")), ""),
     "", true},
    // A comment runs from "<!--" to the next "--" (which must end it), so
    // "<!-->" and "<!--->" only open one.
    {"a DOCTYPE in a comment opened by <!-->", kDeclaration + "<!--> <!DOCTYPE x> -->" + kOneContact, "1;A\n"},
    {"a DOCTYPE in a comment opened by <!--->", kDeclaration + "<!---> <!DOCTYPE x> -->" + kOneContact, "1;A\n"},
    {"a DOCTYPE in a comment opened by <!--> in UTF-16", Utf16("<!--> <!DOCTYPE x> -->" + kOneContact, true), "1;A\n"},
    {"a DOCTYPE in a comment opened by <!---> in UTF-16", Utf16("<!---> <!DOCTYPE x> -->" + kOneContact, false),
     "1;A\n"},
    {"a DOCTYPE in a processing instruction", kDeclaration + "<?p <!DOCTYPE x> ?><?q?>" + kOneContact, "1;A\n"},
    {"an empty comment", kDeclaration + "<!---->" + kOneContact, "1;A\n"},
    {"a comment with -- inside", kDeclaration + "<!-- a -- <!DOCTYPE x> -->" + kOneContact, "", true},
    {"a comment ending in --->", kDeclaration + "<!-- a ---><!DOCTYPE x>" + kOneContact, "", true},
    {"an undeclared entity", Phonebook(Contact("&foo;", Number("1"))), "", true},
    {"windows-1252", Phonebook(Contact("A", Number("1")), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"), "",
     true},
    {"UTF-16 declared in bytes", Phonebook(Contact("A", Number("1")), "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"),
     "", true},
    {"UTF-8 declared after a UTF-16 mark",
     Utf16(Phonebook(Contact("A", Number("1")), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), false), "", true},
    {"UTF-16LE declared after a UTF-16 mark", Utf16("<?xml version=\"1.0\" encoding=\"UTF-16LE\"?>" + kOneContact, false),
     "", true},
    {"UTF-16LE declared after a UTF-16 mark, 300 blanks before", Utf16(kLongDeclaration + "'UTF-16LE'?>" + kOneContact, false),
     "", true},
    {"UTF-16 declared after a UTF-16 mark, 300 blanks before", Utf16(kLongDeclaration + "'UTF-16'?>" + kOneContact, false),
     "1;A\n"},
    {"windows-1252 declared, 300 blanks before", kLongDeclaration + "\"windows-1252\"?>" + kOneContact, "", true},
    {"semicolon lines saved as UTF-16", Utf16("Anna;0301;home\r\n", false), "", true},
    {"not XML after all", "<?xml version=\"1.0\"?>\nAnna;0301\n", "", true},
    {"nested too deep", Phonebook(Nested(kMaxXmlDepth - 1, "x")), "", true},
    {"nested as deep as allowed", Phonebook(Nested(kMaxXmlDepth - 2, "")), ""},
};

TEST(XmlReader, ConvertsEachDocumentAsTheRuleSays)
{
    for (const XmlCase& c : kCases) {
        for (const std::size_t pieceSize : {0, 1, 3, 64}) {
            const ReadResult result = ReadPhonebook(c.document, pieceSize);
            if (c.refused) {
                EXPECT_EQ(result.status, ConversionStatus::InputReadFailed) << c.what << ", pieces of " << pieceSize;
                continue;
            }
            EXPECT_EQ(result.status, ConversionStatus::Ok) << c.what << ", pieces of " << pieceSize;
            EXPECT_EQ(result.records, c.records) << c.what << ", pieces of " << pieceSize;
            EXPECT_EQ(result.recordCount, std::count(c.records.begin(), c.records.end(), '\n')) << c.what;
        }
    }
}

// The checks before the parser, alone: the parser on Linux refuses a DOCTYPE
// itself, Wine's MSXML does not.
TEST(XmlPrologGuard, RefusesDoctypesAndForeignEncodings)
{
    const struct {
        const char* what;
        std::string document;
        bool refused;
    } cases[] = {
        {"a plain export", kExport, false},
    {"a DOCTYPE", kDeclaration + "<!DOCTYPE phonebooks><phonebooks/>", true},
        {"a DOCTYPE after comments and instructions", "<?xml version='1.0'?><!-- a --><?b?>\n<!DOCTYPE x>", true},
        {"a DOCTYPE in UTF-16 BE", Utf16("<!DOCTYPE phonebooks><phonebooks/>", true), true},
        {"DOCTYPE in a comment", "<!-- <!DOCTYPE x> --><phonebooks/>", false},
        {"a DOCTYPE after a comment opened by <!-->", "<!--> --><!DOCTYPE x>", true},
        {"UTF-16LE declared in UTF-16, 300 blanks before", Utf16(kLongDeclaration + "'utf-16le'?><phonebooks/>", false),
         true},
        {"DOCTYPE after the document element began", "<phonebooks><!DOCTYPE x>", false},
        {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><phonebooks/>", true},
        {"ISO-8859-1 in capitals", "<?xml version=\"1.0\" encoding = 'ISO-8859-1'?><phonebooks/>", false},
        {"UTF-16 declared in bytes", "<?xml version=\"1.0\" encoding=\"utf-16\"?><phonebooks/>", true},
        {"UTF-16 declared in UTF-16", Utf16("<?xml version=\"1.0\" encoding=\"utf-16\"?><phonebooks/>", false), false},
    };
    for (const auto& c : cases) {
        for (const std::size_t pieceSize : {0, 1, 3}) {
            MemorySource source(c.document, pieceSize);
            XmlPrologGuard guard(source);
            char buffer[64];
            std::ptrdiff_t got = 0;
            while ((got = guard.Read(buffer, sizeof buffer)) > 0) {
            }
            EXPECT_EQ(got < 0, c.refused) << c.what << ", pieces of " << pieceSize;
            EXPECT_EQ(guard.Refused(), c.refused) << c.what;
        }
    }
}

// A UTF-16 parser may hand the two halves of a surrogate pair over in two
// pieces: they are still one character.
TEST(XmlContacts, JoinsSurrogatePairsAcrossPieces)
{
    const struct {
        std::u16string first, second;
        std::string name;
    } cases[] = {
        {u"x\xD83D", u"\xDE00y", "x?y"},
        {u"x\xD83D", u"y", "x?y"},          // a lone high half
        {u"x", u"\xDE00y", "x?y"},          // a lone low half
        {u"\x20AC\x0100", u"\x0081", "\x80?\x81"},
    };
    for (const auto& c : cases) {
        std::string written;
        RecordSink sink([&written](std::string_view part) { written += part; return true; }, 64);
        XmlContacts contacts(sink, DefaultCountry());
        for (const char* element : {"phonebooks", "phonebook", "contact", "person", "realName"})
            contacts.StartElement(element);
        contacts.Characters(c.first);
        contacts.Characters(c.second);
        contacts.EndElement();
        contacts.EndElement();
        contacts.StartElement("telephony");
        contacts.StartElement("number");
        contacts.Characters(std::string_view("1"));
        for (int i = 0; i < 5; ++i)
            contacts.EndElement();
        sink.WriteAll();
        EXPECT_EQ(written, "1;" + c.name + "\n");
    }
}

// Which reader an input goes to, and what it gets first: lines unchanged,
// XML from its first "<" (a UTF-16 byte-order mark kept).
TEST(InputFormat, ChoosesTheReaderFromTheFirstBytes)
{
    const std::string blanks(kFormatWindow, ' ');
    const struct {
        const char* what;
        std::string input;
        InputFormat format;
        std::string xmlStart;  // what the XML reader gets first
    } cases[] = {
        {"a declaration", "<?xml version=\"1.0\"?><phonebooks/>", InputFormat::Xml, "<?xml"},
        {"the document element", "<phonebooks><phonebook/></phonebooks>", InputFormat::Xml, "<phonebooks>"},
        {"blanks and a UTF-8 mark before", "\xEF\xBB\xBF \t\r\n<?xml ?>", InputFormat::Xml, "<?xml"},
        {"a UTF-16 LE mark", "\xFF\xFE<\0?\0", InputFormat::Xml, "\xFF\xFE<"},
        {"a UTF-16 BE mark", "\xFE\xFF\0<", InputFormat::Xml, "\xFE\xFF\0<"},
        {"blanks up to the window's end", blanks.substr(5) + "<?xml", InputFormat::Xml, "<?xml"},
        {"blanks past the window", blanks + "<?xml", InputFormat::Lines, ""},
        {"semicolon lines", "Name;Nummer\r\nAnna;0301\r\n", InputFormat::Lines, ""},
        {"another element first", "<phonebook><contact/></phonebook>", InputFormat::Lines, ""},
        {"a comment first", "<!-- x --><?xml ?>", InputFormat::Lines, ""},
        {"a declaration cut short", "  <?xm", InputFormat::Lines, ""},
        {"a blank before the UTF-8 mark", " \xEF\xBB\xBF<?xml", InputFormat::Lines, ""},
        {"a UTF-16 mark after blanks", " \xFF\xFE<\0", InputFormat::Lines, ""},
        {"nothing", "", InputFormat::Lines, ""},
    };
    for (const auto& c : cases) {
        for (const std::size_t pieceSize : {0, 1}) {
            MemorySource source(c.input, pieceSize);
            const RoutedInput routed = RouteInput(source);
            EXPECT_FALSE(routed.readFailed) << c.what;
            EXPECT_EQ(routed.format, c.format) << c.what << ", pieces of " << pieceSize;
            EXPECT_LE(routed.held.size(), kFormatWindow) << c.what;
            const std::string& expectedStart = c.format == InputFormat::Xml ? c.xmlStart : c.input;
            EXPECT_EQ(routed.held.substr(0, expectedStart.size()), expectedStart.substr(0, routed.held.size()))
                << c.what << ", pieces of " << pieceSize;
        }
    }
}

// Names and numbers at their caps and past them, and markup that would make
// the parser hold too much.
TEST(XmlReader, BoundsWhatItHolds)
{
    const std::string atCap(kMaxFieldLength, '7');
    const std::string pastCap = atCap + "7";
    const std::string numberSlot(kMaxContactNumbersLength / 16 - 1, '5');  // with its separator, 1/16 of the cap
    std::string numbersAtCap, numbersPastCap, recordsAtCap;
    for (int i = 0; i < 16; ++i) {
        numbersAtCap += Number(numberSlot);
        recordsAtCap += numberSlot + ";A\n";
    }
    numbersPastCap = numbersAtCap + Number("1");
    // A name at its cap repeated in as many records as a contact may give.
    const std::size_t recordsFitting = kMaxContactRecordsLength / (kMaxFieldLength + 3);
    std::string onesFitting, recordsFitting1;
    for (std::size_t i = 0; i < recordsFitting; ++i) {
        onesFitting += Number("1");
        recordsFitting1 += "1;" + atCap + "\n";
    }
    const std::string bigToken(kMaxXmlTokenLength + 1, 'x');
    const std::string smallToken(kMaxXmlTokenLength / 2, 'x');
    // Tokens of each kind, the length the platform surely reads or surely
    // refuses, their markup included (PlatformDifferences.h).
    const auto comment = [](std::size_t length) { return "<!--" + std::string(length - 7, 'c') + "-->"; };
    const auto instruction = [](std::size_t length) { return "<?p " + std::string(length - 6, 'i') + "?>"; };
    const auto attribute = [](std::size_t length) { return "<x a=\"" + std::string(length - 9, 'v') + "\"/>"; };
    const auto name = [](std::size_t length) { return "<" + std::string(length - 3, 'n') + "/>"; };
    const std::size_t read = kXmlTokenSurelyRead, refused = kXmlTokenSurelyRefused;
    const std::string one = Contact("A", Number("1"));

    const XmlCase cases[] = {
        {"name at the cap", Phonebook(Contact(" " + atCap + " ", Number("1"))), "1;" + atCap + "\n"},
        {"name past the cap", Phonebook(Contact(pastCap + "more", Number("1")) + Contact("B", Number("2"))), "2;B\n"},
        {"name past the cap by a blank inside", Phonebook(Contact(atCap.substr(1) + " 7", Number("1"))), ""},
        {"number at the cap", Phonebook(Contact("A", Number(atCap))), atCap + ";A\n"},
        {"number past the cap", Phonebook(Contact("A", Number(pastCap) + Number("2"))), "2;A\n"},
        {"numbers at the contact's cap", Phonebook(Contact("A", numbersAtCap)), recordsAtCap},
        {"numbers past the contact's cap", Phonebook(Contact("A", numbersPastCap) + Contact("B", Number("2"))), "2;B\n"},
        {"records at the contact's cap", Phonebook(Contact(atCap, onesFitting)), recordsFitting1},
        {"records past the contact's cap", Phonebook(Contact(atCap, onesFitting + Number("1")) + Contact("B", Number("2"))),
         "2;B\n"},
        {"a long text run", Phonebook("<x>" + bigToken + "</x>" + Contact("A", Number("1"))), "1;A\n"},
        {"a CDATA section of half the token cap",
         Phonebook("<x><![CDATA[" + smallToken + "]]></x>" + Contact("A", Number("1"))), "1;A\n"},
        {"a CDATA section past the token cap", Phonebook("<x><![CDATA[" + bigToken + "]]></x>"), "", true},
        {"a comment of half the token cap", Phonebook("<!--" + smallToken + "-->" + Contact("A", Number("1"))), "1;A\n"},
        {"a comment past the token cap", Phonebook(comment(refused)), "", true},
        {"an attribute past the token cap", Phonebook(attribute(refused)), "", true},
        {"a name past the token cap", Phonebook(name(refused)), "", true},
        // Blanks inside a tag, of which no parser tells the length, and an
        // instruction, which Wine's MSXML does not report: only counting
        // what the parser takes in between two reports sees them.
        {"an instruction past the token cap", Phonebook(instruction(2 * refused)), "", true},
        {"a tag's blanks past the token cap", Phonebook("<x" + std::string(2 * refused, ' ') + "/>"), "", true},
        {"a comment as long as is read", Phonebook(comment(read) + one), "1;A\n"},
        {"an attribute as long as is read", Phonebook(attribute(read) + one), "1;A\n"},
        {"an instruction as long as is read", Phonebook(instruction(read) + one), "1;A\n"},
        {"a name as long as is read", Phonebook(name(kXmlNameSurelyRead) + one), "1;A\n"},
        // Each token is judged alone, however closely they follow each other.
        {"two comments each as long as is read", Phonebook(comment(read) + comment(read) + one), "1;A\n"},
        {"two tags each as long as is read", Phonebook(attribute(read) + attribute(read) + one), "1;A\n"},
    };
    for (const XmlCase& c : cases) {
        for (const std::size_t pieceSize : {0, 4000}) {
            const ReadResult result = ReadPhonebook(c.document, pieceSize, 64 * 1024);
            if (c.refused) {
                EXPECT_EQ(result.status, ConversionStatus::InputReadFailed) << c.what;
                continue;
            }
            EXPECT_EQ(result.status, ConversionStatus::Ok) << c.what;
            EXPECT_EQ(result.records, c.records) << c.what;
        }
    }
}

}  // namespace
