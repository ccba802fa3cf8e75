// The international calling codes and the prefixes their countries dial:
// the facts behind the rewriting of international numbers
// (InternationalNumbers.h).
#pragma once

#include <cstddef>
#include <string_view>

struct CallingCode {
    int code;  // 49
    // Dialled before a national number: the trunk prefix, "0" in Germany, "1"
    // in the NANP countries, empty where there is none (Italy, Spain).
    std::string_view nationalPrefix;
    // Dialled before a foreign calling code: "00" almost everywhere, "011" in
    // the NANP countries; empty for the codes of no country (800, 870, ...).
    std::string_view internationalPrefix;
};

// The entry of that code, or null where the table has none.
const CallingCode* FindCallingCode(int code);

// The calling code at the start of digits (calling codes are prefix-free, so
// at most one fits), with its length in digits; null if none does.
const CallingCode* CallingCodeAtStart(std::string_view digits, std::size_t& length);

// A country's calling code as a user writes it, "49", "+49" or "0049": its
// entry, or null unless it is the code of a country (one with an
// international prefix).
const CallingCode* ParseCountryCode(std::string_view text);

// Germany's: the country when neither the user nor the platform names
// another (where the FritzBox and the program's language are at home).
const CallingCode& DefaultCountry();

// The country text names (ParseCountryCode), else DefaultCountry().
const CallingCode& CountryOrDefault(std::string_view text);
