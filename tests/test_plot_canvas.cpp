// SPDX-License-Identifier: MIT
// Pure logic of the plot window: ticks, labels, sampling, breaks at poles, view fitting, polylines.
#include <algorithm>
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

// `px` pixels per character (code point): 7 is a 9-point sans font.
PlotTextWidth charWidth(double px = 7.0)
{
    return [px](const std::string& text) {
        auto codePoints = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
        return px * static_cast<double>(codePoints);
    };
}

std::string labelsOf(double lo, double hi)
{
    std::string all;
    for (const std::string& label : plotMakeTicks(lo, hi, 560, 70, charWidth(), 18).labels)
        all += (all.empty() ? "" : " ") + label;
    return all;
}

bool isNice(double step)
{
    double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9;
}

} // namespace

// Ticks are 1, 2, 5 × 10^k apart and in range, their labels distinct, short (the typographic minus, no float
// noise, powers of ten for tiny and huge values) and, centred on their ticks, never overlapping.
TEST(PlotTicks, NiceStepsWithShortDistinctLabelsThatDoNotOverlap)
{
    struct Case { double lo, hi; const char* labels = nullptr; double charPx = 7, axis = 560, spacing = 70, gap = 18; };
    const Case cases[] = {
        {-2, 2, "−2.0 −1.5 −1.0 −0.5 0 0.5 1.0 1.5 2.0"},
        {-4, 4, "−4 −3 −2 −1 0 1 2 3 4"},
        {0, 1, "0 0.2 0.4 0.6 0.8 1.0"},
        {0, 1e-9, "0 2×10⁻¹⁰ 4×10⁻¹⁰ 6×10⁻¹⁰ 8×10⁻¹⁰ 1×10⁻⁹"},
        {1e12, 1e12 + 1, "1000000000000.0 1000000000000.5 1000000000001.0"},
        {-1e-300, 1e-300, "−1×10⁻³⁰⁰ −5×10⁻³⁰¹ 0 5×10⁻³⁰¹ 1×10⁻³⁰⁰"},
        {1, 11}, {-1e6, 3e6}, {0.001, 0.0012}, {-123.4, 5.6}, {1e20, 2e20}, {-7e-5, 3e-5}, {2.5, 2.5000001},
        // Wide labels on a short axis force larger steps.
        {-1, 1, nullptr, 20, 300, 40, 10}, {-7, 7, nullptr, 20, 300, 40, 10}, {-1e5, 1e5, nullptr, 20, 300, 40, 10},
        {1e12, 1e12 + 1, nullptr, 20, 300, 40, 10},
    };
    for (const Case& c : cases) {
        PlotTextWidth width = charWidth(c.charPx);
        PlotTicks t = plotMakeTicks(c.lo, c.hi, c.axis, c.spacing, width, c.gap);
        SCOPED_TRACE(std::to_string(c.lo) + " .. " + std::to_string(c.hi));
        ASSERT_GE(t.values.size(), 2u);
        EXPECT_TRUE(isNice(t.step)) << t.step;
        if (c.labels != nullptr) {
            EXPECT_EQ(labelsOf(c.lo, c.hi), c.labels);
        }
        for (size_t i = 0; i < t.values.size(); ++i) {
            EXPECT_GE(t.values[i], c.lo - t.step * 1e-9);
            EXPECT_LE(t.values[i], c.hi + t.step * 1e-9);
            if (i == 0)
                continue;
            EXPECT_NE(t.labels[i], t.labels[i - 1]);
            double a = (t.values[i - 1] - c.lo) / (c.hi - c.lo) * c.axis;
            double b = (t.values[i] - c.lo) / (c.hi - c.lo) * c.axis;
            EXPECT_GE(b - a, (width(t.labels[i - 1]) + width(t.labels[i])) / 2 + c.gap - 1e-9)
                << t.labels[i - 1] << " / " << t.labels[i];
        }
    }
    // Empty, reversed, unusable ranges and a tiny axis.
    EXPECT_TRUE(labelsOf(3, 3) == "3" && labelsOf(0, 0) == "0");
    EXPECT_TRUE(labelsOf(kNaN, 1).empty() && labelsOf(0, kInf).empty());
    EXPECT_EQ(labelsOf(2, -2), labelsOf(-2, 2));
    EXPECT_LE(plotMakeTicks(0, 1, 10, 70, charWidth(), 18).values.size(), 2u);
}

