// SPDX-License-Identifier: MIT
// The command interpreter behind evaluateLine: entry checks, commands, expressions and their messages.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace {

// The longest line is 379 characters; a line of blanks passes as the plain number 0 and sets the last answer.
TEST(Interpreter, EntryChecksAndComments) {
    Interpreter interpreter;
    const std::wstring longest = L"1" + std::wstring(378, L' ');
    const std::wstring tooLong = longest + L" ";
    // An expression holds at most 250 characters besides blanks, with or without a name to assign.
    std::wstring terms = L"10";
    while (terms.size() < 250) terms += L"+1";
    const std::wstring assigned = L"a=" + terms, assignedTooLong = assigned + L"+1";
    expectLines(interpreter, {{L"", L"   ! empty expression", false},
                              {L";", L"   ! empty expression", false},
                              {L"1+\"2\"", L"   ! expression contains \"", false},
                              {L"# comment only", L"   ! empty expression", false},
                              {L"1+2;", L"3", true},
                              {L"1+2 # sum", L"3", true},
                              {L"#1", L"   ! invalid expression", false},  // too short to hold a comment
                              {longest.c_str(), L"1", true},
                              {tooLong.c_str(), L"   ! expression too long", false},
                              {L"5+5", L"10", true},
                              {L"     ", L"", true},
                              {L"\t\r\n", L"", true},
                              {L"4\t* 2\r\n", L"8", true},  // tabs and line ends are blanks as well
                              {assigned.c_str(), L"134", true},
                              {assignedTooLong.c_str(), L"   ! expression too long", false},
                              {(terms + L"+1").c_str(), L"   ! expression too long", false},
                              {L"0", L"0", true}});
    EXPECT_EQ(interpreter.ansValue, 0);
    EXPECT_TRUE(interpreter.ansSet);
}

// Commands in any case; a leading blank is not a command. The window commands reach the main window.
TEST(Interpreter, Commands) {
    Interpreter interpreter;
    RecordingWindow window;
    interpreter.setWindowCommands(&window);
    expectLines(interpreter, {{L"Format Long", L"done.", true},
                              {L"CLS", L"", true},
                              {L"a=1", L"1", true},
                              {L"Set?", L"a", true},
                              {L" cls", L"   ! invalid expression", false},
                              {L"version", L"Version 1.8 Build 2104", true},
                              {L"release", L"Version 1.8 Build 2104", true},
                              {L"stop", L"done.", true},
                              {L"help", L"done.", true},
                              {L"save", L"done.", true},
                              {L"clear", L"", true},
                              {L"quit", L"", true},
                              {L"exit", L"", true},
                              {L"iter ?", L"4096", true},
                              {L"iter?", L"4096", true},
                              {L"tol?", L"1e-06", true},
                              {L"format?", L"double", true},
                              {L"reset", L"done.", true}});
    EXPECT_EQ(window.clears, 2);
    EXPECT_EQ(window.helps, 1);
    EXPECT_EQ(window.saves, 1);
    EXPECT_EQ(window.shutdowns, 2);
    EXPECT_FALSE(runLine(interpreter, L"author").out.empty());
    // Without a main window they do nothing but still answer.
    Interpreter bare;
    expectLines(bare, {{L"cls", L"", true}, {L"help", L"done.", true}, {L"save", L"done.", true}, {L"exit", L"", true}});
}

// "3.50" shows its own text in every mode and base; whole numbers follow the output base; -5 is an expression.
TEST(Interpreter, PlainNumbersShowTheirOwnText) {
    Interpreter interpreter;
    EXPECT_EQ(runLine(interpreter, L"3.50").out, L"3.50");
    interpreter.format.mode = NumberFormat::kInt;
    EXPECT_EQ(runLine(interpreter, L"3.50").out, L"3.50");
    interpreter.format.mode = NumberFormat::kAuto;
    const Reply r = runLine(interpreter, L"3.50");
    EXPECT_EQ(r.out, L"3.50");
    EXPECT_DOUBLE_EQ(r.value, 3.5);
    EXPECT_DOUBLE_EQ(interpreter.ansValue, 3.5);
    interpreter.outputBase = 16;
    expectLines(interpreter, {{L"255", L"0xFF", true}, {L"3.50", L"3.50", true}});
    interpreter.outputBase = 10;
    EXPECT_DOUBLE_EQ(runLine(interpreter, L"-5").value, -5);
    expectLines(interpreter, {{L"-5", L"-5", true}, {L"09.90", L"09.90", true}, {L"0.0", L"0.0", true}});
}

