#include "SoapRequest.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string SoapRequest::SoapAction() const
{
    return serviceType + "#" + action;
}

std::string SoapRequest::Envelope() const
{
    std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                       "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                       "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body>";
    body += "<u:" + action + " xmlns:u=\"" + Escaped(serviceType) + "\">";
    for (const auto& [name, value] : arguments)
        body += "<" + name + ">" + Escaped(value) + "</" + name + ">";
    body += "</u:" + action + "></s:Body></s:Envelope>\n";
    return body;
}
