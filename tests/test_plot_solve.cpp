// SPDX-License-Identifier: MIT
// The plot and solve commands, with the graph library observed through a recording plot host.
#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <tuple>

#include "engine_test_support.h"

namespace {

class PlotCommand : public ::testing::Test {
protected:
    PlotCommand() { interpreter.setPlotHost(&plots); }
    Interpreter interpreter;
    RecordingPlotHost plots;
};

// The default interval follows the function text; later curves go to the same window.
TEST_F(PlotCommand, DefaultIntervals) {
    struct Case {
        const wchar_t* line;
        const wchar_t* function;
        double xmin, xmax;
    };
    const Case cases[] = {{L"plot(sin(x))", L"sin(x)", -4, 4},   {L"plot(x^2)", L"x^2", -2, 2},
                          {L"plot(ln(x))", L"ln(x)", 1, 11},     {L"plot(sqrt(x)*cos(x))", L"sqrt(x)*cos(x)", -4, 4},
                          {L"plot('log(x)')", L"log(x)", 1, 11}, {L"plot( tan(x) )", L"tan(x)", -4, 4}};
    for (const Case& c : cases) {
        expectLines(interpreter, {{c.line, L"", true}});
        ASSERT_FALSE(plots.calls.empty());
        const auto& call = plots.calls.back();
        EXPECT_EQ(call.function, c.function) << c.line;
        EXPECT_EQ(call.points, 200) << c.line;
        EXPECT_EQ(call.xmin, c.xmin) << c.line;
        EXPECT_EQ(call.xmax, c.xmax) << c.line;
        EXPECT_EQ(call.handle, 1) << c.line;
    }
    EXPECT_EQ(plots.windowsOpened, 1);
}

// In degrees and gradians a trigonometric curve spans two turns by default, and the plot window gets the
// unit's functions, so the curve keeps the unit it was drawn in.
TEST_F(PlotCommand, AngleUnit) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, double> cases[] = {
        {L"deg", L"plot(sin(x)+asin(1/2))", L"sinDeg(x)+asinDeg(1/2)", 360},
        {L"grad", L"plot(cos(x),0,1)", L"cosGrad(x)", 1},
        {L"grad", L"plot(x^2)", L"x^2", 2},
        {L"rad", L"plot(tan(x))", L"tan(x)", 4}};
    for (const auto& [unit, line, function, xmax] : cases) {
        runLine(interpreter, unit);
        EXPECT_TRUE(runLine(interpreter, line).ok) << line;
        EXPECT_EQ(plots.calls.back().function, function) << line;
        EXPECT_EQ(plots.calls.back().xmax, xmax) << line;
    }
}

/// A decimal comma, as a German process locale has.
struct DecimalComma : std::numpunct<wchar_t> {
    wchar_t do_decimal_point() const override { return L','; }
};

// Points are clamped to 4..131072; an interval is taken as given, with a full stop whatever the process locale.
TEST_F(PlotCommand, GivenIntervalAndPoints) {
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    const std::tuple<const wchar_t*, int, double, double> cases[] = {
        {L"plot(x,0,1,2)", 4, 0, 1}, {L"plot(x,0,1,999999)", 131072, 0, 1}, {L"plot(x,-1.5,2.5,1000)", 1000, -1.5, 2.5}};
    for (const auto& [line, points, xmin, xmax] : cases) {
        EXPECT_TRUE(runLine(interpreter, line).ok) << line;
        EXPECT_EQ(plots.calls.back().points, points) << line;
        EXPECT_EQ(plots.calls.back().xmin, xmin) << line;
        EXPECT_EQ(plots.calls.back().xmax, xmax) << line;
    }
    std::locale::global(before);
}

