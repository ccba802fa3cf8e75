// How a number in international form ("+49 170 1234567") is written: as the
// user's own country dials it.
//
// After the calling code D (CallingCodes.h) come separators (blank, no-break
// space, "-", "/", "."), then perhaps "(0)" and separators again: all of it
// is dropped, and what remains, R, must begin with a digit. D the own
// country's: its national prefix, then R; with the national prefix "0" an R
// that begins with "0" stands alone ("+49 (0)30 1234" gives "030 1234").
// Any other D: the own international prefix, D, one blank if anything was
// dropped, then R ("+43 1 234567" gives "0043 1 234567" from Germany). A
// code the table lacks: the own international prefix in place of the "+",
// the rest unchanged.
#pragma once

#include <string>
#include <string_view>

#include "CallingCodes.h"

// Whether a number (trimmed) is in international form: "+" and at once a digit.
inline bool IsInternationalNumber(std::string_view number)
{
    return number.size() >= 2 && number[0] == '+' && number[1] >= '0' && number[1] <= '9';
}

// Writes an international number (Windows-1252) into dialled as ownCountry
// dials it; false when nothing that begins with a digit follows the calling
// code ("+49", "+49 (030) 1234"), and the number is then skipped.
bool DialledFrom(const CallingCode& ownCountry, std::string_view number, std::string& dialled);
