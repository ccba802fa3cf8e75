// How an XML backup's numbers are written for each own country.
#include <gtest/gtest.h>

#include <string>

#include "CallingCodes.h"
#include "ReadPhonebook.h"

namespace {

// One contact "A" with that number.
std::string Backup(const std::string& number)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks><phonebook><contact><person><realName>A"
           "</realName></person><telephony><number>" + number + "</number></telephony></contact></phonebook>"
           "</phonebooks>\n";
}

// The own countries in the table's order; the last is what a platform that
// names no country (or one the table lacks) gives.
const CallingCode* const kOwnCountries[] = {
    FindCallingCode(49), FindCallingCode(43), FindCallingCode(41), FindCallingCode(39), FindCallingCode(1),
    &CountryOrDefault(""),
};

TEST(InternationalNumbers, WrittenAsDialledFromTheOwnCountry)
{
    // The number in the backup (UTF-8), then what is written from Germany,
    // Austria, Switzerland, Italy, the USA and no named country; "" skipped.
    const struct {
        std::string number;
        std::string written[6];
    } cases[] = {
        {"+49 170 1234567", {"0170 1234567", "0049 170 1234567", "0049 170 1234567", "0049 170 1234567",
                             "01149 170 1234567", "0170 1234567"}},
        {"+49 (0)30 1234-56", {"030 1234-56", "0049 30 1234-56", "0049 30 1234-56", "0049 30 1234-56",
                               "01149 30 1234-56", "030 1234-56"}},
        {"+49(0)301234", {"0301234", "0049 301234", "0049 301234", "0049 301234", "01149 301234", "0301234"}},
        {"+4930123", {"030123", "004930123", "004930123", "004930123", "0114930123", "030123"}},
        {"+49 030 123", {"030 123", "0049 030 123", "0049 030 123", "0049 030 123", "01149 030 123", "030 123"}},
        {"  +49-30/1234.5  ", {"030/1234.5", "0049 30/1234.5", "0049 30/1234.5", "0049 30/1234.5",
                               "01149 30/1234.5", "030/1234.5"}},
        {"+49\xC2\xA0" "30\xC2\xA0" "1234", {"030\xA0" "1234", "0049 30\xA0" "1234", "0049 30\xA0" "1234",
                                             "0049 30\xA0" "1234", "01149 30\xA0" "1234", "030\xA0" "1234"}},
        {"+43 1 234567", {"0043 1 234567", "01 234567", "0043 1 234567", "0043 1 234567", "01143 1 234567",
                          "0043 1 234567"}},
        {"+431234", {"00431234", "01234", "00431234", "00431234", "011431234", "00431234"}},
        {"+41 (0) 44-668 18 00", {"0041 44-668 18 00", "0041 44-668 18 00", "044-668 18 00", "0041 44-668 18 00",
                                  "01141 44-668 18 00", "0041 44-668 18 00"}},
        {"+39 06 1234567", {"0039 06 1234567", "0039 06 1234567", "0039 06 1234567", "06 1234567",
                            "01139 06 1234567", "0039 06 1234567"}},
        {"+1 212 555 0100", {"001 212 555 0100", "001 212 555 0100", "001 212 555 0100", "001 212 555 0100",
                             "1212 555 0100", "001 212 555 0100"}},
        {"+44 (0)20 7946 0000", {"0044 20 7946 0000", "0044 20 7946 0000", "0044 20 7946 0000",
                                 "0044 20 7946 0000", "01144 20 7946 0000", "0044 20 7946 0000"}},
        {"+7 495 1234567", {"007 495 1234567", "007 495 1234567", "007 495 1234567", "007 495 1234567",
                            "0117 495 1234567", "007 495 1234567"}},
        // A code of no country, and one the table lacks: "+" replaced, the rest as it stands.
        {"+800-1234", {"00800 1234", "00800 1234", "00800 1234", "00800 1234", "011800 1234", "00800 1234"}},
        {"+999-1234", {"00999-1234", "00999-1234", "00999-1234", "00999-1234", "011999-1234", "00999-1234"}},
        {"0049 30 1234", {"0049 30 1234", "0049 30 1234", "0049 30 1234", "0049 30 1234", "0049 30 1234",
                          "0049 30 1234"}},
        {"+49", {"", "", "", "", "", ""}},
        {"+1", {"", "", "", "", "", ""}},
        {"+49 (0)", {"", "", "", "", "", ""}},
        {"+49 (030) 1234", {"", "", "", "", "", ""}},
        {"+49 30;1234", {"", "", "", "", "", ""}},
        {"+ 49 30", {"", "", "", "", "", ""}},
        {"**41", {"", "", "", "", "", ""}},
        {"(030) 1234", {"", "", "", "", "", ""}},
        {"", {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        for (std::size_t country = 0; country < std::size(kOwnCountries); ++country) {
            ASSERT_NE(kOwnCountries[country], nullptr);
            const ReadResult result = ReadPhonebook(Backup(c.number), 0, 4096, *kOwnCountries[country]);
            const std::string& written = c.written[country];
            EXPECT_EQ(result.records, written.empty() ? "" : written + ";A\n")
                << c.number << " from +" << kOwnCountries[country]->code;
        }
    }
}

// The country the user gives: "49", "+49" or "0049", a country's code.
TEST(InternationalNumbers, OwnCountryAsTheUserWritesIt)
{
    const struct {
        const char* text;
        int code;  // 0: not a country's code
    } cases[] = {
        {"49", 49}, {"+49", 49}, {"0049", 49}, {"1", 1}, {"+1", 1}, {"352", 352}, {"43", 43},
        {"", 0}, {"+", 0}, {"00", 0}, {"049", 0}, {"00049", 0}, {"4", 0}, {"999", 0}, {"800", 0},
        {"4930", 0}, {"49 ", 0}, {" 49", 0}, {"+ 49", 0}, {"0o49", 0}, {"++49", 0},
    };
    for (const auto& c : cases) {
        const CallingCode* country = ParseCountryCode(c.text);
        EXPECT_EQ(country ? country->code : 0, c.code) << '"' << c.text << '"';
        EXPECT_EQ(CountryOrDefault(c.text).code, c.code ? c.code : 49) << '"' << c.text << '"';
    }
}

}  // namespace
