// SPDX-License-Identifier: MIT
// Spec Part 2.1: the command interpreter, through DelvoApp's engine (evaluateLine).
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace {

struct Case {
    const wchar_t* line;
    const wchar_t* out;
    bool ok;
};

class Part2_1_Interpreter : public ::testing::Test {
protected:
    Reply run(const std::wstring& line) { return runLine(interpreter, line); }
    Interpreter interpreter;
};

// Spec 2.1: the entry checks and messages.
TEST_F(Part2_1_Interpreter, EntryChecks) {
    const Case cases[] = {
        {L"", L"   ! empty expression", false},
        {L";", L"   ! empty expression", false},
        {L"1+\"2\"", L"   ! expression contains \"", false},
        {L"# comment only", L"   ! empty expression", false},
        {L"1+2", L"3", true},
        {L"1+2;", L"3", true},
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_EQ(r.out, c.out) << c.line;
        EXPECT_EQ(r.ok, c.ok) << c.line;
    }
}

// Spec 2.1: a line of exactly 379 characters is accepted; 380 characters give "expression too long".
TEST_F(Part2_1_Interpreter, LineLengthLimit) {
    const std::wstring accepted = L"1" + std::wstring(378, L' ');
    ASSERT_EQ(accepted.size(), 379u);
    Reply r = run(accepted);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"1");
    r = run(accepted + L" ");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! expression too long");
}

// Spec 2.1: a line of blanks only passes as the plain number 0: empty output, last answer 0, true.
TEST_F(Part2_1_Interpreter, BlankLineIsPlainZero) {
    run(L"5+5");
    ASSERT_TRUE(interpreter.ansSet);
    const Reply r = run(L"     ");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(interpreter.ansValue, 0);
    EXPECT_TRUE(interpreter.ansSet);
}

// Spec 2.1: "1+2 # sum" evaluates "1+2 "; the two-character line "#1" is not a comment.
TEST_F(Part2_1_Interpreter, Comments) {
    Reply r = run(L"1+2 # sum");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"3");
    r = run(L"#1");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid expression");
}

// Spec 2.1: commands in any case; a leading blank is not a command.
TEST_F(Part2_1_Interpreter, CommandsIgnoreCase) {
    RecordingWindow window;
    interpreter.setWindowCommands(&window);
    Reply r = run(L"Format Long");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"done.");
    r = run(L"CLS");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(window.clears, 1);
    run(L"a=1");
    r = run(L"Set?");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"a");
    r = run(L" cls");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid expression");
    EXPECT_EQ(window.clears, 1);
}

// Spec 2.1: the fixed command table.
TEST_F(Part2_1_Interpreter, FixedCommands) {
    RecordingWindow window;
    interpreter.setWindowCommands(&window);
    const Case cases[] = {
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
        {L"reset", L"done.", true},
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_EQ(r.out, c.out) << c.line;
        EXPECT_EQ(r.ok, c.ok) << c.line;
    }
    EXPECT_EQ(window.helps, 1);
    EXPECT_EQ(window.saves, 1);
    EXPECT_EQ(window.clears, 1);
    EXPECT_EQ(window.shutdowns, 2);
    EXPECT_FALSE(run(L"author").out.empty());
}

// Spec 2.1: without a main window the window commands do nothing but still answer.
TEST_F(Part2_1_Interpreter, WindowCommandsWithoutWindow) {
    EXPECT_EQ(run(L"cls").out, L"");
    EXPECT_EQ(run(L"help").out, L"done.");
    EXPECT_EQ(run(L"save").out, L"done.");
    EXPECT_TRUE(run(L"exit").ok);
}

// Spec 2.1: "3.50" shows its own text in every mode; 255 in base 16 is 0xFF; -5 goes through the parser.
TEST_F(Part2_1_Interpreter, PlainNumbers) {
    EXPECT_EQ(run(L"3.50").out, L"3.50");
    interpreter.format.mode = NumberFormat::kInt;
    EXPECT_EQ(run(L"3.50").out, L"3.50");
    interpreter.format.mode = NumberFormat::kAuto;
    Reply r = run(L"3.50");
    EXPECT_EQ(r.out, L"3.50");
    EXPECT_DOUBLE_EQ(r.value, 3.5);
    EXPECT_DOUBLE_EQ(interpreter.ansValue, 3.5);
    interpreter.outputBase = 16;
    EXPECT_EQ(run(L"255").out, L"0xFF");
    EXPECT_EQ(run(L"3.50").out, L"3.50");
    interpreter.outputBase = 10;
    r = run(L"-5");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"-5");
    EXPECT_DOUBLE_EQ(r.value, -5);
}

