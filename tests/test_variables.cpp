// SPDX-License-Identifier: MIT
// Variables: long names, the reference check, name rules, removal, the full store and the listing.
#include <gtest/gtest.h>

#include "engine/variables.h"
#include "engine_test_support.h"

namespace {

class Variables : public ::testing::Test {
protected:
    Variables() { interpreter.format.mode = NumberFormat::kAuto; }
    Interpreter interpreter;
};

// Long names take free slots and are listed in slot order; "name=" shows the value without changing ans.
TEST_F(Variables, LongNamesAndDisplay) {
    expectLines(interpreter, {{L"speed=3", L"3", true},  {L"speed*2", L"6", true}, {L"set?", L"speed", true},
                              {L"b=1", L"1", true},      {L"time2=4", L"4", true}, {L"set ?", L"speed,b,time2", true},
                              {L"speed=", L"3", true},   {L"k=4", L"4", true},     {L"1+1", L"2", true},
                              {L"m=", L"   ! variable not set", false},
                              // A one-letter assignment to a slot holding a longer name is refused.
                              {L"a=5", L"   ! invalid variable name", false}});
    const Reply r = runLine(interpreter, L"k=");
    EXPECT_EQ(r.out, L"4");
    EXPECT_DOUBLE_EQ(r.value, 4);
    EXPECT_DOUBLE_EQ(interpreter.ansValue, 2);
    EXPECT_EQ(interpreter.vars.varCount, 4);
}

// Unset letters fail wherever they stand; x is unset only outside the solve arrow.
TEST_F(Variables, ReferenceCheck) {
    expectLines(interpreter, {{L"q+1", L"   ! variable not set", false}, {L"1+q", L"   ! variable not set", false},
                              {L"x+1", L"   ! variable not set", false}, {L"a=-3", L"-3", true}, {L"b=0", L"0", true}});
    const Reply r = runLine(interpreter, L"x^2-2->0");
    EXPECT_TRUE(r.ok) << r.out;
    EXPECT_EQ(r.out.rfind(L"x = -1.41421", 0), 0u) << r.out;
}

TEST_F(Variables, NameRules) {
    expectLines(interpreter, {{L"pi=3", L"   ! name reserved", false},  {L"_e=1", L"   ! name reserved", false},
                              {L"Ans=2", L"   ! name reserved", false},  {L"var=1", L"   ! name reserved", false},
                              {L"plot=1", L"   ! name reserved", false}, {L"_q=2", L"   ! name reserved", false},
                              {L"2a=1", L"   ! invalid variable name", false},
                              {L"a_b=1", L"   ! invalid variable name", false},
                              {L"\u00e9=1", L"   ! invalid variable name", false},
                              {L"abcdefghijklmnop=1", L"   ! variable name too long", false},
                              {L"abcdefghijklmno=1", L"1", true}});
    EXPECT_EQ(interpreter.vars.varCount, 1);
}

// "tol=" and "iter=" set the solver's parameters and leave their slot free.
TEST_F(Variables, TolAndIterSetTheSolver) {
    expectLines(interpreter, {{L"tol=1e-9", L"1e-09", true}, {L"tol?", L"1e-09", true}, {L"iter=100.7", L"100.7", true},
                              {L"iter?", L"100", true},      {L"set?", L"   ! variable not set", false}});
    EXPECT_DOUBLE_EQ(interpreter.param().getReltol(), 1e-9);
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        EXPECT_FALSE(interpreter.vars.varSet[k]);
        EXPECT_EQ(interpreter.vars.varName[k].size(), 1u);
    }
}

// "del" and "unset" remove a name in any case; an unknown name outputs nothing and succeeds.
// "reset" empties the store but keeps the last answer and the tolerance.
TEST_F(Variables, RemovalAndReset) {
    expectLines(interpreter, {{L"abc=1", L"1", true},     {L"del abc", L"done.", true}, {L"abc+1", L"   ! invalid expression", false},
                              {L"abc=2", L"2", true},     {L"unset ABC", L"done.", true}, {L"unset abc", L"", true}});
    EXPECT_EQ(interpreter.vars.varCount, 0);
    expectLines(interpreter, {{L"a=5", L"5", true}, {L"tol=1e-3", L"0.001", true}, {L"reset", L"done.", true},
                              {L"a+1", L"   ! variable not set", false}});
    EXPECT_EQ(interpreter.vars.varCount, 0);
    EXPECT_TRUE(interpreter.ansSet);
    EXPECT_DOUBLE_EQ(interpreter.param().getReltol(), 1e-3);
}

