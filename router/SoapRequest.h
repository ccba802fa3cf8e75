// The SOAP 1.1 requests TR-064 takes.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct SoapRequest {
    std::string serviceType;  // "urn:dslforum-org:service:X_AVM-DE_OnTel:1"
    std::string action;       // "GetPhonebook"
    std::vector<std::pair<std::string, std::string>> arguments;

    // The SOAPACTION header's value: "serviceType#action".
    std::string SoapAction() const;
    // The envelope, UTF-8, argument values escaped.
    std::string Envelope() const;
};
