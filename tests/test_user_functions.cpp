// SPDX-License-Identifier: MIT
// The user's functions: definitions and their refusals, calls wherever an expression stands, listing, removal,
// and the written-out text that plots and the solver dialog receive.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/live_answer.h"
#include "engine/messages.h"
#include "engine_test_support.h"

namespace {

class UserFunctionsTest : public ::testing::Test {
protected:
    UserFunctionsTest() {
        interpreter.format.mode = NumberFormat::kAuto;
        interpreter.setPlotHost(&plots);
    }
    Interpreter interpreter;
    RecordingPlotHost plots;
};

// Definitions answer "done."; calls take any case, nest, and see the variables of the moment.
TEST_F(UserFunctionsTest, DefineAndCall) {
    expectLines(interpreter, {{L"f(x) = x^2+1", L"done.", true},
                              {L"f(3)", L"10", true},
                              {L"F(-2) * 2", L"10", true},  // the argument keeps its sign: (-2)^2
                              {L"f(2+1)", L"10", true},
                              {L"f(f(1))", L"5", true},
                              {L"area(r)=pi*r^2", L"done.", true},
                              {L"Area(2)", L"12.5663706143592", true},
                              {L"g(x,y) = hypot(x,y)", L"done.", true},
                              {L"g(3,4)", L"5", true},
                              {L"h(t)=k*t", L"done.", true},
                              {L"h(2)", L"   ! variable not set", false},  // read at the call, not the definition
                              {L"k=3", L"3", true},
                              {L"h(2)", L"6", true},
                              {L"k=4", L"4", true},
                              {L"h(2)", L"8", true},
                              {L"speed=2", L"2", true},
                              {L"d(speed)=speed*10", L"done.", true},  // a parameter hides a variable of its name
                              {L"d(3)+speed", L"32", true},
                              {L"v(t)=speed*t", L"done.", true},
                              {L"v(5)", L"10", true},
                              {L"n(a,b,c,d)=a-b+c*d", L"done.", true},
                              {L"n(1,2,3,4)", L"11", true},
                              {L"f(x)=2*x", L"done.", true},  // a new definition replaces the old one
                              {L"f(3)", L"6", true},
                              {L"f((1)+(2))", L"6", true},  // parentheses that do not enclose the whole argument
                              {L"f(1.2.3)", L"   ! invalid expression", false},
                              {L"f(.)", L"   ! invalid expression", false},
                              {L"y=f(4)", L"8", true},
                              {L"f(x)=x^2-2", L"done.", true},
                              {L"fun?", L"f(x)=x^2-2; area(r)=pi*r^2; g(x,y)=hypot(x,y); h(t)=k*t; "
                                        L"d(speed)=speed*10; v(t)=speed*t; n(a,b,c,d)=a-b+c*d", true},
                              {L"q(e)=1e-3*e", L"done.", true},  // the "e" of a number is no parameter
                              {L"q(2)", L"0.002", true},
                              {L"p0(t)=t*10", L"done.", true},  // digits belong to a function's name
                              {L"p0(0.8)", L"8", true}});
    EXPECT_EQ(interpreter.ansValue, 8);
    for (const wchar_t* line : {L"solve(f(x),0,3)", L"f(x)->0"})
        EXPECT_EQ(runLine(interpreter, line).out.rfind(L"x = 1.41421", 0), 0u) << line;
    const UserFunction* f = interpreter.functions().find(L"f");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->parameters, std::vector<std::wstring>{L"x"});
    EXPECT_EQ(f->body, L"x^2-2");
}

// Each refusal says why; none of them defines anything.
TEST_F(UserFunctionsTest, RefusedDefinitionsAndCalls) {
    expectLines(interpreter, {{L"f(x)=x^2", L"done.", true},
                              {L"sin(x)=x", L"   ! name reserved", false},
                              {L"deg(x)=x", L"   ! name reserved", false},
                              {L"abcdefghijklmnop(x)=1", L"   ! function name too long", false},
                              {L"s()=1", L"   ! a function takes 1 to 4 parameters", false},
                              {L"s(a,b,c,d,e)=1", L"   ! a function takes 1 to 4 parameters", false},
                              {L"s(x,x)=x", L"   ! invalid parameter name", false},
                              {L"s(pi)=1", L"   ! invalid parameter name", false},
                              {L"s(x)=", L"   ! empty expression", false},
                              {L"(x)=1", L"   ! variable not set", false},  // no name: no definition
                              {L"s,x)=1", L"   ! variable not set", false},  // no "(" after the name
                              {L"2*a.f(2)", L"   ! unknown function", false},  // "a.f" is one name, not a and f
                              {L"s(x)=x==1", L"   ! invalid expression", false},
                              {L"s(x)=2*", L"   ! invalid expression", false},
                              {L"s(x)=x!", L"   ! invalid expression", false},  // only right for some arguments
                              {L"s(x)=foo(x)", L"   ! unknown function", false},
                              {L"s(x)=f(x,1)", L"   ! wrong number of arguments", false},
                              {L"s(x)=nosuchname*x", L"   ! invalid expression", false},
                              {L"f(x)=f(x-1)", L"   ! recursive function", false},
                              {L"g(x)=f(x)+1", L"done.", true},
                              {L"f(x)=g(x)", L"   ! recursive function", false},
                              {L"f(2)", L"4", true},
                              {L"f()", L"   ! wrong number of arguments", false},
                              {L"f(1,2)", L"   ! wrong number of arguments", false},
                              {L"k(x,y)=x+y", L"done.", true},
                              {L"k(1,)", L"   ! invalid expression", false},
                              {L"f(3", L"   ! invalid expression", false},
                              {L"foo(2)", L"   ! unknown function", false},
                              {L"q(2)", L"   ! unknown function", false},
                              {L"f(x)==4", L"   ! variable not set", false},  // a comparison, not a definition
                              {L"x=2", L"2", true},
                              {L"f(x)==4", L"1", true}});
    EXPECT_EQ(listFunctions(interpreter.functions(), Interpreter::kLineMax), L"f(x)=x^2; g(x)=f(x)+1; k(x,y)=x+y");
}

