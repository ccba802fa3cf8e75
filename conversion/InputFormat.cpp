#include "InputFormat.h"

#include <algorithm>
#include <array>

#include "TextEncoding.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::array<std::string_view, 2> kXmlStarts = {"<?xml", "<phonebooks"};

// Whether text could still grow into start, or already begins with it.
bool Matches(std::string_view text, std::string_view start, bool& complete)
{
    const std::size_t length = std::min(text.size(), start.size());
    complete = text.size() >= start.size();
    return text.substr(0, length) == start.substr(0, length);
}

// Where the document starts after the blanks and UTF-8 byte-order mark.
std::size_t DocumentStart(std::string_view bytes)
{
    std::size_t at = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
    while (at < bytes.size() && IsXmlSpace(bytes[at]))
        ++at;
    return at;
}

}  // namespace

FormatGuess GuessInputFormat(std::string_view bytes)
{
    bool complete = false;
    for (const std::string_view bom : {kUtf16LeBom, kUtf16BeBom}) {
        if (Matches(bytes, bom, complete))
            return complete ? FormatGuess::Xml : FormatGuess::Undecided;
    }
    if (Matches(bytes, kUtf8Bom, complete) && !complete)
        return FormatGuess::Undecided;

    const std::size_t start = DocumentStart(bytes);
    if (start == bytes.size())
        return FormatGuess::Undecided;
    const std::string_view rest = bytes.substr(start);
    bool undecided = false;
    for (const std::string_view xmlStart : kXmlStarts) {
        if (Matches(rest, xmlStart, complete)) {
            if (complete)
                return FormatGuess::Xml;
            undecided = true;
        }
    }
    return undecided ? FormatGuess::Undecided : FormatGuess::Lines;
}

RoutedInput RouteInput(ByteSource& input)
{
    RoutedInput routed;
    char buffer[kFormatWindow];
    FormatGuess guess = FormatGuess::Undecided;
    while (guess == FormatGuess::Undecided && routed.held.size() < kFormatWindow) {
        const std::ptrdiff_t got = input.Read(buffer, kFormatWindow - routed.held.size());
        if (got < 0) {
            routed.readFailed = true;
            return routed;
        }
        if (got == 0)
            break;
        routed.held.append(buffer, static_cast<std::size_t>(got));
        guess = GuessInputFormat(routed.held);
    }
    if (guess != FormatGuess::Xml)
        return routed;

    routed.format = InputFormat::Xml;
    const bool utf16 = routed.held.compare(0, 2, kUtf16LeBom) == 0 || routed.held.compare(0, 2, kUtf16BeBom) == 0;
    if (!utf16)
        routed.held.erase(0, DocumentStart(routed.held));
    return routed;
}
