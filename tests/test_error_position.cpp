// SPDX-License-Identifier: MIT
// Where a failed line went wrong, as the console underlines it: the stretch of the typed text (marked by
// carets under it) and the reason, through every rewrite the line goes through before the parser sees it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/interpreter.h"
#include "engine/text_origin.h"
#include "engine_test_support.h"

namespace {

struct SpotCase {
    const wchar_t* line;
    const wchar_t* marks;  // '^' under each underlined character
    const wchar_t* reason;
};

std::wstring marksOf(const ErrorSpot& spot) {
    if (!spot.known()) return L"(none)";
    return std::wstring(static_cast<size_t>(spot.start), L' ') + std::wstring(static_cast<size_t>(spot.length), L'^');
}

void expectSpots(Interpreter& interpreter, std::initializer_list<SpotCase> rows) {
    for (const SpotCase& row : rows) {
        std::wstring out;
        EXPECT_FALSE(interpreter.evaluateLine(row.line, &out)) << row.line;
        const ErrorSpot& spot = interpreter.errorSpot();
        EXPECT_EQ(marksOf(spot), row.marks) << row.line;
        EXPECT_EQ(spot.reason, row.reason) << row.line;
    }
}

// Lines as typed, with blanks, upper case, literals, ans, factorials and long names between them and the
// parser: the underline lands on what the user wrote.
TEST(ErrorPosition, ParserStopsMappedToTypedText) {
    Interpreter interpreter;
    std::wstring out;
    interpreter.evaluateLine(L"speed = 3", &out);
    interpreter.evaluateLine(L"3.14159265", &out);  // ans, written back as 3.14159
    expectSpots(interpreter, {
        {L"1+", L" ^", L"value expected after '+'"},
        {L"1 + * 2", L"    ^", L"value expected after '+'"},
        {L"*2", L"^", L"value expected before '*'"},
        {L"1 ++", L"   ^", L"value expected after '+'"},
        {L"2*(3+4", L"  ^", L"missing closing parenthesis"},
        {L"2 * (3 + 4", L"    ^", L"missing closing parenthesis"},
        {L"sqrt(2*(3+4)", L"    ^", L"missing closing parenthesis"},
        {L"sin(", L"   ^", L"value expected after '('"},
        {L"1+2)", L"   ^", L"')' without an opening parenthesis"},
        {L"0x1F + )", L"       ^", L"')' without an opening parenthesis"},
        {L"(1))+(2", L"   ^", L"')' without an opening parenthesis"},
        {L"max(1,2,(3", L"        ^", L"missing closing parenthesis"},
        {L"(pow)(1,2)", L" ^^^", L"'(' expected after 'pow'"},
        {L"()", L" ^", L"value expected after '('"},
        {L"2(3)", L" ^", L"operator expected before '('"},
        {L"foo+1", L"^^^", L"unknown name 'foo'"},
        {L"2*Foo", L"  ^^^", L"unknown name 'Foo'"},
        {L"sinx", L"^^^^", L"unknown name 'sinx'"},
        {L"sin + 1", L"^^^", L"'(' expected after 'sin'"},
        {L"ans*foo", L"    ^^^", L"unknown name 'foo'"},
        {L"ans+", L"   ^", L"value expected after '+'"},
        {L"5! + foo", L"     ^^^", L"unknown name 'foo'"},
        {L"0b101 * bar", L"        ^^^", L"unknown name 'bar'"},
        {L"speed +", L"      ^", L"value expected after '+'"},
        {L"rate = 1 +", L"         ^", L"value expected after '+'"},
        {L"speed * foo", L"        ^^^", L"unknown name 'foo'"},
        {L"SPEED*(1", L"      ^", L"missing closing parenthesis"},
        {L"2pi", L" ^^", L"operator expected before 'pi'"},
        {L"sin(1)cos(2)", L"      ^^^", L"operator expected before 'cos'"},
        {L"2 3.5.1", L"     ^^", L"operator expected before '.1'"},
        {L"a b", L"^^^", L"unknown name 'a b'"},  // blanks go before the parser reads: one name
        {L"1,2", L" ^", L"',' outside a function's arguments"},
        {L"sin(1,2)", L"       ^", L"too many arguments for 'sin'"},
        {L"atan2(1)", L"       ^", L"too few arguments for 'atan2'"},
        {L"max()", L"    ^", L"too few arguments for 'max'"},
        {L"2*(1,2)", L"      ^", L"too many arguments"},  // parentheses of no function
        // A value the functions refuse: the whole expression, and why.
        {L"band(1.5, 1)", L"^^^^^^^^^^^^", L"whole numbers expected"},
        {L"shl(1, 64)", L"^^^^^^^^^^", L"number out of 64-bit range"},
        {L"pow(sin(1))", L"          ^", L"too few arguments for 'pow'"},
        {L"5!!", L"  ^", L"unexpected character '!'"},
        {L"1 $ 2", L"  ^", L"unexpected character '$'"},
        {L"2 \u00e9 3", L"  ^", L"unexpected character '\u00e9'"},
        {L"x=1->0", L" ^", L"a single '=' cannot stand inside an expression"},
        {L"1+ # sum(", L" ^", L"value expected after '+'"},
    });
}

// Solve, plot and the variable check say where their own reading stopped.
TEST(ErrorPosition, CommandsAndVariables) {
    Interpreter interpreter;
    RecordingPlotHost plots;
    interpreter.setPlotHost(&plots);
    expectSpots(interpreter, {
        {L"q+1", L"^", L"'q' has no value"},
        {L"2*Q", L"  ^", L"'Q' has no value"},
        {L"2+3->0", L"^^^", L"no x to solve for"},
        {L"solve(2+3)", L"      ^^^", L"no x to solve for"},
        {L"solve(x^2-, 0, 3)", L"         ^", L"value expected after '-'"},
        {L"solve(x, 3, 1)", L"         ^^^^", L"two numbers expected, the first below the second"},
        {L"plot(", L"    ^", L"function expected after the parenthesis"},
        {L"plot('x'y)", L"        ^", L"',' or ')' expected after the function"},
        {L"plot(x,0)", L"       ^", L"two numbers expected, the first below the second"},
        {L"plot(x, 1, 0)", L"        ^^^^", L"two numbers expected, the first below the second"},
        {L"plot(x,0,1,0)", L"           ^", L"a whole number of points from 1 to 33554432 expected"},
        {L"plot(x,0,1,", L"          ^", L"a whole number of points from 1 to 33554432 expected"},
    });
    // A function the plot window refuses is read by the parser to find the place.
    plots.acceptAdd = false;
    expectSpots(interpreter, {
        {L"plot(sin(x) + , 0, 1)", L"            ^", L"value expected after '+'"},
        {L"plot(0x10 * foo)", L"            ^^^", L"unknown name 'foo'"},
    });
}

// A call of a user function is underlined where the user wrote it: a wrong call whole, a fault in an argument
// within it, a fault only its body shows (a variable without value) on the whole call.
TEST(ErrorPosition, UserFunctions) {
    Interpreter interpreter;
    std::wstring out;
    for (const wchar_t* line : {L"f(x) = x^2", L"h(t) = k*t", L"g(x) = f(x) + 1", L"deg"})
        interpreter.evaluateLine(line, &out);
    expectSpots(interpreter, {
        {L"2 * foo(3)", L"    ^^^", L"unknown function 'foo'"},
        {L"1 + f(1, 2)", L"    ^^^^^^^", L"'f' takes 1 argument"},
        {L"2*h(3)", L"  ^^^^", L"'k' has no value"},
        {L"f(2 +) + 1", L"     ^", L"value expected after '+'"},
        {L"k(x) = x + foo(x)", L"           ^^^", L"unknown function 'foo'"},
        {L"k(x, x) = 1", L"     ^", L"'x' is named twice"},
        {L"k(x) =", L"     ^", L"the body is missing"},
        {L"sin(x) = x", L"^^^", L"'sin' is taken"},
        {L"k(x) = 2*x.5", L"          ^^", L"operator expected before '.5'"},
        {L"f(x) = f(x) + 1", L"       ^^^^", L"'f' would call itself"},
        {L"f(x) = g(x)", L"       ^^^^", L"'f' would call itself"},  // through g
        {L"sin(1, 2)", L"        ^", L"too many arguments for 'sin'"},
    });
}

// Whatever two pieces of text make up a line, a spot lies within that line.
TEST(ErrorPosition, SpotsStayInsideTheLine) {
    const wchar_t* pieces[] = {L"", L" ", L"1+", L"(", L")", L"ans", L"0x1F", L"5!", L"speed", L"pi", L"_c", L"foo",
                               L",", L"=", L"->0", L"plot(", L"solve(", L"'", L"#", L";", L"\u00e9", L"sin(", L"2e",
                               L"0b", L"  *  ", L"f(", L"f(x)=", L"g(1,2)", L"deg"};
    Interpreter interpreter;
    RecordingPlotHost plots;
    plots.acceptAdd = false;
    interpreter.setPlotHost(&plots);
    std::wstring out;
    interpreter.evaluateLine(L"speed=3", &out);
    interpreter.evaluateLine(L"f(x)=x*speed", &out);
    interpreter.evaluateLine(L"g(a,b)=f(a)-b", &out);
    for (const wchar_t* first : pieces) {
        for (const wchar_t* second : pieces) {
            for (const std::wstring& line : {std::wstring(first) + second, std::wstring(first) + L"x" + second}) {
                if (interpreter.evaluateLine(line, &out) || !interpreter.errorSpot().known()) continue;
                const ErrorSpot& spot = interpreter.errorSpot();
                EXPECT_LE(static_cast<size_t>(spot.start + spot.length), line.size()) << line;
                EXPECT_FALSE(spot.reason.empty()) << line;
            }
        }
    }
}

// Failures that have no place in the text underline nothing, and a success forgets the last spot.
TEST(ErrorPosition, NoSpotWithoutPlace) {
    Interpreter interpreter;
    std::wstring out;
    EXPECT_FALSE(interpreter.evaluateLine(L"1+", &out));
    EXPECT_TRUE(interpreter.errorSpot().known());
    EXPECT_TRUE(interpreter.evaluateLine(L"1+1", &out));
    EXPECT_FALSE(interpreter.errorSpot().known());
    // A NUL alone is dropped on the way to the parser, leaving no typed character to point at (fuzz_evaluate_line).
    for (const std::wstring& line : {std::wstring(), std::wstring(L"\"1\""), std::wstring(L"pi=3"), std::wstring(L"a="),
                                     std::wstring(1, L'\0')}) {
        EXPECT_FALSE(interpreter.evaluateLine(line, &out)) << line;
        EXPECT_FALSE(interpreter.errorSpot().known()) << line;
    }
}

// Edits at the ends and beyond them keep the origin inside the typed line: a place past the end stands for the
// last character, a place before the start for the first.
TEST(TextOrigin, EditsAtAndBeyondTheEnds) {
    auto spans = [](const TextOrigin& origin) {
        std::string out;
        for (size_t i = 0; i < origin.size(); ++i)
            out += std::to_string(origin.at(i).begin) + "-" + std::to_string(origin.at(i).end) + " ";
        return out;
    };
    const std::function<void(TextOrigin&)> edits[] = {
        [](TextOrigin& o) { o.erase(1, 5); },    [](TextOrigin& o) { o.erase(3, 1); },
        [](TextOrigin& o) { o.replace(3, 1, 2); }, [](TextOrigin& o) { o.replace(3, 0, 1); },
        [](TextOrigin& o) { o.replace(4, 1, 1); }, [](TextOrigin& o) { o.insert(0, 1); },
        [](TextOrigin& o) { o.insert(9, 1); },   [](TextOrigin& o) { o.keep({true, false, true}); },
        [](TextOrigin& o) { o.slice(2, 9, 1); }, [](TextOrigin& o) { o.slice(9, 1, 1); },
    };
    const char* expected[] = {"0-1 ", "0-1 1-2 2-3 ", "0-1 1-2 2-3 2-3 2-3 ", "0-1 1-2 2-3 2-3 ",
                              "0-1 1-2 2-3 ", "0-1 0-1 1-2 2-3 ", "0-1 1-2 2-3 2-3 ", "0-1 2-3 ",
                              "2-3 2-3 ", "2-3 "};
    for (size_t k = 0; k < std::size(edits); ++k) {
        TextOrigin origin;
        origin.reset(3);
        edits[k](origin);
        EXPECT_EQ(spans(origin), expected[k]) << k;
    }
    TextOrigin empty;
    EXPECT_EQ(empty.at(5).end, 0);
    empty.insert(0, 1);
    EXPECT_EQ(spans(empty), "0-0 ");
}

}  // namespace
