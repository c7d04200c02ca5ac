// SPDX-License-Identifier: MIT
// The live answer: what the console shows under the input line while it is typed, and that showing it
// changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "engine/interpreter.h"
#include "engine/live_answer.h"

namespace {

struct LiveCase {
    const wchar_t* line;
    const wchar_t* shown;  // empty: nothing appears
};

// Only text that Enter would evaluate without changing anything shows a value; everything else shows nothing.
TEST(LiveAnswer, ShowsOnlyPureExpressions) {
    Interpreter interpreter;
    std::wstring out;
    for (const wchar_t* line : {L"a = 5", L"speed = 3", L"model=2", L"10"}) interpreter.evaluateLine(line, &out);
    interpreter.format.mode = NumberFormat::kAuto;
    LiveAnswer live;
    const LiveCase rows[] = {
        {L"1+2", L"3"},
        {L"  a * 2  ", L"10"},
        {L"ans + 1", L"11"},
        {L"speed*2", L"6"},
        {L"SIN(0) + Speed", L"3"},
        {L"5!", L"120"},
        {L"0x1F + 0b1", L"32"},
        {L"1;2+3", L"5"},
        {L"1;;2+3", L"5"},  // empty statements are skipped, as Enter skips them
        {L"band(1.5,1)", L""},  // Enter fails: whole numbers expected
        {L"2*3 # six", L"6"},
        {L"2*(3+4)", L"14"},
        {L"2*(3+4", L""},
        {L"1+", L""},
        {L"foo", L""},
        {L"42", L""},
        {L".5", L""},  // Enter shows a number as typed
        {L"2.50", L""},
        {L"a = 7", L""},
        {L"a=", L""},
        {L"a==5", L"1"},
        {L"q+1", L""},
        {L"q;2+3", L""},  // Enter stops at the unset q
        {L"x+1", L""},
        {L"model+1", L"3"},
        {L"model + 1", L""},  // "del " inside: the removal command, not an expression
        {L"format int", L""},
        {L"set?", L""},
        {L"reset", L""},
        {L"cls", L""},
        {L"version", L""},
        {L"plot(x)", L""},
        {L"solve(x^2-2)", L""},
        {L"x^2-2->0", L""},
        {L"rand()", L""},
        {L"time()+1", L""},
        {L"1+rand()", L""},
        {L"1+2;", L""},
        {L"a=1; a+1", L""},
        {L"\"1\"", L""},
        {L"", L""},
        {L"# a note", L""},
        {L"1+2)", L""},
        {L"2*3#", L""},  // a "#" at the end starts no comment
        {L"1.2.3", L""},
    };
    // The length limit counts the text without its blanks, as Enter does.
    std::wstring spaced = L"1";
    for (int k = 0; k < 60; ++k) spaced += L" +  1";
    EXPECT_TRUE(live.answer(interpreter, spaced, &out));
    EXPECT_EQ(out, L"61");
    // An expression beyond the longest Enter evaluates, or a line beyond the longest it takes: nothing.
    std::wstring terms = L"1";
    for (int k = 0; k < 130; ++k) terms += L"+1";
    EXPECT_FALSE(live.answer(interpreter, terms, &out));
    EXPECT_FALSE(live.answer(interpreter, L"1" + std::wstring(Interpreter::kEntryMax, L'0'), &out));
    const std::uint64_t before = interpreterStateStamp(interpreter);
    for (const LiveCase& row : rows) {
        std::wstring shown = L"stale";
        EXPECT_EQ(live.answer(interpreter, row.line, &shown), *row.shown != L'\0') << row.line;
        EXPECT_EQ(shown, row.shown) << row.line;
    }
    // Nothing the rows showed or refused touched the variables, the last answer, the format or the base.
    EXPECT_EQ(interpreterStateStamp(interpreter), before);
    EXPECT_EQ(interpreter.ansValue, 10);
    EXPECT_FALSE(interpreter.vars.varSet[static_cast<size_t>('x' - 'a')]);
}

// In every format and output base, the live answer is exactly the reply Enter then prints.
TEST(LiveAnswer, MatchesTheReplyInEveryFormatAndBase) {
    const wchar_t* lines[] = {L"7/2", L"-7/2", L"100/3", L"2^40", L"1/3", L"255", L"-1", L"2.5*2", L"1e-12*3",
                              L"0xFF", L"ans*2", L"sqrt(2)", L"1/0"};
    const struct {
        const wchar_t* format;
        int base;
    } modes[] = {{L"format auto", 10}, {L"format long", 10}, {L"format short", 10}, {L"format int", 10},
                 {L"format auto", 16}, {L"format int", 2},   {L"format long", 8}};
    for (const auto& mode : modes) {
        Interpreter interpreter;
        LiveAnswer live;
        std::wstring reply, shown;
        interpreter.evaluateLine(mode.format, &reply);
        interpreter.outputBase = mode.base;
        interpreter.evaluateLine(L"3", &reply);
        for (const wchar_t* line : lines) {
            live.answer(interpreter, line, &shown);
            ASSERT_TRUE(interpreter.evaluateLine(line, &reply)) << line;
            if (reply == line) reply.clear();  // a number that only repeats itself shows nothing
            EXPECT_EQ(shown, reply) << mode.format << " base " << mode.base << ": " << line;
        }
    }
    Interpreter hex;
    LiveAnswer live;
    std::wstring shown;
    hex.outputBase = 16;
    EXPECT_TRUE(live.answer(hex, L"255", &shown));
    EXPECT_EQ(shown, L"0xFF");
}

// An answer kept for a text is not shown once the state it came from has changed.
TEST(LiveAnswer, FollowsStateChanges) {
    Interpreter interpreter;
    LiveAnswer live;
    std::wstring out, shown;
    const struct {
        const wchar_t* entered;  // the line Enter evaluates before the text is typed again
        const wchar_t* typed;
        const wchar_t* shown;
    } rows[] = {
        {L"b=2", L"b*10", L"20"},         {L"b=3", L"b*10", L"30"},        {L"4", L"ans+1", L"5"},
        {L"5", L"ans+1", L"6"},           {L"format int", L"7/2", L"3..."}, {L"format auto", L"7/2", L"3.5"},
        {L"rad", L"sin(90)", L"0.893996663600558"}, {L"deg", L"sin(90)", L"1"}, {L"f(x)=x+1", L"f(2)", L"3"},
        {L"f(x)=x+2", L"f(2)", L"4"},
    };
    for (const auto& row : rows) {
        interpreter.evaluateLine(row.entered, &out);
        live.answer(interpreter, row.typed, &shown);
        EXPECT_EQ(shown, row.shown) << row.entered << " then " << row.typed;
    }
    interpreter.outputBase = 16;
    live.answer(interpreter, L"b*10", &shown);
    EXPECT_EQ(shown, L"0x1E");
}

}  // namespace