// Expressions go through the math library with the 26 variables; ans, bases, "!" and constants are rewritten.
TEST(Interpreter, ExpressionsAndFailures) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    expectLines(interpreter, {{L"ans", L"   ! ans not set", false},
                              {L"set?", L"   ! variable not set", false},
                              {L"q", L"   ! variable not set", false},
                              {L"1+", L"   ! invalid expression", false},
                              {L"1,5", L"   ! invalid expression", false},
                              {L"2a", L"   ! invalid expression", false},
                              {L"abcdefghijklmnopq=1", L"   ! variable name too long", false},
                              {L"pi=3", L"   ! name reserved", false},
                              {L"2a=1", L"   ! invalid variable name", false},
                              {L"1/0", L"inf", true},
                              {L"1+2*3", L"7", true},
                              {L"-2^2", L"-4", true},
                              {L"2^3^2", L"512", true},
                              {L"7%3", L"1", true},
                              {L"0.1+0.2", L"0.3", true},
                              {L"1/3", L"0.333333333333333", true},
                              {L"sqrt(16)+abs(-2)", L"6", true},
                              {L"5!", L"120", true},
                              {L"0x1f+0b101", L"36", true},
                              {L"2*pi", L"6.28318530717959", true},
                              {L"ans/2", L"3.141595", true},
                              {L"1e3+1", L"1001", true},
                              {L"SQRT(4)", L"2", true},
                              // A second "=" cancels the assignment: "a==b" compares.
                              {L"a=2", L"2", true},
                              {L"b=2", L"2", true},
                              {L"a==b", L"1", true},
                              {L"b=3", L"3", true},
                              {L"a==b", L"0", true}});
}

// The arrow form solves over the current a and b.
TEST(Interpreter, ArrowSolvesOverAAndB) {
    Interpreter interpreter;
    runLine(interpreter, L"a=0");
    runLine(interpreter, L"b=3");
    const Reply r = runLine(interpreter, L"x^2-2->0");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out.rfind(L"x = 1.41421", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(L"   y = "), std::wstring::npos);
    EXPECT_NEAR(r.value, 1.4142135623730951, 1e-5);
}

// deg, rad and grad switch the unit of every angle function and say so; radians are the start and stay as they
// were. The notice is a confirmation, shown in verbose mode only; "angle?" always answers.
TEST(Interpreter, AngleUnits) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    expectLines(interpreter, {{L"sin(90)", L"0.893996663600558", true},
                              {L"angle?", L"radians", true},
                              {L"Deg", L"angles in degrees", true},
                              {L"sin(90)", L"1", true},
                              {L"sin(30)+cos(60)+tan(45)", L"2", true},
                              {L"cos(90)", L"0", true},
                              {L"asin(1)+acos(0)+atan(1)+atan2(1,1)", L"270", true},
                              {L"cot(45)*sec(60)*csc(30)", L"4", true},
                              {L"a=asin(0.5)", L"30", true},
                              {L"degrees(pi)+radians(180)", L"183.14159265359", true},  // explicit units stay
                              {L"sinh(1)", L"1.1752011936438", true},
                              {L"angle ?", L"degrees", true},
                              {L"grad", L"angles in gradians", true},
                              {L"cos(200)", L"-1", true},
                              {L"atan(1)", L"50", true},
                              {L"x^2-sin(100)->0", L"x = 1   y = 0", true},
                              {L"RAD", L"angles in radians", true},
                              {L"sin(90)", L"0.893996663600558", true},
                              {L"deg=1", L"   ! name reserved", false}});
    EXPECT_EQ(interpreter.angleUnit(), AngleUnit::Radians);
    interpreter.verbose = false;
    expectLines(interpreter, {{L"deg", L"", true}, {L"angle?", L"degrees", true}, {L"cos(180)", L"-1", true}});
    // reset empties the variables and functions, not the modes.
    expectLines(interpreter, {{L"reset", L"", true}, {L"angle?", L"degrees", true}});
}

