// What the box answers, read with the platform's XML parser.
#include <gtest/gtest.h>

#include "RouterAddress.h"
#include "Tr64Answers.h"

namespace {

const char* const kEnvelope = R"(<?xml version="1.0"?>
<s:Envelope xmlns:s="http://schemas.xmlsoap.org/soap/envelope/" s:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body>%s</s:Body></s:Envelope>)";

std::string InEnvelope(const std::string& body)
{
    std::string text = kEnvelope;
    return text.replace(text.find("%s"), 2, body);
}

std::string Fault(const std::string& code)
{
    return InEnvelope("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
                      "<UPnPError xmlns=\"urn:dslforum-org:control-1-0\"><errorCode>" +
                      code + "</errorCode><errorDescription>x</errorDescription></UPnPError></detail></s:Fault>");
}

TEST(Tr64Answers, ReadsSoapAnswersAndFaults)
{
    const std::string response =
        "<u:GetPhonebookResponse xmlns:u=\"urn:dslforum-org:service:X_AVM-DE_OnTel:1\">"
        "<NewPhonebookName>Telefonbuch</NewPhonebookName>"
        "<NewPhonebookURL>http://fritz.box:49000/phonebook.lua?sid=5f&amp;pbid=0</NewPhonebookURL>"
        "</u:GetPhonebookResponse>";
    const struct {
        std::string answer;
        bool soap;
        int upnpError;
        const char* url;
    } cases[] = {
        {InEnvelope(response), true, 0, "http://fritz.box:49000/phonebook.lua?sid=5f&pbid=0"},
        {Fault("606"), true, 606, ""},
        {Fault("713"), true, 713, ""},
        {Fault("seven"), false, 0, ""},
        {InEnvelope(""), false, 0, ""},
        {InEnvelope(response + response), false, 0, ""},
        {InEnvelope(response + "<s:Fault/>"), false, 0, ""},
        {"<html><body>FRITZ!Box</body></html>", false, 0, ""},
        {InEnvelope(response).substr(0, 200), false, 0, ""},
        {"<!DOCTYPE x [<!ENTITY a \"b\">]>" + InEnvelope(response), false, 0, ""},
    };
    for (const auto& c : cases) {
        const std::optional<SoapAnswer> answer = ReadSoapAnswer(c.answer);
        ASSERT_EQ(answer.has_value(), c.soap) << c.answer;
        if (!answer)
            continue;
        EXPECT_EQ(answer->upnpError, c.upnpError) << c.answer;
        const auto url = answer->arguments.find("NewPhonebookURL");
        EXPECT_EQ(url == answer->arguments.end() ? "" : url->second, c.url) << c.answer;
    }
}

TEST(Tr64Answers, FindsTheServicesAndTheLastUser)
{
    const std::string description =
        "<root xmlns=\"urn:dslforum-org:device-1-0\"><device><serviceList>"
        "<service><serviceType>urn:dslforum-org:service:DeviceInfo:1</serviceType>"
        "<controlURL>/upnp/control/deviceinfo</controlURL></service>"
        "<service><serviceType>urn:dslforum-org:service:X_AVM-DE_OnTel:1</serviceType>"
        "<controlURL>/upnp/control/x_contact</controlURL></service>"
        "</serviceList></device></root>";
    EXPECT_EQ(FindControlUrl(description, "urn:dslforum-org:service:X_AVM-DE_OnTel:1").value_or(""),
              "/upnp/control/x_contact");
    EXPECT_EQ(FindControlUrl(description, "urn:dslforum-org:service:DeviceInfo:1").value_or(""),
              "/upnp/control/deviceinfo");
    EXPECT_FALSE(FindControlUrl(description, "urn:dslforum-org:service:LANConfigSecurity:1"));
    EXPECT_FALSE(FindControlUrl("<html>", "urn:dslforum-org:service:DeviceInfo:1"));

    const struct {
        const char* list;
        const char* user;  // null: none
    } users[] = {
        {R"(<List><Username last_user="0">admin</Username><Username last_user="1">telefonbuch</Username></List>)",
         "telefonbuch"},
        {R"(<List><Username last_user="0">admin</Username></List>)", nullptr},
        {R"(<List><Username last_user="1">M&#xFC;ller</Username></List>)", "M\xC3\xBCller"},
        {"kein XML", nullptr},
    };
    for (const auto& u : users) {
        const std::optional<std::string> user = LastUser(u.list);
        EXPECT_EQ(user.has_value(), u.user != nullptr) << u.list;
        if (user && u.user) {
            EXPECT_EQ(*user, u.user);
        }
    }
}

TEST(RouterAddress, TakesWhatTheUserMayType)
{
    const struct {
        const char* text;
        bool valid;
        bool https;
        const char* host;
        int port;
    } cases[] = {
        {"fritz.box", true, false, "fritz.box", 0},
        {"192.168.178.1:49000", true, false, "192.168.178.1", 49000},
        {"http://fritz.box/", true, false, "fritz.box", 0},
        {"https://fritz.box:49443", true, true, "fritz.box", 49443},
        {"https://[fd00::1]:443", true, true, "fd00::1", 443},
        {"", false, false, "", 0},
        {"ftp://fritz.box", false, false, "", 0},
        {"fritz.box:0", false, false, "", 0},
        {"fritz.box:65536", false, false, "", 0},
        {"fritz.box:", false, false, "", 0},
        {"fritz.box/pfad", false, false, "", 0},
        {"user@fritz.box", false, false, "", 0},
    };
    for (const auto& c : cases) {
        const std::optional<RouterAddress> address = ParseRouterAddress(c.text);
        ASSERT_EQ(address.has_value(), c.valid) << c.text;
        if (!address)
            continue;
        EXPECT_EQ(address->https, c.https) << c.text;
        EXPECT_EQ(address->host, c.host) << c.text;
        EXPECT_EQ(address->port, c.port) << c.text;
    }
    // Only the path and query of the box's phonebook URL are fetched.
    EXPECT_EQ(PathAndQuery("http://fritz.box:49000/phonebook.lua?sid=5f&pbid=0"), "/phonebook.lua?sid=5f&pbid=0");
    EXPECT_EQ(PathAndQuery("https://evil.example/x#frag"), "/x");
    EXPECT_EQ(PathAndQuery("/relative"), "");
    EXPECT_EQ(PathAndQuery("http://fritz.box/a b"), "");
    EXPECT_EQ(PathAndQuery("http://fritz.box/a\r\nX: y"), "");
}

}  // namespace
