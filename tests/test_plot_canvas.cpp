// SPDX-License-Identifier: MIT
// Pure logic of the plot window (Part 1.3, left to the implementer): ticks, labels, sampling, breaks, fitting.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_math.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// 7 pixels per character (code point), like a 9-point sans font.
double charWidth(const std::string& text)
{
    double n = 0;
    for (char c : text)
        n += (c & 0xC0) != 0x80 ? 1 : 0;
    return 7.0 * n;
}

bool isNice(double step)
{
    double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9;
}

// Checks the spacing of labels centred on their ticks along an axis `pixels` long.
void expectNoOverlap(const PlotTicks& ticks, double lo, double hi, double pixels, double gap)
{
    for (size_t i = 1; i < ticks.values.size(); ++i) {
        double a = (ticks.values[i - 1] - lo) / (hi - lo) * pixels;
        double b = (ticks.values[i] - lo) / (hi - lo) * pixels;
        double room = (charWidth(ticks.labels[i - 1]) + charWidth(ticks.labels[i])) / 2.0 + gap;
        EXPECT_GE(b - a, room - 1e-9) << ticks.labels[i - 1] << " / " << ticks.labels[i];
    }
}

struct TickCase {
    double lo, hi;
};

} // namespace

// Spec 1.3 (left to the implementer): ticks are 1, 2, 5 × 10^k, lie in range, have distinct labels.
TEST(Part1_3_PlotTicks, NiceStepsInRangeWithDistinctLabels)
{
    const TickCase cases[] = {{-2, 2},       {0, 1e-9},    {1e12, 1e12 + 1}, {-4, 4},     {0, 1},
                              {1, 11},       {-5, 5},      {-1e-300, 1e-300}, {-1e6, 3e6}, {0.001, 0.0012},
                              {-123.4, 5.6}, {1e20, 2e20}, {-7e-5, 3e-5},    {2.5, 2.5000001}};
    for (const TickCase& c : cases) {
        PlotTicks ticks = plotMakeTicks(c.lo, c.hi, 560, 70, charWidth, 18);
        SCOPED_TRACE(std::to_string(c.lo) + " .. " + std::to_string(c.hi));
        ASSERT_GE(ticks.values.size(), 2u);
        EXPECT_TRUE(isNice(ticks.step)) << ticks.step;
        for (size_t i = 0; i < ticks.values.size(); ++i) {
            EXPECT_GE(ticks.values[i], c.lo - ticks.step * 1e-9);
            EXPECT_LE(ticks.values[i], c.hi + ticks.step * 1e-9);
            if (i > 0) {
                EXPECT_NE(ticks.labels[i], ticks.labels[i - 1]);
            }
        }
        expectNoOverlap(ticks, c.lo, c.hi, 560, 18);
    }
}

TEST(Part1_3_PlotTicks, LabelsOfCommonRanges)
{
    PlotTicks t = plotMakeTicks(-2, 2, 560, 70, charWidth, 18);
    EXPECT_EQ(t.step, 0.5);
    EXPECT_EQ(t.labels.front(), "−2.0");  // U+2212 minus
    EXPECT_EQ(t.labels[4], "0");
    t = plotMakeTicks(-4, 4, 560, 70, charWidth, 18);
    EXPECT_EQ(t.step, 1.0);
    EXPECT_EQ(t.labels.front(), "−4");
    EXPECT_EQ(t.labels.back(), "4");
    t = plotMakeTicks(0, 1, 560, 70, charWidth, 18);
    EXPECT_DOUBLE_EQ(t.step, 0.2);
    EXPECT_EQ(t.labels[3], "0.6");  // not 0.6000000000000001
}

TEST(Part1_3_PlotTicks, TinyAndHugeRangesUseShortLabels)
{
    PlotTicks t = plotMakeTicks(0, 1e-9, 560, 70, charWidth, 18);
    EXPECT_EQ(t.notation, PlotNotation::Scientific);
    EXPECT_EQ(t.labels.front(), "0");
    EXPECT_EQ(t.labels.back(), "1×10⁻⁹");
    t = plotMakeTicks(1e12, 1e12 + 1, 560, 70, charWidth, 18);
    ASSERT_GE(t.values.size(), 2u);
    EXPECT_EQ(t.labels.front(), "1000000000000.0");
    t = plotMakeTicks(-1e-300, 1e-300, 560, 70, charWidth, 18);
    EXPECT_EQ(t.labels.front(), "−1×10⁻³⁰⁰");
    EXPECT_EQ(t.labels.back(), "1×10⁻³⁰⁰");
}

