// What the FritzBox answers over TR-064, read with the platform's XML parser
// (XmlParser.h): its description, SOAP answers and faults, the user list.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// The controlURL of the service of this serviceType in the box's
// description (/tr64desc.xml), or nothing.
std::optional<std::string> FindControlUrl(std::string_view description, std::string_view serviceType);

struct SoapAnswer {
    // The arguments of the action's response element by name; empty for a fault.
    std::map<std::string, std::string> arguments;
    // The UPnP error code of a fault (606: no right, 713: no such entry); 0 if none.
    int upnpError = 0;
};

// A SOAP 1.1 answer: an Envelope with a Body holding either the action's
// response or a Fault. Nothing when it is not one (not XML, not SOAP).
std::optional<SoapAnswer> ReadSoapAnswer(std::string_view answer);

// The user marked last_user="1" in X_AVM-DE_GetUserList's list, or nothing.
std::optional<std::string> LastUser(std::string_view userList);
