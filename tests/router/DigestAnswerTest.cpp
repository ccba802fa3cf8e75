// The Digest login as the Windows transport answers it: the challenge read,
// the answer composed. MD5 is the platform's; here a marker stands for it,
// so that what is hashed, and in which order, shows in the answer.
#include <gtest/gtest.h>

#include "DigestAnswer.h"

namespace {

std::string Marked(std::string_view text)
{
    return "<" + std::string(text) + ">";
}

TEST(DigestAnswer, ReadsTheChallengesABoxSends)
{
    const struct {
        const char* header;
        bool digest;
        const char* realm;
        const char* nonce;
        const char* opaque;
        bool qopAuth;
    } cases[] = {
        {R"(Digest realm="F!Box SOAP-Auth", nonce="A1B2", algorithm=MD5, qop="auth")", true, "F!Box SOAP-Auth", "A1B2", "",
         true},
        {R"(digest REALM="r", Nonce="n", opaque="o", qop="auth-int, auth")", true, "r", "n", "o", true},
        {R"(Digest realm="a \"quoted\" realm", nonce=n2)", true, "a \"quoted\" realm", "n2", "", false},
        {R"(Digest realm="r", nonce="n", algorithm=SHA-256, qop="auth")", false, "", "", "", false},
        {R"(Digest realm="r", qop="auth")", false, "", "", "", false},
        {R"(Basic realm="r")", false, "", "", "", false},
        {R"(Digest realm="unterminated, nonce="n")", false, "", "", "", false},
    };
    for (const auto& c : cases) {
        const std::optional<DigestChallenge> challenge = ReadDigestChallenge(c.header);
        ASSERT_EQ(challenge.has_value(), c.digest) << c.header;
        if (!challenge)
            continue;
        EXPECT_EQ(challenge->realm, c.realm) << c.header;
        EXPECT_EQ(challenge->nonce, c.nonce) << c.header;
        EXPECT_EQ(challenge->opaque, c.opaque) << c.header;
        EXPECT_EQ(challenge->qopAuth, c.qopAuth) << c.header;
    }
}

TEST(DigestAnswer, HashesWhatRfc7616Names)
{
    const DigestCredentials anna{"anna", "geheim"};
    const struct {
        DigestChallenge challenge;
        const char* expected;
    } cases[] = {
        {{"R", "N", "O", true},
         R"(Digest username="anna", realm="R", nonce="N", uri="/upnp/control/x_contact", algorithm=MD5, )"
         R"(qop=auth, nc=00000001, cnonce="C", )"
         R"(response="<<anna:R:geheim>:N:00000001:C:auth:<POST:/upnp/control/x_contact>>", opaque="O")"},
        {{"R", "N", "", false},
         R"(Digest username="anna", realm="R", nonce="N", uri="/upnp/control/x_contact", algorithm=MD5, )"
         R"(response="<<anna:R:geheim>:N:<POST:/upnp/control/x_contact>>")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DigestAuthorization(c.challenge, anna, "POST", "/upnp/control/x_contact", "C", &Marked), c.expected);
}

}  // namespace