TEST(Part1_3_PlotTicks, DegenerateRangesDoNotFail)
{
    PlotTicks t = plotMakeTicks(3, 3, 560, 70, charWidth, 18);
    ASSERT_EQ(t.values.size(), 1u);
    EXPECT_EQ(t.labels[0], "3");
    t = plotMakeTicks(0, 0, 560, 70, charWidth, 18);
    EXPECT_EQ(t.values.size(), 1u);
    EXPECT_TRUE(plotMakeTicks(kNaN, 1, 560, 70, charWidth, 18).values.empty());
    EXPECT_TRUE(plotMakeTicks(0, kInf, 560, 70, charWidth, 18).values.empty());
    t = plotMakeTicks(2, -2, 560, 70, charWidth, 18);  // reversed
    EXPECT_GE(t.values.size(), 2u);
    t = plotMakeTicks(0, 1, 10, 70, charWidth, 18);  // tiny axis
    EXPECT_LE(t.values.size(), 2u);
}

TEST(Part1_3_PlotTicks, LabelsNeverOverlapWhenWide)
{
    // Wide labels (20 px per character) on a short axis force larger steps.
    auto wide = [](const std::string& s) { return 20.0 * charWidth(s) / 7.0; };
    for (double hi : {1.0, 7.0, 1e5, 1e12 + 1}) {
        double lo = hi == 1e12 + 1 ? 1e12 : -hi;
        PlotTicks t = plotMakeTicks(lo, hi, 300, 40, wide, 10);
        for (size_t i = 1; i < t.values.size(); ++i) {
            double a = (t.values[i - 1] - lo) / (hi - lo) * 300, b = (t.values[i] - lo) / (hi - lo) * 300;
            EXPECT_GE(b - a, (wide(t.labels[i - 1]) + wide(t.labels[i])) / 2 + 10 - 1e-9);
        }
    }
}

TEST(Part1_3_PlotTicks, NiceStepSequenceAndMinorSteps)
{
    EXPECT_DOUBLE_EQ(plotNiceStep(0.3), 0.5);
    EXPECT_DOUBLE_EQ(plotNiceStep(1.0), 1.0);
    EXPECT_DOUBLE_EQ(plotNiceStep(1.01), 2.0);
    EXPECT_DOUBLE_EQ(plotNiceStep(7), 10.0);
    EXPECT_DOUBLE_EQ(plotNextNiceStep(2.0), 5.0);
    EXPECT_DOUBLE_EQ(plotNextNiceStep(5.0), 10.0);
    EXPECT_DOUBLE_EQ(plotMinorStep(1.0), 0.2);
    EXPECT_DOUBLE_EQ(plotMinorStep(2.0), 0.5);
    EXPECT_DOUBLE_EQ(plotMinorStep(0.5), 0.1);
}

TEST(Part1_3_PlotTicks, CoordinatesShowWhatAPixelResolves)
{
    EXPECT_EQ(plotFormatCoordinate(1.23456789, 0.01), "1.23");
    EXPECT_EQ(plotFormatCoordinate(-0.0001, 0.01), "0.00");
    EXPECT_EQ(plotFormatCoordinate(1500.0, 5.0), "1500");
    EXPECT_EQ(plotFormatCoordinate(1e-12, 1e-14), "1.00e-12");
}

// Spec 2.4: points are 4..131072; the library samples exactly that many, ends included.
TEST(Part1_3_PlotSampling, PointCounts)
{
    PlotSamples s = plotSample([](double x) { return x * x; }, -2, 2, 4);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s.x.front(), -2.0);
    EXPECT_EQ(s.x.back(), 2.0);
    EXPECT_DOUBLE_EQ(s.y[1], 4.0 / 9.0);
    s = plotSample([](double x) { return std::sin(x); }, -4, 4, 131072);
    ASSERT_EQ(s.size(), 131072u);
    EXPECT_EQ(s.x.back(), 4.0);
    for (size_t i = 1; i < s.size(); ++i)
        ASSERT_LT(s.x[i - 1], s.x[i]);
    EXPECT_EQ(plotSample([](double) { return 1.0; }, 0, 1, 1).size(), 2u);
}