TEST(PlotTicks, StepSequencesAndCoordinateText)
{
    const double steps[][2] = {{plotNiceStep(0.3), 0.5},   {plotNiceStep(1.0), 1.0},     {plotNiceStep(1.01), 2.0},
                               {plotNiceStep(7), 10.0},    {plotNextNiceStep(2.0), 5.0}, {plotNextNiceStep(5.0), 10.0},
                               {plotMinorStep(1.0), 0.2},  {plotMinorStep(2.0), 0.5},    {plotMinorStep(0.5), 0.1},
                               // A width that is no width falls back to a step of 1.
                               {plotNiceStep(0.0), 1.0},   {plotNiceStep(NAN), 1.0},     {plotNiceStep(INFINITY), 1.0}};
    for (const auto& step : steps)
        EXPECT_DOUBLE_EQ(step[0], step[1]) << "row " << &step - steps;
    // Coordinates show what a pixel resolves.
    EXPECT_EQ(plotFormatCoordinate(1.23456789, 0.01), "1.23");
    EXPECT_EQ(plotFormatCoordinate(-0.0001, 0.01), "0.00");
    EXPECT_EQ(plotFormatCoordinate(1500.0, 5.0), "1500");
    EXPECT_EQ(plotFormatCoordinate(1e-12, 1e-14), "1.00e-12");
    // Without a finite value or a pixel size, or a tick without a step, the shortest text of the value.
    const std::pair<std::string, std::string> shortest[] = {
        {plotFormatCoordinate(NAN, 0.01), "nan"},
        {plotFormatCoordinate(2.5, 0.0), "2.5"},
        {plotFormatTick(INFINITY, 1.0, PlotNotation::Fixed), "inf"},
        {plotFormatTick(0.25, 0.0, PlotNotation::Fixed), "0.25"},
        {plotFormatTick(-1e-12, 0.5, PlotNotation::Fixed), "0"}};
    for (const auto& [text, expected] : shortest)
        EXPECT_EQ(text, expected);
}

// Exactly the points asked for, evenly spaced, both ends included.
TEST(PlotSampling, PointCounts)
{
    PlotSamples s = plotSample([](double x) { return x * x; }, -2, 2, 4);
    ASSERT_TRUE(s.size() == 4 && s.x.front() == -2.0 && s.x.back() == 2.0);
    EXPECT_DOUBLE_EQ(s.y[1], 4.0 / 9.0);
    EXPECT_EQ(plotSample([](double) { return 1.0; }, 0, 1, 1).size(), 2u);
}

TEST(PlotSampling, NaNAndInfinityBreakTheLine)
{
    // sqrt over [-1, 1]: the left half is NaN, only the right half is drawn.
    PlotSamples s = plotSample([](double x) { return std::sqrt(x); }, -1, 1, 201);
    PlotTransform t(PlotView{-1, 1, -0.1, 1.1}, PlotRect{0, 0, 400, 300});
    auto lines = plotBuildPolylines(s, {}, t, -10, 310);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].front().x, 200.0, 1e-9);
    s = plotSample([](double x) { return x == 0.0 ? kInf : x; }, -1, 1, 201);
    EXPECT_EQ(plotBuildPolylines(s, {}, t, -10, 310).size(), 2u);
    s = plotSample([](double) { return kNaN; }, -1, 1, 50);
    EXPECT_TRUE(plotBuildPolylines(s, {}, t, -10, 310).empty());
    EXPECT_FALSE(plotRobustRange(s.y).valid());
}