// Spec 2.1: with a and b in use, "a==b" is an expression (the second "=" cancels the assignment).
TEST_F(Part2_1_Interpreter, DoubleEqualsIsComparison) {
    run(L"a=2");
    run(L"b=2");
    Reply r = run(L"a==b");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"1");
    run(L"b=3");
    EXPECT_EQ(run(L"a==b").out, L"0");
}

// Spec 2.1: the arrow form solves with the current a and b; "ans" before any result fails.
TEST_F(Part2_1_Interpreter, ArrowSolveAndAns) {
    EXPECT_EQ(run(L"ans").out, L"   ! ans not set");
    EXPECT_FALSE(run(L"ans").ok);
    run(L"a=0");
    run(L"b=3");
    const Reply r = run(L"x^2-2->0");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out.rfind(L"x = 1.41421", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(L"   y = "), std::wstring::npos);
    EXPECT_NEAR(r.value, 1.4142135623730951, 1e-5);
}

// Spec 2.1: with verbose off, "format auto" and a failing expression output nothing; the failure returns false.
TEST_F(Part2_1_Interpreter, VerboseOff) {
    interpreter.verbose = false;
    Reply r = run(L"format auto");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"");
    r = run(L"1+");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"");
    r = run(L"2*3");
    EXPECT_EQ(r.out, L"6");
    // The one exception: "set ?" with no variable in use succeeds with an empty output.
    r = run(L"set?");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"");
}

// Spec 2.1: the failure messages of the interpreter.
TEST_F(Part2_1_Interpreter, FailureMessages) {
    interpreter.format.mode = NumberFormat::kAuto;
    const Case cases[] = {
        {L"q", L"   ! variable not set", false},
        {L"1+", L"   ! invalid expression", false},
        {L"1,5", L"   ! invalid expression", false},
        {L"2a", L"   ! invalid expression", false},
        {L"set?", L"   ! variable not set", false},
        {L"abcdefghijklmnopq=1", L"   ! variable name too long", false},
        {L"pi=3", L"   ! name reserved", false},
        {L"2a=1", L"   ! invalid variable name", false},
        {L"1/0", L"inf", true},
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_EQ(r.out, c.out) << c.line;
        EXPECT_EQ(r.ok, c.ok) << c.line;
    }
}

// Spec 2.1: a null out returns false at once; value is 0 for commands.
TEST_F(Part2_1_Interpreter, NullOutAndValue) {
    EXPECT_FALSE(interpreter.evaluateLine(L"1+2", nullptr));
    double value = 7;
    std::wstring out;
    EXPECT_TRUE(interpreter.evaluateLine(L"version", &out, &value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(interpreter.evaluateLine(L"2^10", &out, &value));
    EXPECT_EQ(value, 1024);
}

// Spec 2.1: expressions evaluate through the math library with the 26 variables; ans is rewritten.
TEST_F(Part2_1_Interpreter, Expressions) {
    interpreter.format.mode = NumberFormat::kAuto;
    const Case cases[] = {
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
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_EQ(r.out, c.out) << c.line;
        EXPECT_EQ(r.ok, c.ok) << c.line;
    }
}

// Spec 2.1: the caller's printf format is used in auto mode only.
TEST_F(Part2_1_Interpreter, CallerFormat) {
    interpreter.format.mode = NumberFormat::kAuto;
    std::wstring out;
    const std::wstring format = L"%.3f";
    EXPECT_TRUE(interpreter.evaluateLine(L"1/4", &out, nullptr, &format));
    EXPECT_EQ(out, L"0.25");
    const std::wstring unsafe = L"%s";
    EXPECT_TRUE(interpreter.evaluateLine(L"1/4", &out, nullptr, &unsafe));
    EXPECT_EQ(out, L"0.25");
}

}  // namespace

namespace {

// Bad input never crashes or hangs: random lines from the language's characters, run under the sanitizers too.
TEST(Part2_1_Robustness, RandomLinesNeverCrash) {
    const std::wstring alphabet = L"0123456789.+-*/^%()=<>!&|?:,;#'\" _abcxyzpiensolvtqAB\t";
    const std::wstring words[] = {L"plot(", L"solve(", L"ans", L"0x", L"0b", L"->0", L"sin(", L"pi", L"_c",
                                  L"unset ", L"set?", L"format ", L"tol=", L"iter=", L"speed=", L"fact("};
    Interpreter interpreter;
    RecordingPlotHost plots;
    interpreter.setPlotHost(&plots);
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    std::wstring out;
    for (int n = 0; n < 20000; ++n) {
        std::wstring line;
        const unsigned length = next() % 40;
        for (unsigned i = 0; i < length; ++i) {
            if (next() % 6 == 0) line += words[next() % std::size(words)];
            else line += alphabet[next() % alphabet.size()];
        }
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
