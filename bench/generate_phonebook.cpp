// Writes a FritzBox-like phonebook export of a given number of lines, the
// same bytes for the same count: Windows-1252, CR LF, a heading, names with
// umlauts, and numbers of every kind the converter meets (national ones,
// "+49..." ones it skips, quoted ones, internal "**" ones).
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LINES OUTPUT\n", argv[0]);
        return 2;
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
