#include "CallingCodes.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Every international calling code of ITU-T E.164, with the national and the
// international prefix of its country, as gathered in the numbering metadata
// of libphonenumber (resources/PhoneNumberMetadata.xml; for a code several
// regions share, the main country's, which all of them share). Where that
// metadata gives the international prefix only as a pattern of the carriers'
// prefixes, the table holds the one it names as preferred, else the smallest
// the pattern allows. Sorted by code.
constexpr CallingCode kCallingCodes[] = {
    {1, "1", "011"},   {7, "8", "810"},   {20, "0", "00"},   {27, "0", "00"},   {30, "", "00"},
    {31, "0", "00"},   {32, "0", "00"},   {33, "0", "00"},   {34, "", "00"},    {36, "06", "00"},
    {39, "", "00"},    {40, "0", "00"},   {41, "0", "00"},   {43, "0", "00"},   {44, "0", "00"},
    {45, "", "00"},    {46, "0", "00"},   {47, "", "00"},    {48, "", "00"},    {49, "0", "00"},
    {51, "0", "00"},   {52, "", "00"},    {53, "0", "119"},  {54, "0", "00"},   {55, "0", "0012"},
    {56, "", "00"},    {57, "0", "005"},  {58, "0", "00"},   {60, "0", "00"},   {61, "0", "0011"},
    {62, "0", "008"},  {63, "0", "00"},   {64, "0", "00"},   {65, "", "000"},   {66, "0", "001"},
    {81, "0", "010"},  {82, "0", "001"},  {84, "0", "00"},   {86, "0", "00"},   {90, "0", "00"},
    {91, "0", "00"},   {92, "0", "00"},   {93, "0", "00"},   {94, "0", "00"},   {95, "0", "00"},
    {98, "0", "00"},   {211, "0", "00"},  {212, "0", "00"},  {213, "0", "00"},  {216, "", "00"},
    {218, "0", "00"},  {220, "", "00"},   {221, "", "00"},   {222, "", "00"},   {223, "", "00"},
    {224, "", "00"},   {225, "", "00"},   {226, "", "00"},   {227, "", "00"},   {228, "", "00"},
    {229, "", "00"},   {230, "", "020"},  {231, "0", "00"},  {232, "0", "00"},  {233, "0", "00"},
    {234, "0", "009"}, {235, "", "00"},   {236, "", "00"},   {237, "", "00"},   {238, "", "0"},
    {239, "", "00"},   {240, "", "00"},   {241, "", "00"},   {242, "", "00"},   {243, "0", "00"},
    {244, "", "00"},   {245, "", "00"},   {246, "", "00"},   {247, "", "00"},   {248, "", "00"},
    {249, "0", "00"},  {250, "0", "00"},  {251, "0", "00"},  {252, "0", "00"},  {253, "", "00"},
    {254, "0", "000"}, {255, "0", "000"}, {256, "0", "000"}, {257, "", "00"},   {258, "", "00"},
    {260, "0", "00"},  {261, "0", "00"},  {262, "0", "00"},  {263, "0", "00"},  {264, "0", "00"},
    {265, "0", "00"},  {266, "", "00"},   {267, "", "00"},   {268, "", "00"},   {269, "", "00"},
    {290, "", "00"},   {291, "0", "00"},  {297, "", "00"},   {298, "", "00"},   {299, "", "00"},
    {350, "", "00"},   {351, "", "00"},   {352, "", "00"},   {353, "0", "00"},  {354, "", "00"},
    {355, "0", "00"},  {356, "", "00"},   {357, "", "00"},   {358, "0", "00"},  {359, "0", "00"},
    {370, "0", "00"},  {371, "", "00"},   {372, "", "00"},   {373, "0", "00"},  {374, "0", "00"},
    {375, "8", "810"}, {376, "", "00"},   {377, "0", "00"},  {378, "", "00"},   {380, "0", "00"},
    {381, "0", "00"},  {382, "0", "00"},  {383, "0", "00"},  {385, "0", "00"},  {386, "0", "00"},
    {387, "0", "00"},  {389, "0", "00"},  {420, "", "00"},   {421, "0", "00"},  {423, "0", "00"},
    {500, "", "00"},   {501, "", "00"},   {502, "", "00"},   {503, "", "00"},   {504, "", "00"},
    {505, "", "00"},   {506, "", "00"},   {507, "", "00"},   {508, "0", "00"},  {509, "", "00"},
    {590, "0", "00"},  {591, "0", "00"},  {592, "", "001"},  {593, "0", "00"},  {594, "0", "00"},
    {595, "0", "00"},  {596, "0", "00"},  {597, "", "00"},   {598, "0", "00"},  {599, "", "00"},
    {670, "", "00"},   {672, "", "00"},   {673, "", "00"},   {674, "", "00"},   {675, "", "00"},
    {676, "", "00"},   {677, "", "00"},   {678, "", "00"},   {679, "", "00"},   {680, "", "011"},
    {681, "", "00"},   {682, "", "00"},   {683, "", "00"},   {685, "", "0"},    {686, "0", "00"},
    {687, "", "00"},   {688, "", "00"},   {689, "", "00"},   {690, "", "00"},   {691, "", "00"},
    {692, "1", "011"}, {800, "", ""},     {808, "", ""},     {850, "0", "00"},  {852, "", "00"},
    {853, "", "00"},   {855, "0", "001"}, {856, "0", "00"},  {870, "", ""},     {878, "", ""},
    {880, "0", "00"},  {881, "", ""},     {882, "", ""},     {883, "", ""},     {886, "0", "002"},
    {888, "", ""},     {960, "", "00"},   {961, "0", "00"},  {962, "0", "00"},  {963, "0", "00"},
    {964, "0", "00"},  {965, "", "00"},   {966, "0", "00"},  {967, "0", "00"},  {968, "", "00"},
    {970, "0", "00"},  {971, "0", "00"},  {972, "0", "00"},  {973, "", "00"},   {974, "", "00"},
    {975, "", "00"},   {976, "0", "001"}, {977, "0", "00"},  {979, "", ""},     {992, "", "810"},
    {993, "8", "810"}, {994, "0", "00"},  {995, "0", "00"},  {996, "0", "00"},  {998, "", "00"},
};
static_assert(std::is_sorted(std::begin(kCallingCodes), std::end(kCallingCodes),
                             [](const CallingCode& a, const CallingCode& b) { return a.code < b.code; }));

