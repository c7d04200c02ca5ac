// SPDX-License-Identifier: MIT
// Result formatting: the fixed and exponent formats, int mode, output bases and "format ?".
#include <gtest/gtest.h>

#include <cmath>

#include "engine/number_format.h"
#include "engine_test_support.h"

namespace {

std::wstring format(double value, const NumberFormat& fmt, int max = 380) {
    std::wstring out;
    formatValue(value, out, max, fmt);
    return out;
}

// 1e9 and 1e-9 themselves print in exponent notation, 0 in fixed; a maximum outside 1..384 writes nothing.
TEST(Formatting, FixedOrExponentFormat) {
    const NumberFormat fmt, shortFmt{NumberFormat::kFixed, L"%.6f", L"%.4e"};
    const std::pair<double, const wchar_t*> cases[] = {{1e9, L"1e+09"},        {1e-9, L"1e-09"},
                                                       {0, L"0"},              {999999999.5, L"999999999.5"},
                                                       {2.5e-9, L"0.0000000025"}, {-1234.5, L"-1234.5"}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(format(value, fmt), expected) << value;
    EXPECT_EQ(format(3.14159265, shortFmt), L"3.141593");
    EXPECT_EQ(format(1.5e10, shortFmt), L"1.5e+10");
    EXPECT_EQ(format(1, fmt, 0), L"");
    EXPECT_EQ(format(1, fmt, 385), L"");
    EXPECT_EQ(format(1, fmt, 384), L"1");
}

// Int mode cuts the fraction and marks it with "..." below 12 only; output bases show whole numbers
// (32 bits, two's complement for negatives) and leave fractions decimal.
TEST(Formatting, IntModeAndOutputBases) {
    Interpreter interpreter;
    expectLines(interpreter, {{L"format int", L"done.", true}, {L"7/2", L"3...", true},     {L"100/3", L"33", true},
                              {L"-7/2", L"-3...", true},       {L"4", L"4", true},          {L"2*2", L"4", true},
                              {L"11.5+0", L"11...", true},     {L"12.5+0", L"12", true},
                              {L"3+2^-51", L"3", true},        {L"-3-2^-51", L"-3", true}});  // rounding, no fraction
    interpreter.outputBase = 16;
    expectLines(interpreter, {{L"7/2", L"3...", true}, {L"format auto", L"done.", true}, {L"255", L"0xFF", true},
                              {L"254+1", L"0xFF", true}, {L"-1", L"0xFFFFFFFF", true}, {L"2.5", L"2.5", true},
                              {L"5/2", L"2.5", true},  {L"0xFFFFFFFF", L"0xFFFFFFFF", true},
                              {L"-2^31", L"0x80000000", true}, {L"-2^31-1", L"-2147483649", true},
                              {L"2^32", L"4294967296", true}});  // beyond 32 bits the number stays decimal
    interpreter.outputBase = 2;
    expectLines(interpreter, {{L"5", L"0b101", true}, {L"0", L"0b0", true}});
    interpreter.outputBase = 8;
    expectLines(interpreter, {{L"8", L"0o10", true}});
    const std::pair<std::pair<std::uint32_t, int>, std::wstring> bases[] = {
        {{0, 2}, L"0b0"},     {{0, 8}, L"0o0"},   {{0, 16}, L"0x0"}, {{0, 10}, L""},
        {{255, 16}, L"0xFF"}, {{0xFFFFFFFFu, 2}, L"0b" + std::wstring(32, L'1')}, {{15, 8}, L"0o17"}, {{5, 7}, L""}};
    for (const auto& [in, expected] : bases) EXPECT_EQ(formatInBase(in.first, in.second), expected) << in.first;
}

// In auto mode a caller's printf format is used when it holds exactly one conversion of a double and fewer
// than 64 characters; any other falls back to the automatic notation. Text beyond the buffer is dropped.
TEST(Formatting, CallersFormatOnlyWhenSafe) {
    const NumberFormat autoFmt{NumberFormat::kAuto};
    const std::wstring longest = L"%.3f" + std::wstring(59, L'_');
    const struct {
        std::wstring format;
        double value;
        int max;
        std::wstring expected;
    } rows[] = {
        {L"%.3f", 3.14159, 380, L"3.142"},
        {L"v=%+.2f!", 1.5, 380, L"v=+1.5!"},
        {L"%%%.1lf", 1.74, 380, L"%1.7"},
        {L"%05.1f|%%", 2.5, 380, L"002.5|%"},
        {L"%-6.1f|", 2.5, 380, L"2.5   |"},
        {L"%8.2e", 12345, 380, L"1.23e+04"},
        {L"%a", 2.5, 380, L"0x1.4p+1"},
        {L"%f", -std::nan(""), 380, L"nan"},
        {L"%.3f", 3.14159, 3, L"3.1"},
        {longest, 2, 380, L"2" + std::wstring(59, L'_')},
        {longest + L"_", 2.5, 380, L"2.5"},
        {L"%1023f", 1, 380, std::wstring(380, L' ')},
        {L"%1024f", 1, 380, L""},
        {L"%d", 2.5, 380, L"2.5"},
        {L"%s", 2.5, 380, L"2.5"},
        {L"%.3f%.3f", 2.5, 380, L"2.5"},
        {L"plain", 2.5, 380, L"2.5"},
        {L"%", 2.5, 380, L"2.5"},
        {L"%.3", 2.5, 380, L"2.5"},
        {L"%l", 2.5, 380, L"2.5"},
    };
    for (const auto& row : rows) {
        std::wstring out = L"stale";
        formatResult(row.value, out, row.max, autoFmt, &row.format);
        EXPECT_EQ(out, row.expected) << row.format;
    }
    // The other notations keep their own formats.
    std::wstring out;
    const std::wstring caller = L"%.3f";
    formatResult(3.14159, out, 380, NumberFormat{}, &caller);
    EXPECT_EQ(out, L"3.14159");
    // Through the interpreter an auto reply may fill the whole line, 383 characters; the others stop at 380.
    Interpreter interpreter;
    const std::wstring wide = L"%390.1f";
    interpreter.format.mode = NumberFormat::kAuto;
    interpreter.evaluateLine(L"2.5+0", &out, nullptr, &wide);
    EXPECT_EQ(out.size(), 383u);
    interpreter.format.mode = NumberFormat::kFixed;
    interpreter.format.fixedFormat = wide;
    interpreter.evaluateLine(L"2.5+0", &out);
    EXPECT_EQ(out.size(), 380u);
}

TEST(Formatting, FormatQueryNamesTheMode) {
    Interpreter interpreter;
    expectLines(interpreter, {{L"format ?", L"double", true}, {L"format short", L"done.", true},
                              {L"format ?", L"single", true}, {L"format int", L"done.", true},
                              {L"format ?", L"int", true},    {L"format auto", L"done.", true},
                              {L"format?", L"auto", true},    {L"format long", L"done.", true},
                              {L"format?", L"double", true}});
}

}  // namespace
