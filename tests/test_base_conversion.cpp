// SPDX-License-Identifier: MIT
// The base converter's table and readings, without a window.
#include <string>

#include <gtest/gtest.h>

#include "tools/base_conversion.h"

namespace {

enum { B, O, D, H };  // list indexes: binary, octal, decimal, hexadecimal

BaseResult convert(int source, int target, const std::wstring& text) {
    return convertBaseText(source, target, text, maxDigitsOf(kBases[source]));
}

const std::wstring kOnes32(32, L'1');

// Every cell of the 4 x 4 table, and each way a conversion fails; "pink" is the marked input field.
TEST(BaseConversion, TableCellsAndFailures) {
    const struct {
        int source, target;
        std::wstring input, result;
        bool pink;
    } rows[] = {
        {B, B, L"0011", L"0011", false},  // equal bases copy the text as typed
        {B, O, L"1100", L"14", false},
        {B, D, kOnes32, L"4294967295", false},
        {B, H, kOnes32, L"FFFFFFFF", false},
        {B, O, kOnes32, L"37777777777", false},
        {B, H, L"0000", L"0", false},
        {B, D, L"FF", L"", true},  // after a switch of the source base from hexadecimal
        {O, B, L"17", L"1111", false},
        {O, O, L"007", L"007", false},
        {O, D, L"007", L"7", false},
        {O, H, L"37777777777", L"FFFFFFFF", false},
        {O, D, L"40000000000", L"Overflow", true},
        {O, H, L"9", L"", true},
        {D, B, L"13", L"1101", false},
        {D, B, L"0", L"0", false},
        {D, O, L"255", L"377", false},
        {D, D, L"-12", L"-12", false},
        {D, H, L"255", L"FF", false},
        {D, H, L"4294967295", L"FFFFFFFF", false},  // unsigned 32-bit reading
        {D, H, L"2147483648", L"80000000", false},
        {D, H, L"4294967296", L"Overflow", true},
        {D, O, L"99999999999", L"Overflow", true},  // 11 digits against 10
        {D, H, L"-5", L"Overflow", true},           // pasted
        {D, B, L" +7", L"111", false},              // C rules: leading blanks and a sign
        {D, B, L"7 ", L"", true},
        {D, B, L"-", L"", true},
        {D, B, L"1e3", L"", true},
        {H, B, L"FFFFFFFF", kOnes32, false},
        {H, B, L"ff", L"11111111", false},
        {H, O, L"aB", L"253", false},
        {H, D, L"ff", L"255", false},
        {H, H, L"ff", L"ff", false},
        {H, D, kOnes32, L"Overflow", true},  // 32 characters against 8
        {H, D, L"0000000FF", L"255", false},  // leading zeros do not count
        {H, O, L"fg", L"", true},
        {H, B, L"", L"", false},
        {O, B, std::wstring(10000, L'7'), L"Overflow", true},  // a pasted long text
        {B, O, std::wstring(9999, L'0') + L"1", L"1", false},
    };
    for (const auto& row : rows) {
        const BaseResult result = convert(row.source, row.target, row.input);
        const std::string input(row.input.begin(), row.input.begin() + std::min<std::size_t>(row.input.size(), 40));
        EXPECT_EQ(result.text, row.result) << input;
        EXPECT_EQ(result.markError, row.pink) << input;
    }
}

// Readings on their own: the sum is checked after every digit, so long texts end early without wrapping.
TEST(BaseConversion, ReadingsStopAtTheFirstFault) {
    const struct {
        std::wstring text;
        int base;
        BaseReading::Outcome outcome;
        std::uint32_t value;
    } rows[] = {
        {L"1" + std::wstring(99, L'0'), 2, BaseReading::kOverflow, 0},
        {std::wstring(40, L'f'), 16, BaseReading::kOverflow, 0},
        {L"1" + std::wstring(40, L'0') + L"2", 2, BaseReading::kOverflow, 0},  // overflow found first
        {L"12", 2, BaseReading::kInvalid, 0},
        {L"100000000", 16, BaseReading::kOverflow, 0},
        {L"7fffffff", 16, BaseReading::kValue, 2147483647u},
        {L"000", 8, BaseReading::kValue, 0},
    };
    for (const auto& row : rows) {
        const BaseReading reading = ParseDigits(row.text, row.base);
        EXPECT_EQ(reading.outcome, row.outcome) << row.text.size();
        EXPECT_EQ(reading.value, row.value) << row.text.size();
    }
    EXPECT_EQ(ReadDecimal(L"99999999999999999999999").outcome, BaseReading::kOverflow);
    EXPECT_EQ(ReadDecimal(L"-99999999999999999999999").outcome, BaseReading::kOverflow);
    EXPECT_EQ(ReadDecimal(L"").outcome, BaseReading::kInvalid);
}

}  // namespace