// Bad syntax, intervals and points fail with their messages and plot nothing.
TEST_F(PlotCommand, SyntaxErrors) {
    expectLines(interpreter, {{L"plot(x,0,1,0)", L"   ! invalid plot points", false},
                              {L"plot(x,1,0)", L"   ! invalid plot interval", false},
                              {L"plot(x,0,1,33554433)", L"   ! invalid plot points", false},
                              {L"plot(x,0)", L"   ! invalid plot interval", false},
                              {L"plot(x,0,1,5,6)", L"   ! invalid plot points", false},
                              {L"plot(", L"   ! invalid plot syntax", false},
                              {L"plot(x", L"   ! invalid plot syntax", false},
                              {L"plot('x'y)", L"   ! invalid plot syntax", false},
                              {L"plot(x,a,1)", L"   ! invalid plot interval", false},
                              {L"plot(x,0,1,2.5)", L"   ! invalid plot points", false},
                              {L"plot(x,0,1,5", L"   ! invalid plot points", false},
                              // Each bound and the count must be a whole number text: no empty field, no
                              // leading white space the blank removal leaves, no trailing letter, no overflow.
                              {L"plot(x,,1)", L"   ! invalid plot interval", false},
                              {L"plot(x,\v0,1)", L"   ! invalid plot interval", false},
                              {L"plot(x,0,1,)", L"   ! invalid plot points", false},
                              {L"plot(x,0,1,\f5)", L"   ! invalid plot points", false},
                              {L"plot(x,0,1,5e)", L"   ! invalid plot points", false},
                              {L"plot(x,0,1,99999999999999999999)", L"   ! invalid plot points", false}});
    EXPECT_TRUE(plots.calls.empty());
}

// A closed window is replaced by a new one; a refused curve and a window that cannot be made fail.
TEST_F(PlotCommand, WindowsAndFailures) {
    EXPECT_TRUE(runLine(interpreter, L"plot(x)").ok);
    EXPECT_EQ(interpreter.plotId, 1);
    plots.closeWindow();
    EXPECT_TRUE(runLine(interpreter, L"plot(x^2)").ok);
    EXPECT_EQ(plots.windowsOpened, 2);
    EXPECT_EQ(interpreter.plotId, 2);
    EXPECT_EQ(plots.calls.back().handle, 2);
    plots.acceptAdd = false;
    expectLines(interpreter, {{L"plot(sin()", L"   ! invalid plot", false}});
    plots.closeWindow();
    plots.failNew = true;
    expectLines(interpreter, {{L"plot(x)", L"   ! cannot create plot", false}});
    // Without plot windows (batch mode) the syntax is checked first.
    Interpreter batch;
    expectLines(batch, {{L"plot(sin(x))", L"   ! cannot create plot", false},
                        {L"plot(x,0)", L"   ! invalid plot interval", false}});
}

// Variables pass with their values when the command runs; the text is preprocessed first ("," is no
// delimiter there, so a constant right before it keeps its bare name).
TEST_F(PlotCommand, VariablesAndPreprocessing) {
    runLine(interpreter, L"k=3");
    EXPECT_TRUE(runLine(interpreter, L"plot(k*x^2+pi,0,2e0)").ok);
    EXPECT_EQ(plots.calls.back().function, L"k*x^2+pi");
    EXPECT_EQ(plots.calls.back().xmax, 2);
    EXPECT_TRUE(runLine(interpreter, L"plot(pi*x)").ok);
    EXPECT_EQ(plots.calls.back().function, L"pi()*x");
    EXPECT_EQ(plots.calls.back().variables[10], 3);
}

// The window evaluates the written-out text; its legend names the curve as it was typed, blanks left out.
TEST_F(PlotCommand, LegendNamesTheCurveAsTyped) {
    const struct {
        const wchar_t* line;
        const wchar_t* function;
        const wchar_t* label;
    } rows[] = {
        {L"plot(pi*x)", L"pi()*x", L"pi*x"},
        {L"f(x)=x^2-2; plot(f(x))", L"(x^2-2)", L"f(x)"},
        {L"plot( sin(x) + pi )", L"sin(x)+pi()", L"sin(x)+pi"},
        {L"deg; plot(cos(x))", L"cosDeg(x)", L"cos(x)"},
    };
    for (const auto& row : rows) {
        const std::wstring line = row.line;
        const size_t split = line.find(L"; ");
        if (split != std::wstring::npos) runLine(interpreter, line.substr(0, split));
        EXPECT_TRUE(runLine(interpreter, line.substr(split == std::wstring::npos ? 0 : split + 2)).ok) << row.line;
        EXPECT_EQ(plots.calls.back().function, row.function) << row.line;
        EXPECT_EQ(plots.calls.back().label, row.label) << row.line;
    }
}

