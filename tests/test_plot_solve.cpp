// SPDX-License-Identifier: MIT
// Spec Part 2.4: the plot and solve commands, with the graph library observed through a test hook.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

namespace {

class Part2_4_Plot : public ::testing::Test {
protected:
    Part2_4_Plot() { interpreter.setPlotHost(&plots); }
    Reply run(const std::wstring& line) { return runLine(interpreter, line); }
    Interpreter interpreter;
    RecordingPlotHost plots;
};

// Spec 2.4: default intervals by the function text.
TEST_F(Part2_4_Plot, DefaultIntervals) {
    struct Case {
        const wchar_t* line;
        const wchar_t* function;
        double xmin, xmax;
    };
    const Case cases[] = {{L"plot(sin(x))", L"sin(x)", -4, 4},   {L"plot(x^2)", L"x^2", -2, 2},
                          {L"plot(ln(x))", L"ln(x)", 1, 11},     {L"plot(sqrt(x)*cos(x))", L"sqrt(x)*cos(x)", -4, 4},
                          {L"plot('log(x)')", L"log(x)", 1, 11}, {L"plot( tan(x) )", L"tan(x)", -4, 4}};
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_TRUE(r.ok) << c.line;
        EXPECT_EQ(r.out, L"") << c.line;
        ASSERT_FALSE(plots.calls.empty());
        EXPECT_EQ(plots.calls.back().function, c.function) << c.line;
        EXPECT_EQ(plots.calls.back().points, 200) << c.line;
        EXPECT_EQ(plots.calls.back().xmin, c.xmin) << c.line;
        EXPECT_EQ(plots.calls.back().xmax, c.xmax) << c.line;
    }
    // Later plot commands add their curves to the same window.
    EXPECT_EQ(plots.windowsOpened, 1);
    for (const auto& call : plots.calls) EXPECT_EQ(call.handle, 1);
}

// Spec 2.4: points are clamped to 4..131072; 0 and a reversed interval fail.
TEST_F(Part2_4_Plot, Points) {
    EXPECT_TRUE(run(L"plot(x,0,1,2)").ok);
    EXPECT_EQ(plots.calls.back().points, 4);
    EXPECT_TRUE(run(L"plot(x,0,1,999999)").ok);
    EXPECT_EQ(plots.calls.back().points, 131072);
    EXPECT_TRUE(run(L"plot(x,-1.5,2.5,1000)").ok);
    EXPECT_EQ(plots.calls.back().points, 1000);
    EXPECT_EQ(plots.calls.back().xmin, -1.5);
    EXPECT_EQ(plots.calls.back().xmax, 2.5);
    const size_t calls = plots.calls.size();
    Reply r = run(L"plot(x,0,1,0)");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid plot points");
    r = run(L"plot(x,1,0)");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid plot interval");
    r = run(L"plot(x,0,1,33554433)");
    EXPECT_EQ(r.out, L"   ! invalid plot points");
    EXPECT_EQ(plots.calls.size(), calls);
}

// Spec 2.4: syntax, interval and points messages.
TEST_F(Part2_4_Plot, SyntaxErrors) {
    struct Case {
        const wchar_t* line;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"plot(x,0)", L"   ! invalid plot interval"},  {L"plot(x,0,1,5,6)", L"   ! invalid plot points"},
        {L"plot(", L"   ! invalid plot syntax"},        {L"plot(x", L"   ! invalid plot syntax"},
        {L"plot('x'y)", L"   ! invalid plot syntax"},   {L"plot(x,a,1)", L"   ! invalid plot interval"},
        {L"plot(x,0,1,2.5)", L"   ! invalid plot points"}, {L"plot(x,0,1,5", L"   ! invalid plot points"},
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_FALSE(r.ok) << c.line;
        EXPECT_EQ(r.out, c.out) << c.line;
    }
    EXPECT_TRUE(plots.calls.empty());
}

// Spec 2.4: closing the plot window and plotting again opens a new window.
TEST_F(Part2_4_Plot, ReopenAfterClose) {
    EXPECT_TRUE(run(L"plot(x)").ok);
    EXPECT_EQ(interpreter.plotId, 1);
    plots.closeWindow();
    EXPECT_TRUE(run(L"plot(x^2)").ok);
    EXPECT_EQ(plots.windowsOpened, 2);
    EXPECT_EQ(interpreter.plotId, 2);
    EXPECT_EQ(plots.calls.back().handle, 2);
}

// Spec 2.4: a refused curve and a window that cannot be created.
TEST_F(Part2_4_Plot, Failures) {
    plots.acceptAdd = false;
    Reply r = run(L"plot(sin()");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! invalid plot");
    plots.closeWindow();
    plots.failNew = true;
    r = run(L"plot(x)");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out, L"   ! cannot create plot");
}