TEST(Part1_3_PlotSampling, NaNAndInfinityBreakTheLine)
{
    // sqrt over [-1, 1]: the left half is NaN, only the right half is drawn.
    PlotSamples s = plotSample([](double x) { return std::sqrt(x); }, -1, 1, 201);
    PlotView view{-1, 1, -0.1, 1.1};
    PlotTransform t(view, PlotRect{0, 0, 400, 300});
    auto lines = plotBuildPolylines(s, {}, t, -10, 310);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].front().x, 200.0, 1e-9);
    // A single infinite sample in the middle splits the line in two.
    s = plotSample([](double x) { return x == 0.0 ? kInf : x; }, -1, 1, 201);
    lines = plotBuildPolylines(s, {}, t, -10, 310);
    EXPECT_EQ(lines.size(), 2u);
    // All NaN: nothing to draw, and no y range.
    s = plotSample([](double) { return kNaN; }, -1, 1, 50);
    EXPECT_TRUE(plotBuildPolylines(s, {}, t, -10, 310).empty());
    EXPECT_FALSE(plotRobustRange(s.y).valid());
}

TEST(Part1_3_PlotSampling, GapEdgesAreRefined)
{
    // sqrt over [-1, 1] with 200 points has no sample at 0; the refined path reaches it.
    PlotFunction root = [](double x) { return std::sqrt(x); };
    PlotSamples s = plotSample(root, -1, 1, 200);
    PlotSamples path = plotRefineEdges(root, s);
    ASSERT_EQ(path.size(), 201u);
    size_t first = 0;
    while (!std::isfinite(path.y[first]))
        ++first;
    EXPECT_LT(path.x[first], 1e-12);
    EXPECT_LT(path.y[first], 1e-6);
    for (size_t i = 1; i < path.size(); ++i)
        EXPECT_LT(path.x[i - 1], path.x[i]);
    // ln dives towards its pole; a gap on the right (sqrt(1 - x)) is refined too.
    PlotFunction ln = [](double x) { return std::log(x); };
    path = plotRefineEdges(ln, plotSample(ln, -1, 2, 200));
    double lowest = 0;
    for (double y : path.y)
        if (std::isfinite(y))
            lowest = std::min(lowest, y);
    EXPECT_LT(lowest, -20.0);
    PlotFunction right = [](double x) { return std::sqrt(1 - x); };
    path = plotRefineEdges(right, plotSample(right, 0, 2, 10));
    EXPECT_EQ(path.size(), 11u);
    // Without gaps nothing changes.
    PlotFunction sine = [](double x) { return std::sin(x); };
    EXPECT_EQ(plotRefineEdges(sine, plotSample(sine, -4, 4, 200)).size(), 200u);
}

// Spec 1.3 (left to the implementer): a pole is not drawn as a vertical line.
TEST(Part1_3_PlotBreaks, TanOverMinusFiveToFiveBreaksAtItsFourPoles)
{
    PlotFunction f = [](double x) { return std::tan(x); };
    PlotSamples s = plotSample(f, -5, 5, 200);
    PlotRange r = plotRobustRange(s.y);
    std::vector<size_t> breaks = plotFindBreaks(f, s, r.lo, r.hi);
    ASSERT_EQ(breaks.size(), 4u);
    const double poles[] = {-3 * M_PI / 2, -M_PI / 2, M_PI / 2, 3 * M_PI / 2};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_LT(s.x[breaks[i]], poles[i]);
        EXPECT_GT(s.x[breaks[i] + 1], poles[i]);
    }
    PlotTransform t(PlotView{-5, 5, r.lo, r.hi}, PlotRect{0, 0, 600, 400});
    EXPECT_EQ(plotBuildPolylines(s, breaks, t, -10, 410).size(), 5u);
}

TEST(Part1_3_PlotBreaks, ReciprocalBreaksAtZeroOnly)
{
    PlotFunction f = [](double x) { return 1.0 / x; };
    PlotSamples s = plotSample(f, -2, 2, 200);  // 0 is not a sample point
    std::vector<size_t> breaks = plotFindBreaks(f, s, -10, 10);
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_LT(s.x[breaks[0]], 0.0);
    EXPECT_GT(s.x[breaks[0] + 1], 0.0);
}