// unset removes a function before a variable of the same name; reset removes them all; fun? lists them.
TEST_F(UserFunctionsTest, ListRemoveReset) {
    expectLines(interpreter, {{L"fun?", L"   ! no function defined", false},
                              {L"f=5", L"5", true},
                              {L"f(x)=x+f", L"done.", true},
                              {L"f(1)+f", L"11", true},
                              {L"unset f", L"done.", true},
                              {L"f(1)", L"   ! unknown function", false},
                              {L"f", L"5", true},
                              {L"unset f", L"done.", true},
                              {L"f", L"   ! variable not set", false},
                              {L"g(x)=x", L"done.", true},
                              {L"del G", L"done.", true},
                              {L"fun?", L"   ! no function defined", false},
                              {L"g(x)=x", L"done.", true},
                              {L"reset", L"done.", true},
                              {L"fun ?", L"   ! no function defined", false}});
    interpreter.verbose = false;
    expectLines(interpreter, {{L"g(x)=x", L"", true}, {L"fun?", L"g(x)=x", true}, {L"unset g", L"", true},
                              {L"fun?", L"", false}});
}

// At most 64 functions; a body of 250 characters fits, and so does a line of calls that writes out beyond 250.
TEST_F(UserFunctionsTest, Limits) {
    std::wstring out;
    for (int i = 0; i < UserFunctions::kMaxFunctions; ++i)
        ASSERT_TRUE(interpreter.evaluateLine(L"f" + std::to_wstring(i) + L"(x)=x+" + std::to_wstring(i), &out)) << out;
    expectLines(interpreter, {{L"extra(x)=x", L"   ! too many functions", false},
                              {L"f63(x)=x*2", L"done.", true},  // a redefinition takes no new place
                              {L"f63(4)", L"8", true}});
    EXPECT_EQ(interpreter.functions().list().size(), 64u);
    const std::wstring listing = listFunctions(interpreter.functions(), Interpreter::kLineMax);
    EXPECT_LE(listing.size(), static_cast<size_t>(Interpreter::kLineMax));
    EXPECT_EQ(listing.substr(listing.size() - 5), L"; ...");
    runLine(interpreter, L"reset");
    runLine(interpreter, L"f(x)=x");
    runLine(interpreter, L"g(x)=x");
    EXPECT_EQ(listFunctions(interpreter.functions(), 14), L"f(x)=x; g(x)=x");  // the last needs no room for "..."
    EXPECT_EQ(listFunctions(interpreter.functions(), 13), L"f(x)=x; ...");

    std::wstring body = L"x";
    while (body.size() < 247) body += L"+x";
    body += L"+10";  // 250 characters
    EXPECT_TRUE(runLine(interpreter, L"w(x)=" + body).ok);
    EXPECT_EQ(runLine(interpreter, L"w(x)=" + body + L"0").out, L"   ! expression too long");
    EXPECT_EQ(runLine(interpreter, L"w(1)").out, L"134");
    EXPECT_EQ(runLine(interpreter, L"w(2)+w(3)").out, L"   ! expression too long");
    // The written-out line is held to the limit whatever follows the call: names or numbers.
    std::wstring names = L"w(1)", numbers = L"w(1)";
    for (int i = 0; i < 50; ++i) names += L"+pi", numbers += L"+1";
    EXPECT_EQ(runLine(interpreter, names).out, L"   ! expression too long");
    EXPECT_EQ(runLine(interpreter, numbers + L"+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1").out,
              L"   ! expression too long");
    // A body that doubles at each level is refused once it would not fit a line, so no call grows without end.
    std::wstring reply = runLine(interpreter, L"d1(x)=x+x").out;
    for (int i = 2; i <= 12 && reply == L"done."; ++i)
        reply = runLine(interpreter, L"d" + std::to_wstring(i) + L"(x)=d" + std::to_wstring(i - 1) + L"(x)+d" +
                                         std::to_wstring(i - 1) + L"(x)").out;
    EXPECT_EQ(reply, L"   ! expression too long");
    EXPECT_EQ(runLine(interpreter, L"d5(1)").out, L"32");
}