/// Solves the line and reads the two numbers of "x = ...   y = ...".
Reply solveLine(Interpreter& interpreter, const std::wstring& line, double* x, double* y) {
    const Reply r = runLine(interpreter, line);
    EXPECT_EQ(std::swscanf(r.out.c_str(), L"x = %lf   y = %lf", x, y), 2) << r.out;
    return r;
}

// solve(f) works over [-10, 10], solve(f,a,b) over [a, b]; a and b keep the interval (in use, not counted),
// x and y the root and its residual.
TEST(SolveCommand, IntervalsAndResults) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    double x = 0, y = 1;
    const Reply r = solveLine(interpreter, L"solve(x^2-2)", &x, &y);
    EXPECT_TRUE(r.ok);
    EXPECT_NEAR(std::fabs(x), std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(y, 0, 1e-5);
    EXPECT_NEAR(r.value, x, 1e-12);
    EXPECT_EQ(interpreter.vars.varValue[0], -10);
    EXPECT_EQ(interpreter.vars.varValue[1], 10);
    EXPECT_EQ(interpreter.vars.varCount, 0);
    for (int slot : {0, 1, 23, 24}) EXPECT_TRUE(interpreter.vars.varSet[slot]) << slot;
    EXPECT_TRUE(solveLine(interpreter, L"solve(x^2-2,0,3)", &x, &y).ok);
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-5);
    EXPECT_EQ(interpreter.vars.varValue[0], 0);
    EXPECT_EQ(interpreter.vars.varValue[1], 3);
    EXPECT_NEAR(runLine(interpreter, L"x").value, std::sqrt(2.0), 1e-5);
    // The function may be quoted and use other variables.
    runLine(interpreter, L"c=9");
    EXPECT_NEAR(solveLine(interpreter, L"solve('x^2-c',0,5)", &x, &y).value, 3, 1e-5);
}

// A solve that finds no root answers as before (accepted, x and y), and says why beside the reply: the same
// cases in which the solver dialog answers "No real solution found".
TEST(SolveCommand, NoRootIsToldBesideTheReply) {
    const struct {
        const wchar_t* line;
        const wchar_t* note;
    } rows[] = {
        {L"solve(x^2-2,0,3)", L""},
        {L"solve(1e-9*(x-3))", L""},
        {L"solve(x^2)", L""},
        {L"solve(x^2+1)", L"no root here: f changes no sign on [-10, 10]"},
        {L"solve(exp(x),2,5)", L"no root here: f changes no sign on [2, 5]"},
        {L"solve(1/x,-1,2)", L"no root here: f changes sign on [-1, 2] only across a pole or a step"},
        {L"solve(tan(x),1,2)", L"no root here: f changes sign on [1, 2] only across a pole or a step"},
        {L"solve(floor(x)-0.5)", L"no root here: f jumps over 0 at x = 1.00000001912691 (a pole or a step)"},
        {L"iter=3; solve(x^3-2*x-5,2,3)", L"no root found: the search needs more evaluations than iter allows"},
    };
    for (const auto& row : rows) {
        Interpreter interpreter;
        std::wstring out;
        const std::wstring line = row.line;
        const size_t split = line.find(L"; ");
        if (split != std::wstring::npos) {
            ASSERT_TRUE(interpreter.evaluateLine(line.substr(0, split), &out));
        }
        EXPECT_TRUE(interpreter.evaluateLine(line.substr(split == std::wstring::npos ? 0 : split + 2), &out));
        EXPECT_EQ(out.rfind(L"x = ", 0), 0u) << out;
        EXPECT_EQ(interpreter.solveNote(), row.note) << row.line;
        EXPECT_TRUE(interpreter.evaluateLine(L"1+1", &out));
        EXPECT_EQ(interpreter.solveNote(), L"") << "a later line forgets the note";
    }
    // A function with no value on the whole interval answers its middle.
    Interpreter interpreter;
    std::wstring out;
    EXPECT_TRUE(interpreter.evaluateLine(L"solve(sqrt(-1-x^2),0,1)", &out));
    EXPECT_EQ(out, L"x = 0.5   y = nan");
}