constexpr int kGermany = 49;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

const CallingCode* FindCallingCode(int code)
{
    const auto found = std::lower_bound(std::begin(kCallingCodes), std::end(kCallingCodes), code,
                                        [](const CallingCode& entry, int wanted) { return entry.code < wanted; });
    return found != std::end(kCallingCodes) && found->code == code ? found : nullptr;
}

const CallingCode* CallingCodeAtStart(std::string_view digits, std::size_t& length)
{
    // E.164 codes have one to three digits, the first never 0.
    int code = 0;
    if (digits.starts_with('0'))
        digits = {};
    for (length = 1; length <= 3 && length <= digits.size() && IsDigit(digits[length - 1]); ++length) {
        code = code * 10 + (digits[length - 1] - '0');
        if (const CallingCode* entry = FindCallingCode(code))
            return entry;
    }
    length = 0;
    return nullptr;
}

const CallingCode* ParseCountryCode(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    else if (text.starts_with("00"))
        text.remove_prefix(2);
    std::size_t length = 0;
    const CallingCode* entry = CallingCodeAtStart(text, length);
    if (!entry || length != text.size() || entry->internationalPrefix.empty())
        return nullptr;
    return entry;
}

const CallingCode& DefaultCountry()
{
    return *FindCallingCode(kGermany);
}

const CallingCode& CountryOrDefault(std::string_view text)
{
    const CallingCode* entry = ParseCountryCode(text);
    return entry ? *entry : DefaultCountry();
}
