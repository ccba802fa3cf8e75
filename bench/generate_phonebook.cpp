// Writes a FritzBox-like phonebook export of a given number of lines, the
// same bytes for the same count: Windows-1252, CR LF, a heading, names with
// umlauts, and numbers of every kind the converter meets (national ones,
// "+49..." ones it skips, quoted ones, internal "**" ones). With --xml, a
// phonebook backup in XML (UTF-8) of that many contacts, with one to three
// numbers each, shaped as the router writes it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const kFirstNames[] = {"Anna", "J\xFCrgen", "Ren\xE9", "Gisela", "Bj\xF6rn", "Eva",
                                   "Hans-Peter", "S\xF6ren", "Marie", "Tom"};
const char* const kLastNames[] = {"M\xFCller", "Schmidt", "Wei\xDF", "Sch\xE4" "fer", "Becker",
                                  "Gro\xDF", "Kr\xFCger", "Hoffmann", "\xD6zt\xFCrk", "Wagner"};
const char* const kTypes[] = {"home", "work", "mobile", "fax_work"};

// A small, fixed pseudo-random sequence, so every run writes the same file.
std::uint32_t g_state = 12345;
std::uint32_t Next()
{
    g_state = g_state * 1664525u + 1013904223u;
    return g_state >> 8;
}

// The name lists in UTF-8, as the XML backup has them.
std::string Utf8(const char* windows1252)
{
    std::string utf8;
    for (const unsigned char c : std::string(windows1252)) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

int WriteXml(long contacts, std::FILE* out)
{
    std::fputs("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks>\n"
               "<phonebook owner=\"0\" name=\"Telefonbuch\"><timestamp>1733568000</timestamp>\n", out);
    for (long i = 0; i < contacts; ++i) {
        const std::uint32_t r = Next();
        const std::string name = Utf8(kFirstNames[r % 10]) + " " + Utf8(kLastNames[(r / 10) % 10]);
        const unsigned count = 1 + (r / 100) % 3;
        std::fprintf(out, "<contact><category>0</category><person><realName>%s</realName></person>"
                          "<telephony nid=\"%u\">", name.c_str(), count);
        for (unsigned n = 0; n < count; ++n) {
            const unsigned number = Next() % 100000000u;
            const char* type = kTypes[(number / 7) % 4];
            switch (number % 5) {
            case 0:
                std::fprintf(out, "<number type=\"%s\" prio=\"0\" id=\"%u\">+49%u</number>", type, n, number);
                break;
            case 1:
                std::fprintf(out, "<number type=\"intern\" prio=\"0\" id=\"%u\">**%u</number>", n, number % 100);
                break;
            default:
                std::fprintf(out, "<number type=\"%s\" prio=\"%u\" id=\"%u\">0%u</number>", type, n == 0, n, number);
                break;
            }
        }
        std::fprintf(out, "</telephony><services /><setup /><mod_time>1733568000</mod_time>"
                          "<uniqueid>%ld</uniqueid></contact>\n", i + 1);
    }
    std::fputs("</phonebook>\n</phonebooks>\n", out);
    return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool xml = argc == 4 && std::string(argv[1]) == "--xml";
    if (argc != 3 && !xml) {
        std::fprintf(stderr, "usage: %s [--xml] COUNT OUTPUT\n", argv[0]);
        return 2;
    }
    if (xml) {
        std::FILE* out = std::fopen(argv[3], "wb");
        return out ? WriteXml(std::atol(argv[2]), out) : 1;
    }
    const long lines = std::atol(argv[1]);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out)
        return 1;
    std::fputs("Name;Nummer;Typ;Kurzwahl;Vanity\r\n", out);
    for (long i = 1; i < lines; ++i) {
        const std::uint32_t r = Next();
        const char* first = kFirstNames[r % 10];
        const char* last = kLastNames[(r / 10) % 10];
        const char* type = kTypes[(r / 100) % 4];
        const unsigned number = Next() % 100000000u;
        switch ((r / 400) % 10) {
        case 0:
            std::fprintf(out, "%s %s;+49%u;%s;;;\r\n", first, last, number, type);
            break;
        case 1:
            std::fprintf(out, "%s %s;\"0%u\";%s;;;\r\n", first, last, number, type);
            break;
        case 2:
            std::fprintf(out, "%s %s;**%u;intern;;;\r\n", first, last, number % 100);
            break;
        default:
            std::fprintf(out, "%s %s;0%u;%s;;;\r\n", first, last, number, type);
            break;
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