TEST(Part1_3_PlotBreaks, SteepButContinuousIsNotBroken)
{
    // Steep, sign-changing, continuous: atan(1000 x) and 50 x with a coarse sampling.
    PlotFunction steep = [](double x) { return std::atan(1000 * x); };
    PlotSamples s = plotSample(steep, -1, 1, 20);
    EXPECT_TRUE(plotFindBreaks(steep, s, -1.6, 1.6).empty());
    PlotFunction line = [](double x) { return 50 * x; };
    s = plotSample(line, -1, 1, 4);
    EXPECT_TRUE(plotFindBreaks(line, s, -1, 1).empty());
    // 1/x^2 has no sign change: the curve rises off the view on both sides, and that is drawn.
    PlotFunction square = [](double x) { return 1 / (x * x); };
    s = plotSample(square, -2, 2, 200);
    std::vector<size_t> b = plotFindBreaks(square, s, 0, 20);
    PlotTransform t(PlotView{-2, 2, 0, 20}, PlotRect{0, 0, 400, 300});
    for (const auto& l : plotBuildPolylines(s, b, t, -10, 310))
        for (const PlotPoint& p : l)
            EXPECT_TRUE(p.y >= -10 - 1e-9 && p.y <= 310 + 1e-9);
}

TEST(Part1_3_PlotBreaks, StepFunctionJumpsAreBroken)
{
    PlotFunction f = [](double x) { return std::floor(x); };
    PlotSamples s = plotSample(f, -2.05, 2.05, 41);
    EXPECT_EQ(plotFindBreaks(f, s, -2, 2).size(), 0u);  // jumps of 1 are below half the view (2)
    EXPECT_EQ(plotFindBreaks(f, s, -0.5, 0.5).size(), 2u);  // only the jumps at 0 and 1 touch the view
}

// Spec 1.3 (left to the implementer): poles must not squash the rest of the curve flat.
TEST(Part1_3_PlotView, RobustRangeIgnoresPoles)
{
    PlotSamples s = plotSample([](double x) { return std::tan(x); }, -5, 5, 200);
    PlotRange r = plotRobustRange(s.y);
    EXPECT_GT(r.hi, 3.0);
    EXPECT_LT(r.hi, 40.0);
    EXPECT_LT(r.lo, -3.0);
    EXPECT_GT(r.lo, -40.0);
    s = plotSample([](double x) { return 1.0 / x; }, -2, 2, 200);
    r = plotRobustRange(s.y);
    EXPECT_LT(r.hi, 40.0);
    EXPECT_GT(r.lo, -40.0);
    // Without poles the whole curve is shown, peaks included.
    s = plotSample([](double x) { return std::exp(-100 * x * x); }, -2, 2, 200);
    r = plotRobustRange(s.y);
    EXPECT_NEAR(r.hi, 1.0, 0.02);
    s = plotSample([](double x) { return std::sin(x); }, -4, 4, 200);
    r = plotRobustRange(s.y);
    EXPECT_NEAR(r.lo, -1.0, 1e-3);
    EXPECT_NEAR(r.hi, 1.0, 1e-3);
}

TEST(Part1_3_PlotView, FitViewUnitesCurvesWithMargins)
{
    PlotView v = plotFitView({{-4, 4}, {-2, 2}}, {{-1, 1}, {0, 4}});
    EXPECT_EQ(v.xmin, -4.0);
    EXPECT_EQ(v.xmax, 4.0);
    EXPECT_LT(v.ymin, -1.0);
    EXPECT_GT(v.ymax, 4.0);
    EXPECT_LT(v.ymax, 4.5);
    // Nearly reaching 0 includes the x axis (exp over [-2, 2]).
    v = plotFitView({{-2, 2}}, {{0.135, 7.39}});
    EXPECT_LE(v.ymin, 0.0);
    // A constant function and an empty plot still get a usable view.
    v = plotFitView({{0, 1}}, {{3, 3}});
    EXPECT_LT(v.ymin, 3.0);
    EXPECT_GT(v.ymax, 3.0);
    v = plotFitView({}, {{kNaN, kNaN}});
    EXPECT_LT(v.xmin, v.xmax);
    EXPECT_LT(v.ymin, v.ymax);
}