// The drawn path reaches into gaps of the domain: sqrt to 0, ln down its pole, sqrt(1 - x) to 1.
TEST(PlotSampling, GapEdgesAreRefined)
{
    PlotFunction root = [](double x) { return std::sqrt(x); };
    PlotSamples path = plotRefineEdges(root, plotSample(root, -1, 1, 200));  // no sample at 0
    ASSERT_EQ(path.size(), 201u);
    auto finite = [](double y) { return std::isfinite(y); };
    size_t first = static_cast<size_t>(std::find_if(path.y.begin(), path.y.end(), finite) - path.y.begin());
    EXPECT_TRUE(path.x[first] < 1e-12 && path.y[first] < 1e-6) << path.x[first];
    for (size_t i = 1; i < path.size(); ++i)
        EXPECT_LT(path.x[i - 1], path.x[i]);
    PlotFunction ln = [](double x) { return std::log(x); };
    path = plotRefineEdges(ln, plotSample(ln, -1, 2, 200));
    double lowest = 0;
    for (double y : path.y)
        lowest = std::isfinite(y) ? std::min(lowest, y) : lowest;
    EXPECT_LT(lowest, -20.0);
    PlotFunction right = [](double x) { return std::sqrt(1 - x); };
    EXPECT_EQ(plotRefineEdges(right, plotSample(right, 0, 2, 10)).size(), 11u);
    PlotFunction sine = [](double x) { return std::sin(x); };
    EXPECT_EQ(plotRefineEdges(sine, plotSample(sine, -4, 4, 200)).size(), 200u);
}

// Poles and jumps that cross the view are broken; steep but continuous curves are not.
TEST(PlotBreaks, PolesAndJumpsOnly)
{
    struct Case { const char* name; PlotFunction f; double xmin, xmax; int points; double ymin, ymax; size_t breaks; };
    const Case cases[] = {
        {"1/x", [](double x) { return 1.0 / x; }, -2, 2, 200, -10, 10, 1},
        {"atan(1000x)", [](double x) { return std::atan(1000 * x); }, -1, 1, 20, -1.6, 1.6, 0},
        {"50x", [](double x) { return 50 * x; }, -1, 1, 4, -1, 1, 0},
        // No sign change: the curve rises off the view on both sides, and that is drawn.
        {"1/x^2", [](double x) { return 1 / (x * x); }, -2, 2, 200, 0, 20, 0},
        {"floor, jumps below half the view", [](double x) { return std::floor(x); }, -2.05, 2.05, 41, -2, 2, 0},
        {"floor, jumps at 0 and 1 in view", [](double x) { return std::floor(x); }, -2.05, 2.05, 41, -0.5, 0.5, 2},
    };
    for (const Case& c : cases) {
        PlotSamples s = plotSample(c.f, c.xmin, c.xmax, c.points);
        std::vector<size_t> b = plotFindBreaks(c.f, s, c.ymin, c.ymax);
        ASSERT_EQ(b.size(), c.breaks) << c.name;
        if (c.breaks == 1) {
            EXPECT_TRUE(s.x[b[0]] < 0.0 && s.x[b[0] + 1] > 0.0) << c.name;
        }
    }
    // tan over [-5, 5] breaks between the samples around each of its four poles: five branches.
    PlotFunction tan = [](double x) { return std::tan(x); };
    PlotSamples s = plotSample(tan, -5, 5, 200);
    PlotRange r = plotRobustRange(s.y);
    std::vector<size_t> breaks = plotFindBreaks(tan, s, r.lo, r.hi);
    ASSERT_EQ(breaks.size(), 4u);
    const double poles[] = {-3 * M_PI / 2, -M_PI / 2, M_PI / 2, 3 * M_PI / 2};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(s.x[breaks[i]] < poles[i] && s.x[breaks[i] + 1] > poles[i]) << i;
    PlotTransform t(PlotView{-5, 5, r.lo, r.hi}, PlotRect{0, 0, 600, 400});
    EXPECT_EQ(plotBuildPolylines(s, breaks, t, -10, 410).size(), 5u);
}

// The tails of poles do not squash the curve flat; without poles the whole curve shows, peaks included.
TEST(PlotView, RobustRangeIgnoresPolesKeepsPeaks)
{
    struct Case { const char* name; PlotFunction f; double xmin, xmax, lo, hi, tolerance; };
    const Case cases[] = {
        {"tan(x)", [](double x) { return std::tan(x); }, -5, 5, -20, 20, 17},
        {"1/x", [](double x) { return 1.0 / x; }, -2, 2, -20, 20, 20},
        {"exp(-100x^2)", [](double x) { return std::exp(-100 * x * x); }, -2, 2, 0, 1, 0.02},
        {"sin(x)", [](double x) { return std::sin(x); }, -4, 4, -1, 1, 1e-3},
    };
    for (const Case& c : cases) {
        PlotRange r = plotRobustRange(plotSample(c.f, c.xmin, c.xmax, 200).y);
        EXPECT_NEAR(r.lo, c.lo, c.tolerance) << c.name;
        EXPECT_NEAR(r.hi, c.hi, c.tolerance) << c.name;
    }
}

