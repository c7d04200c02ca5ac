// SPDX-License-Identifier: MIT
// Expression preprocessing: exponent letters, ans, base literals, factorials and bare constants.
#include <gtest/gtest.h>

#include "engine/preprocess.h"

namespace {

std::wstring pre(const std::wstring& text, LastAnswer ans = {}) {
    std::wstring copy = text;
    const int length = preprocessExpression(ans, copy);
    EXPECT_EQ(length, static_cast<int>(copy.size()));
    return copy;
}

TEST(Preprocess, RewritesTokens) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        // Exponent letters become upper case; exp(1) and a lone e stay.
        {L"1e5", L"1E5"}, {L"2e-3", L"2E-3"}, {L"3e+2", L"3E+2"}, {L"exp(1)", L"exp(1)"}, {L"e", L"e"},
        {L"2*e", L"2*e"}, {L"1.5e3", L"1.5E3"},
        // Base literals of at most 32 bits at token start.
        {L"0b101+1", L"5+1"}, {L"0x1f", L"31"}, {L"0o17", L"15"}, {L"0d19", L"19"}, {L"0b102", L"0b102"},
        {L"0o18", L"0o18"},
        {L"0x123456789", L"0x123456789"}, {L"0x12345678", L"305419896"}, {L"0xFFFFFFFF", L"4294967295"},
        {L"2*0x10", L"2*16"}, {L"a0x10", L"a0x10"},
        // Factorials of a digit run that starts at a delimiter.
        {L"5!", L"fact(5)"}, {L"x!", L"x!"}, {L"2.5!", L"2.5!"}, {L"2*10!+1", L"2*fact(10)+1"},
        {L"12345678901!", L"12345678901!"}, {L"3!*2", L"fact(3)*2"},
        // Constants without parentheses get "()".
        {L"2*pi", L"2*pi()"}, {L"pi(", L"pi("}, {L"_c*2", L"_c()*2"}, {L"pi", L"pi()"}, {L"_q", L"_q()"},
        {L"_z", L"_z"}, {L"pie", L"pie"}, {L"pi()", L"pi()"},
        // ans without a last answer stays.
        {L"ans*2", L"ans*2"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(pre(in), out) << in;
}

// ans becomes the %g text of the last answer at token start only; the text never grows past 383 characters.
TEST(Preprocess, LastAnswer) {
    const LastAnswer ans{3.14159265358979, true};
    EXPECT_EQ(pre(L"ans*2", ans), L"3.14159*2");
    EXPECT_EQ(pre(L"2ans", ans), L"2ans");
    EXPECT_EQ(pre(L"1+ans", ans), L"1+3.14159");
    EXPECT_EQ(pre(L"answer", ans), L"answer");
    EXPECT_EQ(pre(L"ans", LastAnswer{1e6, true}), L"1E+06");
    std::wstring text;
    for (int i = 0; i < 80; ++i) text += L"ans+";
    EXPECT_LE(pre(text + L"1", LastAnswer{-1.23456789e-300, true}).size(), 383u);
    EXPECT_EQ(pre(std::wstring(400, L'1')), std::wstring(383, L'1'));  // a longer text is cut first
    // A constant's "()" is left out where it would not fit.
    const std::wstring full = std::wstring(375, L'1') + L"+pi+111";
    EXPECT_EQ(pre(full), full);
    EXPECT_EQ(pre(full.substr(1)), full.substr(1, 375) + L"pi()+111");
}

TEST(Preprocess, DigitsAndDelimiters) {
    EXPECT_TRUE(isBaseDigit(L'1', 2) && isBaseDigit(L'7', 8) && isBaseDigit(L'F', 16) && isBaseDigit(L'a', 16));
    EXPECT_FALSE(isBaseDigit(L'2', 2) || isBaseDigit(L'8', 8) || isBaseDigit(L'a', 10));
    EXPECT_EQ(parseInBase(L"ff", 16), 255u);
    EXPECT_EQ(parseInBase(L"FFFFFFFF", 16), 0xFFFFFFFFu);
    EXPECT_EQ(parseInBase(L"100000000", 16), 0u);
    EXPECT_EQ(parseInBase(L"12", 2), 0u);
    EXPECT_TRUE(isDelimiter(L'\0') && isDelimiter(L'~'));
    EXPECT_FALSE(isDelimiter(L',') || isDelimiter(L'='));
}

}  // namespace