// Plots and the solver dialog get the functions written out, in the angle unit of the moment.
TEST_F(UserFunctionsTest, PlotsAndSolverGetPlainText) {
    expectLines(interpreter, {{L"f(x)=x^2-2", L"done.", true}, {L"plot(f(x))", L"", true},
                              {L"p(x)=pi*x", L"done.", true},  {L"plot(p(x),0,1)", L"", true},
                              {L"plot(foo(x))", L"   ! unknown function", false}, {L"deg", L"angles in degrees", true},
                              {L"s(t)=sin(t)", L"done.", true}, {L"plot(s(x))", L"", true}});
    ASSERT_EQ(plots.calls.size(), 3u);
    EXPECT_EQ(plots.calls[0].function, L"(x^2-2)");
    EXPECT_EQ(plots.calls[1].function, L"(pi()*x)");
    EXPECT_EQ(plots.calls[2].function, L"(sinDeg(x))");
    EXPECT_EQ(plots.calls[2].xmax, 360);
    const struct {
        const wchar_t* typed;
        bool ok;
        const wchar_t* expanded;  // or the message
    } rows[] = {{L"f(x)", true, L"(x^2-2)"},
                {L"f(2.5)", true, L"(2.5^2-2)"},  // a plain number needs no parentheses
                {L"sin(x) + f(x)*pi", true, L"sinDeg(x)+(x^2-2)*pi()"},
                {L"0x10*x", true, L"16*x"},
                {L"foo(x)", false, L"   ! unknown function"},
                {L"sinDeg(x)", false, L"   ! unknown function"},
                {L"f(x,1)", false, L"   ! wrong number of arguments"}};
    for (const auto& row : rows) {
        std::wstring expanded, message;
        EXPECT_EQ(interpreter.expandFunction(row.typed, expanded, message), row.ok) << row.typed;
        EXPECT_EQ(row.ok ? expanded : message, row.expanded) << row.typed;
    }
}

// The live answer calls the functions as Enter would, and shows nothing for a definition.
TEST_F(UserFunctionsTest, LiveAnswer) {
    LiveAnswer live;
    std::wstring out, shown;
    interpreter.evaluateLine(L"f(x)=x^2+1", &out);
    EXPECT_TRUE(live.answer(interpreter, L"f(3)", &shown));
    EXPECT_EQ(shown, L"10");
    for (const wchar_t* line : {L"f(x)=3", L"f(3", L"foo(3)", L"f(1,2)"}) {
        EXPECT_FALSE(live.answer(interpreter, line, &shown)) << line;
        EXPECT_EQ(shown, L"") << line;
    }
    interpreter.evaluateLine(L"f(x)=x^3", &out);  // a redefinition is seen, not a kept answer
    EXPECT_TRUE(live.answer(interpreter, L"f(3)", &shown));
    EXPECT_EQ(shown, L"27");
}

}  // namespace

// The message table tells the reader how long a name may be: a name of the length it gives is refused with
// that message, and one a character shorter is accepted.
TEST_F(UserFunctionsTest, MessageTableGivesTheNameLimitsKept) {
    struct Row {
        const wchar_t* message;
        std::wstring (*line)(const std::wstring& name);
    };
    const Row rows[] = {
        {msg::kNameTooLong, [](const std::wstring& name) { return name + L"=1"; }},
        {msg::kFunctionNameTooLong, [](const std::wstring& name) { return name + L"(x)=x"; }},
    };
    for (const Row& row : rows) {
        const auto& table = engineMessages();
        const auto entry =
            std::find_if(table.begin(), table.end(), [&](const MessageEntry& e) { return e.text == row.message; });
        ASSERT_NE(entry, table.end()) << row.message;
        const size_t digits = entry->when.find_first_of(L"0123456789");
        ASSERT_NE(digits, std::wstring::npos) << entry->when;
        const size_t refused = std::stoul(entry->when.substr(digits));
        std::wstring out;
        EXPECT_FALSE(interpreter.evaluateLine(row.line(std::wstring(refused, L'q')), &out));
        EXPECT_EQ(out, row.message);
        EXPECT_TRUE(interpreter.evaluateLine(row.line(std::wstring(refused - 1, L'q')), &out)) << out;
    }
}

// A message's placeholders take the values in order; one without a value, or a brace never closed, stays as
// written rather than reading past the values.
TEST(Messages, FillTakesValuesInOrder) {
    EXPECT_EQ(fillMessage(L"no root on [{a}, {b}]", {L"1", L"2"}), L"no root on [1, 2]");
    EXPECT_EQ(fillMessage(L"from {a} to {b}", {L"1"}), L"from 1 to {b}");
    EXPECT_EQ(fillMessage(L"open {a", {L"1"}), L"open {a");
    EXPECT_EQ(fillMessage(L"{a}{b}", {L"x", L"y", L"z"}), L"xy");
}