TEST(PlotView, FitViewUnitesCurvesWithMargins)
{
    PlotView v = plotFitView({{-4, 4}, {-2, 2}}, {{-1, 1}, {0, 4}});
    EXPECT_TRUE(v.xmin == -4 && v.xmax == 4 && v.ymin < -1 && v.ymin > -1.5 && v.ymax > 4 && v.ymax < 4.5)
        << v.xmin << " " << v.xmax << " " << v.ymin << " " << v.ymax;
    // A range that nearly reaches 0 shows the x axis, above or below it.
    EXPECT_LE(plotFitView({{-2, 2}}, {{1, 10}}).ymin, 0.0);
    EXPECT_GE(plotFitView({{-2, 2}}, {{-10, -1}}).ymax, 0.0);
    // A constant function and an empty plot still get a usable view.
    v = plotFitView({{0, 1}}, {{3, 3}});
    EXPECT_TRUE(v.ymin < 3 && v.ymax > 3);
    v = plotFitView({}, {{kNaN, kNaN}});
    EXPECT_TRUE(v.xmin < v.xmax && v.ymin < v.ymax);
}

TEST(PlotView, ZoomPanAndClamp)
{
    PlotView v{-4, 4, -1, 1};
    PlotView z = plotZoomAround(v, 2, 0, 0.5, 0.5), p = plotPan(v, 1, -0.5);
    EXPECT_TRUE(z.xmin == -1.0 && z.xmax == 3.0 && z.ymin == -0.5) << z.xmin << " " << z.xmax << " " << z.ymin;
    EXPECT_TRUE(p.xmin == -3.0 && p.ymax == 0.5) << p.xmin << " " << p.ymax;
    // Endless zooming stops where doubles still separate pixels, and never overflows.
    PlotView tiny = v, huge = v;
    for (int i = 0; i < 400; ++i) {
        tiny = plotZoomAround(tiny, 1, 0.5, 0.1, 0.1);
        huge = plotZoomAround(huge, 0, 0, 10, 10);
    }
    EXPECT_GT(tiny.xmax, tiny.xmin);
    EXPECT_TRUE(std::isfinite(huge.width()));
    EXPECT_EQ(plotClampView(PlotView{0, kNaN, 0, 1}, v).xmax, 4.0);
}

// A curve is sampled over the view and a quarter of it on each side at its point count per view width, on a grid that
// a pan keeps: a pan within the margin evaluates nothing, a longer one only what comes into the margin.
TEST(PlotView, CurvesFollowTheViewAtTheirPointCountPerWidth)
{
    int evaluations = 0;
    PlotCurve c;
    c.function = [&evaluations](double x) { ++evaluations; return std::sin(x); };
    c.domain = {-4, 4};
    c.sampleDomain();
    const auto within = [&c](double lo, double hi) {
        return std::count_if(c.samples.x.begin(), c.samples.x.end(), [=](double x) { return x >= lo && x <= hi; });
    };
    c.resample(PlotView{-4, 4, -1, 1});  // the first view: the interval's own 200 points, ends included
    EXPECT_TRUE(within(-4, 4) == 200 && c.samples.x.front() == -4.0 && c.samples.x.back() == 4.0);
    const std::vector<double> home = c.samples.x;
    evaluations = 0;
    c.resample(PlotView{-3.5, 4.5, -1, 1});  // the first move adds the margins, keeping the 200
    EXPECT_TRUE(c.samples.x.front() < -5.4 && c.samples.x.back() > 6.4 && evaluations < 110) << evaluations;
    EXPECT_TRUE(std::includes(c.samples.x.begin(), c.samples.x.end(), home.begin(), home.end()));
    evaluations = 0;
    c.resample(PlotView{-5, 3, -1, 1});  // within the margin: nothing new
    EXPECT_EQ(evaluations, 0);
    c.resample(PlotView{0, 8, -1, 1});  // beyond it: only what comes into the margin
    EXPECT_TRUE(c.samples.x.back() > 9.9 && evaluations > 0 && evaluations < 110) << evaluations;
    c.resample(PlotView{1000, 1016, -1, 1});  // far away and zoomed out: 200 points per width again
    EXPECT_NEAR(within(1000, 1016), 200, 1);
    EXPECT_TRUE(c.samples.x.front() < 996.1 && c.samples.x.back() > 1019.9);
    for (size_t i = 0; i < c.samples.size(); i += 61)
        EXPECT_EQ(c.samples.y[i], std::sin(c.samples.x[i]));
    // Without extend the curve ends at its interval, exactly; out of it, it is not sampled.
    c.resample(PlotView{3, 10, -1, 1}, false);
    EXPECT_TRUE(c.samples.x.front() <= 3 && c.samples.x.back() == 4.0);
    c.resample(PlotView{5, 10, -1, 1}, false);
    EXPECT_TRUE(c.samples.size() == 0 && c.covers(7.0, true) && !c.covers(7.0, false));
    // Poles beyond the first interval break the line as inside it.
    c.function = [](double x) { return std::tan(x); };
    c.resample(PlotView{20, 28, -10, 10});
    EXPECT_EQ(c.breaks.size(), 4u);  // 7.5pi, 8.5pi in view, 6.5pi and 9.5pi in the margins
}

