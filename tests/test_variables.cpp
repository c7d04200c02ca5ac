// SPDX-License-Identifier: MIT
// Spec Part 2.2: variables and assignment.
#include <gtest/gtest.h>

#include "engine/variables.h"
#include "engine_test_support.h"

namespace {

class Part2_2_Variables : public ::testing::Test {
protected:
    Part2_2_Variables() { interpreter.format.mode = NumberFormat::kAuto; }
    Reply run(const std::wstring& line) { return runLine(interpreter, line); }
    Interpreter interpreter;
};

// Spec 2.2: "speed=3" then "speed*2" gives 6; "set?" lists speed and the other names in slot order.
TEST_F(Part2_2_Variables, LongNames) {
    Reply r = run(L"speed=3");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"3");
    EXPECT_EQ(run(L"speed*2").out, L"6");
    EXPECT_EQ(run(L"set?").out, L"speed");
    run(L"b=1");
    run(L"time2=4");
    EXPECT_EQ(run(L"set ?").out, L"speed,b,time2");
    EXPECT_EQ(run(L"speed=").out, L"3");
    EXPECT_EQ(interpreter.vars.varCount, 3);
}

// Spec 2.2: unset letters fail at once, at the last position, and x only outside solve mode.
TEST_F(Part2_2_Variables, ReferenceCheck) {
    Reply r = run(L"q+1");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! variable not set");
    r = run(L"1+q");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! variable not set");
    r = run(L"x+1");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! variable not set");
    run(L"a=-3");
    run(L"b=0");
    r = run(L"x^2-2->0");
    EXPECT_TRUE(r.ok) << r.out;
    EXPECT_EQ(r.out.rfind(L"x = -1.41421", 0), 0u) << r.out;
}

// Spec 2.2: reserved names, invalid names, too long names.
TEST_F(Part2_2_Variables, NameRules) {
    for (const wchar_t* line : {L"pi=3", L"_e=1", L"Ans=2", L"var=1", L"plot=1", L"_q=2"}) {
        const Reply r = run(line);
        EXPECT_FALSE(r.ok) << line;
        EXPECT_EQ(r.out, L"   ! name reserved") << line;
    }
    for (const wchar_t* line : {L"2a=1", L"a_b=1"}) {
        const Reply r = run(line);
        EXPECT_FALSE(r.ok) << line;
        EXPECT_EQ(r.out, L"   ! invalid variable name") << line;
    }
    const Reply r = run(L"abcdefghijklmnop=1");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! variable name too long");
    EXPECT_TRUE(run(L"abcdefghijklmno=1").ok);  // 15 characters
    EXPECT_EQ(interpreter.vars.varCount, 1);
}

// Spec 2.2: "tol=1e-9" sets the tolerance that "tol?" shows; its slot is free again.
TEST_F(Part2_2_Variables, TolAndIter) {
    Reply r = run(L"tol=1e-9");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(run(L"tol?").out, L"1e-09");
    EXPECT_DOUBLE_EQ(interpreter.param().getReltol(), 1e-9);
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        EXPECT_FALSE(interpreter.vars.varSet[k]);
        EXPECT_EQ(interpreter.vars.varName[k].size(), 1u);
    }
    EXPECT_TRUE(run(L"iter=100.7").ok);
    EXPECT_EQ(run(L"iter?").out, L"100");
    EXPECT_EQ(run(L"set?").out, L"   ! variable not set");
}

// Spec 2.2: "del abc" and "unset abc" remove abc; a name that does not exist outputs nothing and succeeds.
TEST_F(Part2_2_Variables, Removal) {
    run(L"abc=1");
    Reply r = run(L"del abc");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"done.");
    EXPECT_FALSE(run(L"abc+1").ok);
    run(L"abc=2");
    r = run(L"unset ABC");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"done.");
    r = run(L"unset abc");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"");
    EXPECT_EQ(interpreter.vars.varCount, 0);
}

// Spec 2.2: with 26 variables in use a new assignment first discards slot a; b's value is then in slot a as "b".
TEST_F(Part2_2_Variables, FullStoreDropsOldest) {
    for (wchar_t c = L'a'; c <= L'z'; ++c) {
        const std::wstring line = std::wstring(1, c) + L"=" + std::to_wstring(c - L'a' + 1);
        ASSERT_TRUE(run(line).ok) << line;
    }
    ASSERT_EQ(interpreter.vars.varCount, 26);
    const Reply r = run(L"newname=100");
    EXPECT_TRUE(r.ok) << r.out;
    EXPECT_EQ(interpreter.vars.varName[0], L"b");
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[0], 2);
    EXPECT_EQ(interpreter.vars.varName[24], L"z");
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[24], 26);
    // a..y are in use: the slot at index varCount (z) takes the value, unnamed (Part 2.2, step 3).
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[25], 100);
    EXPECT_TRUE(interpreter.vars.varSet[25]);
    EXPECT_EQ(interpreter.vars.varCount, 26);
}

// Spec 2.2: reset empties the store but keeps the last answer and the tolerance.
TEST_F(Part2_2_Variables, Reset) {
    run(L"a=5");
    run(L"tol=1e-3");
    EXPECT_EQ(run(L"reset").out, L"done.");
    EXPECT_EQ(interpreter.vars.varCount, 0);
    EXPECT_FALSE(run(L"a+1").ok);
    EXPECT_TRUE(interpreter.ansSet);
    EXPECT_DOUBLE_EQ(interpreter.param().getReltol(), 1e-3);
}

// Spec 2.2: a one-letter assignment to a slot holding a longer name is refused.
TEST_F(Part2_2_Variables, LetterOfNamedSlot) {
    run(L"speed=3");
    const Reply r = run(L"a=5");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid variable name");
}

// Spec 2.2: display mode shows the value without changing the last answer.
TEST_F(Part2_2_Variables, Display) {
    run(L"k=4");
    run(L"1+1");
    Reply r = run(L"k=");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out, L"4");
    EXPECT_DOUBLE_EQ(r.value, 4);
    EXPECT_DOUBLE_EQ(interpreter.ansValue, 2);
    r = run(L"m=");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! variable not set");
}

// Spec 2.2: the listing stops with "...," past 349 characters.
TEST(Part2_2_Listing, LongListingIsCut) {
    VariableStore store;
    for (int k = 0; k < 25; ++k) {
        store.varName[k] = std::wstring(15, wchar_t(L'a' + k));
        store.varSet[k] = true;
    }
    const std::wstring list = listVariables(store);
    EXPECT_EQ(list.substr(list.size() - 3), L"...");
    EXPECT_LE(list.size(), 370u);
}

// Spec 2.2: name replacement only at name boundaries.
TEST(Part2_2_Replacement, WholeNamesOnly) {
    VariableStore store;
    store.varName[0] = L"rate";
    std::wstring expression = L"rate*2+rates+2rate";
    EXPECT_TRUE(replaceVariableNames(store, expression));
    EXPECT_EQ(expression, L"a*2+rates+2a");
}

}  // namespace