// Whole-number functions refuse fractions and bit operands beyond 64 bits with their own message; an
// assignment of such a value is refused and writes nothing.
TEST(Interpreter, WholeNumberMessages) {
    Interpreter interpreter;
    expectLines(interpreter, {{L"gcd(12,8)+lcm(4,6)+ncr(5,2)", L"26", true},
                              {L"band(12,10)+shl(1,4)", L"24", true},
                              {L"band(1.5,2)", L"   ! whole numbers expected", false},
                              {L"shl(1,64)", L"   ! number out of 64-bit range", false},
                              {L"q=ncr(4.5,2)", L"   ! whole numbers expected", false},
                              {L"set?", L"   ! variable not set", false},
                              {L"gcd(0.5,1)+1/0", L"   ! whole numbers expected", false},
                              {L"1/0", L"inf", true}});
}

// With verbose off nothing is shown and failures still return false, except "set?" with no variable in use.
TEST(Interpreter, VerboseOff) {
    Interpreter interpreter;
    interpreter.verbose = false;
    expectLines(interpreter, {{L"format auto", L"", true}, {L"1+", L"", false}, {L"2*3", L"6", true}, {L"set?", L"", true}});
}

// A null out returns false at once; the value is 0 for commands; the caller's format is used in auto mode only
// and only when it converts one double.
TEST(Interpreter, OutValueAndCallerFormat) {
    Interpreter interpreter;
    EXPECT_FALSE(interpreter.evaluateLine(L"1+2", nullptr));
    double value = 7;
    std::wstring out;
    EXPECT_TRUE(interpreter.evaluateLine(L"version", &out, &value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(interpreter.evaluateLine(L"2^10", &out, &value));
    EXPECT_EQ(value, 1024);
    interpreter.format.mode = NumberFormat::kAuto;
    const std::wstring format = L"%.3f", unsafe = L"%s";
    EXPECT_TRUE(interpreter.evaluateLine(L"1/4", &out, nullptr, &format));
    EXPECT_EQ(out, L"0.25");
    EXPECT_TRUE(interpreter.evaluateLine(L"1/4", &out, nullptr, &unsafe));
    EXPECT_EQ(out, L"0.25");
}

// Bad input never crashes or hangs: random lines from the language's characters, run under the sanitizers too.
TEST(Interpreter, RandomLinesNeverCrash) {
    const std::wstring alphabet = L"0123456789.+-*/^%()=<>!&|?:,;#'\" _abcxyzpiensolvtqAB\t";
    const std::wstring words[] = {L"plot(", L"solve(", L"ans", L"0x", L"0b", L"->0", L"sin(", L"pi", L"_c",
                                  L"unset ", L"set?", L"format ", L"tol=", L"iter=", L"speed=", L"fact(",
                                  L"f(x)=", L"g(a,b)=", L"f(", L"g(", L"deg", L"grad", L"fun?", L"band(", L"shl("};
    Interpreter interpreter;
    RecordingPlotHost plots;
    interpreter.setPlotHost(&plots);
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    std::wstring out;
    for (int n = 0; n < 20000; ++n) {
        std::wstring line;
        const unsigned length = next() % 40;
        for (unsigned i = 0; i < length; ++i)
            line += next() % 6 == 0 ? words[next() % std::size(words)] : std::wstring(1, alphabet[next() % alphabet.size()]);
        interpreter.format.mode = static_cast<int>(next() % 3 == 0 ? 9 : next() % 2);
        interpreter.outputBase = (next() % 4 == 0) ? 16 : 10;
        interpreter.evaluateLine(line, &out);
        ASSERT_LE(out.size(), 383u) << std::string(line.begin(), line.end());
        if (interpreter.param().getMaxiter() > 100000 || interpreter.param().getMaxiter() < 1)
            interpreter.param().setMaxiter(4096);  // keep random iter= assignments from slowing the run
        for (const auto& call : plots.calls) ASSERT_LE(call.points, 131072);
        plots.calls.clear();
    }
}

}  // namespace