// An interval a few of the smallest doubles wide has no step between its points: its ends alone are sampled,
// in the first view and after a zoom (the grid's step once rounded to 0 and the sampling never ended).
TEST(PlotView, IntervalsTooNarrowForAStepSampleTheirEnds)
{
    PlotCurve c;
    c.function = [](double x) { return 3 * x; };
    c.points = 502;
    c.domain = {-0.0, 4.9e-324};
    c.sampleDomain();
    EXPECT_EQ(c.samples.x, (std::vector<double>{-0.0, 4.9e-324}));
    c.resample(PlotView{-0.0, 4.9e-324, -1, 1}, false);
    EXPECT_LE(c.samples.size(), 2u);
}

// 131072 points cost a few per pixel column, and the extremes survive.
TEST(PlotDrawing, ColumnDecimationKeepsExtremes)
{
    PlotSamples s = plotSample([](double x) { return std::sin(50 * x); }, 0, 10, 131072);
    ASSERT_EQ(s.size(), 131072u);
    EXPECT_EQ(s.x.back(), 10.0);
    for (size_t i = 1; i < s.size(); ++i)
        ASSERT_LT(s.x[i - 1], s.x[i]);
    PlotTransform t(PlotView{0, 10, -1.2, 1.2}, PlotRect{0, 0, 600, 400});
    auto lines = plotBuildPolylines(s, {}, t, -10, 410);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].size(), 4u * 601u);
    auto byY = [](const PlotPoint& a, const PlotPoint& b) { return a.y < b.y; };
    auto [top, bottom] = std::minmax_element(lines[0].begin(), lines[0].end(), byY);
    EXPECT_NEAR(top->y, t.toPixelY(1.0), 0.01);
    EXPECT_NEAR(bottom->y, t.toPixelY(-1.0), 0.01);
    EXPECT_TRUE(lines[0].front().x == 0.0 && lines[0].back().x == 600.0);
}

TEST(PlotDrawing, HugeValuesAreClippedAndTheLegendAvoidsTheCurves)
{
    PlotSamples s{{0, 1, 2}, {0, 1e300, 0}};
    auto lines = plotBuildPolylines(s, {}, PlotTransform(PlotView{0, 2, -1, 1}, PlotRect{0, 0, 200, 200}), -10, 210);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& l : lines)
        for (const PlotPoint& p : l)
            EXPECT_TRUE(std::isfinite(p.y) && p.y >= -10 - 1e-9 && p.y <= 210 + 1e-9);
    // A rising line through the top right and bottom left corners: the legend goes top left.
    std::vector<std::vector<PlotPoint>> rising(1);
    for (int i = 0; i <= 100; ++i)
        rising[0].push_back({i * 6.0, 400 - i * 4.0});
    EXPECT_EQ(plotChooseLegendCorner(PlotRect{0, 0, 600, 400}, 120, 40, rising), 1);
    EXPECT_EQ(plotChooseLegendCorner(PlotRect{0, 0, 600, 400}, 120, 40, {}), 0);
}