// Names of the newer functions and commands could be variables before and still can; a name directly followed by
// "(" that is a function is a call even while a variable has the name.
TEST_F(Variables, NewFunctionNamesStayVariables) {
    const wchar_t* names[] = {L"gcd", L"lcm", L"mod", L"ncr", L"npr", L"sum", L"avg", L"median", L"cot", L"sec",
                              L"csc", L"frac", L"degrees", L"radians", L"band", L"bor", L"bxor", L"bnot", L"shl",
                              L"shr", L"fun", L"angle"};
    int value = 0;
    for (const wchar_t* name : names) {
        const std::wstring v = std::to_wstring(++value);
        expectLines(interpreter, {{(std::wstring(name) + L"=" + v).c_str(), v.c_str(), true},
                                  {(std::wstring(name) + L"*1").c_str(), v.c_str(), true}});
    }
    expectLines(interpreter, {{L"sum(1,2,sum)", L"9", true}, {L"mod(mod,2)", L"1", true}, {L"1+gcd", L"2", true},
                              {L"fun?", L"   ! no function defined", false}, {L"angle?", L"radians", true}});
}

// With 26 variables in use a new assignment first discards slot a: b's value moves there, still named "b";
// with a..y in use the slot at index varCount (z) takes the new value, unnamed.
TEST_F(Variables, FullStoreDropsOldest) {
    for (wchar_t c = L'a'; c <= L'z'; ++c) ASSERT_TRUE(runLine(interpreter, std::wstring(1, c) + L"=" + std::to_wstring(c - L'a' + 1)).ok);
    ASSERT_EQ(interpreter.vars.varCount, 26);
    EXPECT_TRUE(runLine(interpreter, L"newname=100").ok);
    EXPECT_EQ(interpreter.vars.varName[0], L"b");
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[0], 2);
    EXPECT_EQ(interpreter.vars.varName[24], L"z");
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[24], 26);
    EXPECT_DOUBLE_EQ(interpreter.vars.varValue[25], 100);
    EXPECT_TRUE(interpreter.vars.varSet[25]);
    EXPECT_EQ(interpreter.vars.varCount, 26);

    // "tol" takes the freed slot z and leaves it empty; slot y holds z's value. z alone is not set, but read
    // inside an expression its value comes back to its slot, and then y's to slot y.
    Interpreter solverSet;
    for (wchar_t c = L'a'; c <= L'z'; ++c)
        ASSERT_TRUE(runLine(solverSet, std::wstring(1, c) + L"=" + std::to_wstring(c - L'a' + 1)).ok);
    expectLines(solverSet, {{L"tol=1e-9", L"1e-09", true}, {L"y", L"26", true}, {L"z", L"   ! variable not set", false},
                            {L"z*1", L"26", true}, {L"y*1", L"25", true}});

    Interpreter lettersInUse;
    for (wchar_t c = L'a'; c <= L'y'; ++c) ASSERT_TRUE(runLine(lettersInUse, std::wstring(1, c) + L"=1").ok);
    EXPECT_TRUE(runLine(lettersInUse, L"speed=3").ok);
    EXPECT_EQ(lettersInUse.vars.varName[25], L"z");
    EXPECT_DOUBLE_EQ(lettersInUse.vars.varValue[25], 3);
}

// The listing stops with "..." past 349 characters; names are replaced only as whole names.
TEST(VariableStore, ListingIsCutAndNamesReplacedWhole) {
    VariableStore store;
    for (int k = 0; k < 25; ++k) {
        store.varName[k] = std::wstring(15, wchar_t(L'a' + k));
        store.varSet[k] = true;
    }
    const std::wstring list = listVariables(store);
    EXPECT_EQ(list.substr(list.size() - 3), L"...");
    EXPECT_LE(list.size(), 370u);
    // The cut comes once more than 349 characters are listed: at exactly 350 the next name is left out.
    store.varName[21] = std::wstring(13, L'v');  // 21 entries of 16 characters and one of 14: 350
    const std::wstring cut = listVariables(store);
    EXPECT_EQ(cut.size(), 353u);
    EXPECT_EQ(cut.substr(cut.size() - 17), std::wstring(13, L'v') + L",...");
    VariableStore rate;
    rate.varName[0] = L"rate";
    std::wstring expression = L"rate*2+rates+2rate";
    EXPECT_TRUE(replaceVariableNames(rate, expression));
    EXPECT_EQ(expression, L"a*2+rates+2a");
}

}  // namespace
