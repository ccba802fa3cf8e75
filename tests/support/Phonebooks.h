// The phonebook the tests convert, in both formats, and what it must give.
#pragma once

#include <string>

// A header line, two usable entries (one name with an umlaut, in the
// export's Windows-1252) and one whose number is no number.
inline const std::string kPhonebook = "Name;Nummer\r\nM\xFCller;0301\r\nBob;+49\r\nCarl;0402;x\r\n";
inline const std::string kRecords = "0301;M\xFCller\n0402;Carl\n";

// The same phonebook as a FritzBox backup in XML (UTF-8).
inline const std::string kXmlPhonebook =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<phonebooks><phonebook name=\"Telefonbuch\">"
    "<contact><person><realName>M\xC3\xBCller</realName></person><telephony><number>0301</number></telephony></contact>"
    "<contact><person><realName>Bob</realName></person><telephony><number>+49</number></telephony></contact>"
    "<contact><person><realName>Carl</realName></person><telephony><number>0402</number></telephony></contact>"
    "</phonebook></phonebooks>\n";

// What an output held before a conversion: still there after a failure.
// Longer than kRecords, so that an output rewritten in place must be cut.
inline const std::string kOldOutput = "OLD;CONTENT, LONGER THAN THE NEW ONE\n";

// A phonebook of that many entries "Name <i>;030<i>", CR LF each: about 20
// bytes an entry, every one a record.
inline std::string NumberedPhonebook(int entries)
{
    std::string phonebook;
    for (int i = 0; i < entries; ++i)
        phonebook += "Name " + std::to_string(i) + ";030" + std::to_string(i) + "\r\n";
    return phonebook;
}