// Spec 2.4: without plot windows (batch mode) the syntax is checked, then "cannot create plot".
TEST(Part2_4_PlotBatch, NoWindow) {
    Interpreter interpreter;
    EXPECT_EQ(runLine(interpreter, L"plot(sin(x))").out, L"   ! cannot create plot");
    EXPECT_EQ(runLine(interpreter, L"plot(x,0)").out, L"   ! invalid plot interval");
}

// Spec 2.4: variables take the values they have when the command runs; the text is preprocessed first.
TEST_F(Part2_4_Plot, VariablesAndPreprocessing) {
    run(L"k=3");
    EXPECT_TRUE(run(L"plot(k*x^2+pi,0,2e0)").ok);
    // "," is not a delimiter of Part 2.5: a constant right before it keeps its bare name.
    EXPECT_EQ(plots.calls.back().function, L"k*x^2+pi");
    EXPECT_TRUE(run(L"plot(pi*x)").ok);
    EXPECT_EQ(plots.calls.back().function, L"pi()*x");
    EXPECT_EQ(plots.calls.back().xmax, 2);
    EXPECT_EQ(plots.calls.back().variables[10], 3);
}

class Part2_4_Solve : public ::testing::Test {
protected:
    Part2_4_Solve() { interpreter.format.mode = NumberFormat::kAuto; }
    Reply run(const std::wstring& line) { return runLine(interpreter, line); }
    /// The two numbers of "x = ...   y = ...".
    static bool parse(const std::wstring& out, double* x, double* y) {
        return std::swscanf(out.c_str(), L"x = %lf   y = %lf", x, y) == 2;
    }
    Interpreter interpreter;
};

// Spec 2.4: solve(x^2-2) solves over [-10, 10] and leaves a = -10, b = 10.
TEST_F(Part2_4_Solve, DefaultInterval) {
    const Reply r = run(L"solve(x^2-2)");
    ASSERT_TRUE(r.ok) << r.out;
    double x = 0, y = 1;
    ASSERT_TRUE(parse(r.out, &x, &y)) << r.out;
    EXPECT_NEAR(std::fabs(x), std::sqrt(2.0), 1e-5);
    EXPECT_NEAR(y, 0, 1e-5);
    EXPECT_EQ(interpreter.vars.varValue[0], -10);
    EXPECT_EQ(interpreter.vars.varValue[1], 10);
    EXPECT_TRUE(interpreter.vars.varSet[0]);
    EXPECT_EQ(interpreter.vars.varCount, 0);
    EXPECT_NEAR(r.value, x, 1e-12);
    EXPECT_TRUE(interpreter.vars.varSet[23]);
    EXPECT_TRUE(interpreter.vars.varSet[24]);
}

// Spec 2.4: solve(x^2-2,0,3) sets a and b to 0 and 3.
TEST_F(Part2_4_Solve, GivenInterval) {
    const Reply r = run(L"solve(x^2-2,0,3)");
    ASSERT_TRUE(r.ok) << r.out;
    double x = 0, y = 1;
    ASSERT_TRUE(parse(r.out, &x, &y)) << r.out;
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-5);
    EXPECT_EQ(interpreter.vars.varValue[0], 0);
    EXPECT_EQ(interpreter.vars.varValue[1], 3);
    EXPECT_EQ(r.out.find(L"x = "), 0u);
    EXPECT_NE(r.out.find(L"   y = "), std::wstring::npos);
    // The root is in x afterwards.
    EXPECT_NEAR(runLine(interpreter, L"x").value, std::sqrt(2.0), 1e-5);
}

// Spec 2.4: solve(2+3) gives "invalid expression" (no x); bad syntax and intervals.
TEST_F(Part2_4_Solve, Failures) {
    struct Case {
        const wchar_t* line;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"solve(2+3)", L"   ! invalid expression"},     {L"solve(", L"   ! invalid solve syntax"},
        {L"solve(x", L"   ! invalid solve syntax"},       {L"solve(x,1)", L"   ! invalid solve interval"},
        {L"solve(x,3,1)", L"   ! invalid solve interval"}, {L"solve(x^2+,0,1)", L"   ! invalid expression"},
    };
    for (const auto& c : cases) {
        const Reply r = run(c.line);
        EXPECT_FALSE(r.ok) << c.line;
        EXPECT_EQ(r.out, c.out) << c.line;
    }
}

// Spec 2.4: the function may be quoted and use other variables.
TEST_F(Part2_4_Solve, QuotedWithVariables) {
    run(L"c=9");
    const Reply r = run(L"solve('x^2-c',0,5)");
    ASSERT_TRUE(r.ok) << r.out;
    EXPECT_NEAR(r.value, 3, 1e-5);
}

}  // namespace
