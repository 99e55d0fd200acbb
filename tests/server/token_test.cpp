// Session tokens: only what the key signed, unexpired, names an operator.
#include "server/auth/token.h"

#include <gtest/gtest.h>

namespace {

using auth::TokenSigner;

TEST(TokenSigner, GivesBackTheOperatorItSigned) {
    const TokenSigner signer("key");
    const QByteArray token = signer.Issue("OPER:COM:DOIS", std::chrono::minutes(5));
    EXPECT_EQ(signer.Verify(token.toStdString()), QString("OPER:COM:DOIS"));
}

class TokenRefusalTest : public testing::TestWithParam<std::string> {};

TEST_P(TokenRefusalTest, NamesNobody) {
    EXPECT_FALSE(TokenSigner("key").Verify(GetParam()).has_value());
}

std::string Tampered() {
    std::string token = TokenSigner("key").Issue("ADMIN", std::chrono::minutes(5)).toStdString();
    token[2] = token[2] == 'A' ? 'B' : 'A'; // inside the payload
    return token;
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, TokenRefusalTest,
    testing::Values(
        "", ".", "abc", "a.b.c", "!!!.???", std::string(600, 'a') + ".b",
        TokenSigner("key").Issue("ADMIN", std::chrono::seconds(-1)).toStdString(),
        TokenSigner("other").Issue("ADMIN", std::chrono::minutes(5)).toStdString(), Tampered(),
        // A well-signed payload of another format.
        [] {
            const std::string t =
                TokenSigner("key").Issue("ADMIN", std::chrono::minutes(5)).toStdString();
            return t.substr(t.find('.'));
        }()));

} // namespace