TEST(Part1_3_PlotView, ZoomPanAndClamp)
{
    PlotView v{-4, 4, -1, 1};
    PlotView z = plotZoomAround(v, 2, 0, 0.5, 0.5);
    EXPECT_DOUBLE_EQ(z.xmin, -1.0);
    EXPECT_DOUBLE_EQ(z.xmax, 3.0);
    PlotView p = plotPan(v, 1, -0.5);
    EXPECT_DOUBLE_EQ(p.xmin, -3.0);
    EXPECT_DOUBLE_EQ(p.ymax, 0.5);
    // Endless zooming stops where doubles still separate pixels.
    PlotView tiny = v;
    for (int i = 0; i < 400; ++i)
        tiny = plotZoomAround(tiny, 1, 0.5, 0.1, 0.1);
    EXPECT_GT(tiny.width(), 0.0);
    EXPECT_GT(tiny.xmax, tiny.xmin);
    PlotView huge = v;
    for (int i = 0; i < 400; ++i)
        huge = plotZoomAround(huge, 0, 0, 10, 10);
    EXPECT_TRUE(std::isfinite(huge.width()));
    EXPECT_EQ(plotClampView(PlotView{0, kNaN, 0, 1}, v).xmax, 4.0);
}

TEST(Part1_3_PlotView, CurvesResampleOverTheVisiblePartOfTheirInterval)
{
    PlotCurve c;
    c.function = [](double x) { return std::sin(x); };
    c.points = 200;
    c.domain = {-4, 4};
    c.sampleDomain();
    c.resample(PlotView{-1, 1, -1, 1});
    ASSERT_EQ(c.samples.size(), 200u);
    EXPECT_EQ(c.samples.x.front(), -1.0);
    EXPECT_EQ(c.samples.x.back(), 1.0);
    c.resample(PlotView{3, 10, -1, 1});  // half outside the interval
    EXPECT_EQ(c.samples.x.front(), 3.0);
    EXPECT_EQ(c.samples.x.back(), 4.0);
    c.resample(PlotView{5, 10, -1, 1});  // none visible
    EXPECT_EQ(c.samples.size(), 0u);
    // Extended, the curve covers the whole view.
    c.resample(PlotView{5, 10, -1, 1}, true);
    ASSERT_EQ(c.samples.size(), 200u);
    EXPECT_EQ(c.samples.x.front(), 5.0);
    EXPECT_TRUE(c.covers(7.0, true));
    EXPECT_FALSE(c.covers(7.0, false));
}

TEST(Part1_3_PlotDrawing, ColumnDecimationKeepsExtremes)
{
    PlotSamples s = plotSample([](double x) { return std::sin(50 * x); }, 0, 10, 131072);
    PlotTransform t(PlotView{0, 10, -1.2, 1.2}, PlotRect{0, 0, 600, 400});
    auto lines = plotBuildPolylines(s, {}, t, -10, 410);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].size(), 4u * 601u);
    double top = 1e9, bottom = -1e9;
    for (const PlotPoint& p : lines[0]) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_NEAR(top, t.toPixelY(1.0), 0.01);
    EXPECT_NEAR(bottom, t.toPixelY(-1.0), 0.01);
    EXPECT_EQ(lines[0].front().x, 0.0);
    EXPECT_EQ(lines[0].back().x, 600.0);
}

TEST(Part1_3_PlotDrawing, HugeValuesAreClippedNotOverflowed)
{
    PlotSamples s;
    s.x = {0, 1, 2};
    s.y = {0, 1e300, 0};
    PlotTransform t(PlotView{0, 2, -1, 1}, PlotRect{0, 0, 200, 200});
    auto lines = plotBuildPolylines(s, {}, t, -10, 210);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& l : lines)
        for (const PlotPoint& p : l)
            EXPECT_TRUE(std::isfinite(p.y) && p.y >= -10 - 1e-9);
}

TEST(Part1_3_PlotDrawing, LegendAvoidsTheCurves)
{
    // A rising line through the top right and bottom left corners: the legend goes top left.
    std::vector<std::vector<PlotPoint>> lines(1);
    for (int i = 0; i <= 100; ++i)
        lines[0].push_back({i * 6.0, 400 - i * 4.0});
    EXPECT_EQ(plotChooseLegendCorner(PlotRect{0, 0, 600, 400}, 120, 40, lines), 1);
    EXPECT_EQ(plotChooseLegendCorner(PlotRect{0, 0, 600, 400}, 120, 40, {}), 0);
}