TEST(SolveCommand, Failures) {
    Interpreter interpreter;
    expectLines(interpreter, {{L"solve(2+3)", L"   ! invalid expression", false},  // no x to solve for
                              {L"solve(", L"   ! invalid solve syntax", false},
                              {L"solve(x", L"   ! invalid solve syntax", false},
                              {L"solve(x,1)", L"   ! invalid solve interval", false},
                              {L"solve(x,3,1)", L"   ! invalid solve interval", false},
                              {L"solve(x^2+,0,1)", L"   ! invalid expression", false}});
}

}  // namespace

// The solver dialog's routine: its checks in order, the console's reading of a function (blanks, the user's
// functions, the angle unit, at most 379 characters), and "No real solution found" exactly where the console's
// solve tells that it found none.
TEST(SolveFunction, MessagesAndZeros) {
    Interpreter interpreter;
    std::wstring out;
    interpreter.evaluateLine(L"f(t)=t^2-2", &out);
    std::wstring longBody = L"t";
    while (longBody.size() < 240) longBody += L"+t";
    interpreter.evaluateLine(L"w(t)=" + longBody, &out);
    std::wstring longFunction = L"x-1";  // 379 characters that solve, then 21 that would not parse
    while (longFunction.size() < 379) longFunction += L"+0";
    longFunction += std::wstring(21, L')');
    const double one = 1, twoUlps = std::nextafter(std::nextafter(one, 2.0), 2.0);
    const double threeUlps = std::nextafter(twoUlps, 2.0);
    const struct {
        std::wstring function;
        double lower, upper;
        const wchar_t* reply;
    } rows[] = {
        {L"", -10, 10, L"! Empty function"},
        {L"X^2-4", -10, 10, L"! No x in function"},
        {L"   ", -10, 10, L"! No x in function"},
        {std::wstring(380, L' ') + L"x", -10, 10, L"! Empty function"},  // the x lies beyond what is read
        {L"x-1", -10, -10, L"! Invalid interval"},
        {L"x-1", one, twoUlps, L"! Invalid interval"},
        {L"x-1", one, threeUlps, L"x = 1\ny = 0"},
        {L"x+*", -10, 10, L"! Invalid function"},
        {L"foo(x)", -10, 10, L"! Unknown function"},
        {L"f(x,x)", 0, 3, L"! Wrong number of arguments"},
        {L"w(x)+w(x)", 0, 3, L"! Expression too long"},
        {L"x - 1", 10, -10, L"x = 1\ny = 0"},
        {longFunction, -10, 10, L"x = 1\ny = 0"},
        {L"exp(1)", -10, 10, L"No real solution found\nin the specified interval"},
        {L"floor(x)-0.5", -10, 10, L"No real solution found\nin the specified interval"},
        {L"1/x", -1, 2, L"No real solution found\nin the specified interval"},
    };
    for (const auto& row : rows) {
        double x = 7, y = 7;
        EXPECT_EQ(interpreter.solveFunction(row.function, row.lower, row.upper, &x, &y), row.reply) << row.function;
    }
    // The zero and f there reach the caller; the user's functions and the angle unit apply as in the console.
    double x = 0, y = 1;
    const std::wstring reply = interpreter.solveFunction(L"f(x)", 0, 3, &x, &y);
    EXPECT_EQ(reply.rfind(L"x = 1.41421356237", 0), 0u) << reply;
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(y, 0, 1e-6);
    interpreter.evaluateLine(L"deg", &out);
    EXPECT_EQ(interpreter.solveFunction(L"sin(x)-0.5", 0, 90, nullptr, nullptr), L"x = 30\ny = 0");
}

// The iteration limit typed in the console holds for the dialog's routine; 0 is the default limit.
TEST(SolveFunction, FollowsTheConsolesIterationLimit) {
    Interpreter interpreter;
    std::wstring out;
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"iter=2", L"No real solution found\nin the specified interval"},
        {L"iter=4096", L"x = 2.094551"},
        {L"iter=0", L"x = 2.094551"},
    };
    for (const auto& [line, reply] : rows) {
        ASSERT_TRUE(interpreter.evaluateLine(line, &out)) << line;
        const std::wstring answer = interpreter.solveFunction(L"x^3-2*x-5", 2, 3, nullptr, nullptr);
        EXPECT_EQ(answer.rfind(reply, 0), 0u) << line << ": " << answer;
    }
}
