// SPDX-License-Identifier: MIT
// Spec Part 2.3: result formatting and output bases.
#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "engine_test_support.h"

namespace {

std::wstring format(double value, const NumberFormat& fmt, int max = 380) {
    std::wstring out;
    formatValue(value, out, max, fmt);
    return out;
}

// Spec 2.3: with "%.12f", 1e9 and 1e-9 themselves print in exponent notation; 0 prints fixed.
TEST(Part2_3_Formatting, FixedExponentBoundaries) {
    const NumberFormat fmt;
    EXPECT_EQ(format(1e9, fmt), L"1e+09");
    EXPECT_EQ(format(1e-9, fmt), L"1e-09");
    EXPECT_EQ(format(0, fmt), L"0");
    EXPECT_EQ(format(999999999.5, fmt), L"999999999.5");
    EXPECT_EQ(format(2.5e-9, fmt), L"0.0000000025");
    EXPECT_EQ(format(-1234.5, fmt), L"-1234.5");
}

// Spec 2.3: a maximum outside 1..384 writes nothing.
TEST(Part2_3_Formatting, MaximumOutsideRange) {
    const NumberFormat fmt;
    EXPECT_EQ(format(1, fmt, 0), L"");
    EXPECT_EQ(format(1, fmt, 385), L"");
    EXPECT_EQ(format(1, fmt, 384), L"1");
}

// Spec 2.3: "format short" uses "%.6f" and "%.4e".
TEST(Part2_3_Formatting, ShortFormat) {
    const NumberFormat fmt{NumberFormat::kFixed, L"%.6f", L"%.4e"};
    EXPECT_EQ(format(3.14159265, fmt), L"3.141593");
    EXPECT_EQ(format(1.5e10, fmt), L"1.5e+10");
}

// Spec 2.3: int mode: 7/2 gives 3..., 100/3 gives 33, -7/2 gives -3..., 4 gives 4.
TEST(Part2_3_Formatting, IntModeAppendsEllipsis) {
    Interpreter interpreter;
    ASSERT_TRUE(runLine(interpreter, L"format int").ok);
    EXPECT_EQ(runLine(interpreter, L"7/2").out, L"3...");
    EXPECT_EQ(runLine(interpreter, L"100/3").out, L"33");
    EXPECT_EQ(runLine(interpreter, L"-7/2").out, L"-3...");
    EXPECT_EQ(runLine(interpreter, L"4").out, L"4");
    EXPECT_EQ(runLine(interpreter, L"2*2").out, L"4");
    EXPECT_EQ(runLine(interpreter, L"11.5+0").out, L"11...");
    EXPECT_EQ(runLine(interpreter, L"12.5+0").out, L"12");
}

// Spec 2.3: output base 16: 255 gives 0xFF, -1 gives 0xFFFFFFFF, 2.5 stays decimal; base 2: 5 and 0.
TEST(Part2_3_Formatting, OutputBases) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    interpreter.outputBase = 16;
    EXPECT_EQ(runLine(interpreter, L"255").out, L"0xFF");
    EXPECT_EQ(runLine(interpreter, L"254+1").out, L"0xFF");
    EXPECT_EQ(runLine(interpreter, L"-1").out, L"0xFFFFFFFF");
    EXPECT_EQ(runLine(interpreter, L"2.5").out, L"2.5");
    EXPECT_EQ(runLine(interpreter, L"5/2").out, L"2.5");
    EXPECT_EQ(runLine(interpreter, L"0xFFFFFFFF").out, L"0xFFFFFFFF");
    interpreter.outputBase = 2;
    EXPECT_EQ(runLine(interpreter, L"5").out, L"0b101");
    EXPECT_EQ(runLine(interpreter, L"0").out, L"0b0");
    interpreter.outputBase = 8;
    EXPECT_EQ(runLine(interpreter, L"8").out, L"0o10");
    runLine(interpreter, L"format int");
    interpreter.outputBase = 16;
    EXPECT_EQ(runLine(interpreter, L"7/2").out, L"3...");
}

// Spec 2.3: formatInBase texts.
TEST(Part2_3_Formatting, FormatInBase) {
    EXPECT_EQ(formatInBase(0, 2), L"0b0");
    EXPECT_EQ(formatInBase(0, 8), L"0o0");
    EXPECT_EQ(formatInBase(0, 16), L"0x0");
    EXPECT_EQ(formatInBase(0, 10), L"");
    EXPECT_EQ(formatInBase(255, 16), L"0xFF");
    EXPECT_EQ(formatInBase(0xFFFFFFFFu, 2), L"0b" + std::wstring(32, L'1'));
    EXPECT_EQ(formatInBase(15, 8), L"0o17");
    EXPECT_EQ(formatInBase(5, 7), L"");
}

// Spec 2.3: "format ?" after "format short" answers single; after "format int" int; after "format auto" auto.
TEST(Part2_3_Formatting, FormatQuery) {
    Interpreter interpreter;
    EXPECT_EQ(runLine(interpreter, L"format ?").out, L"double");
    runLine(interpreter, L"format short");
    EXPECT_EQ(runLine(interpreter, L"format ?").out, L"single");
    runLine(interpreter, L"format int");
    EXPECT_EQ(runLine(interpreter, L"format ?").out, L"int");
    runLine(interpreter, L"format auto");
    EXPECT_EQ(runLine(interpreter, L"format?").out, L"auto");
    runLine(interpreter, L"format long");
    EXPECT_EQ(runLine(interpreter, L"format?").out, L"double");
}

}  // namespace
