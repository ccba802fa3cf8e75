// The conversion's messages as the programs show them, in UTF-8: taken from
// ConversionMessages.h, so that tests never spell a message themselves.
#pragma once

#include <string>

#include "ConversionMessages.h"
#include "TextEncoding.h"

inline std::string Shown(const std::string& windows1252Message)
{
    return Windows1252ToUtf8(windows1252Message);
}
