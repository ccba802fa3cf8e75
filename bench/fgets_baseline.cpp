// The straightforward way to convert a phonebook: fgets into a 256-byte line
// buffer, strtok for the fields, fprintf for each record. Kept for comparison
// only; it cuts long lines into pieces and keeps the CR of "name;number" CR LF
// in the number, which the real converter does not.
#include <cctype>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT OUTPUT\n", argv[0]);
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in)
        return 1;
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::fclose(in);
        return 1;
    }
    char line[256];
    long count = 0;
    while (std::fgets(line, sizeof line, in)) {
        char* name = std::strtok(line, ";");
        char* number = name ? std::strtok(nullptr, ";") : nullptr;
        if (number && std::isdigit(static_cast<unsigned char>(number[0]))) {
            std::fprintf(out, "%s;%s\n", number, name);
            ++count;
        }
        if (std::feof(in))
            break;
    }
    std::fclose(out);
    std::fclose(in);
    std::printf("%ld\n", count);
    return 0;
}
