// SPDX-License-Identifier: MIT
// Notable points of plotted curves: zeros, extrema and intersections of real functions through the parser.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "libs/graph/plot_expression.h"
#include "libs/graph/plot_labels.h"
#include "libs/graph/plot_points.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
using K = PlotPointKind;

struct Expected {
    K kind;
    double x, y;
};

std::vector<PlotCurve> curves(const std::vector<std::wstring>& texts, double lo, double hi, int points)
{
    std::vector<PlotCurve> result;
    for (const std::wstring& text : texts) {
        PlotCurve c;
        c.label = text;
        c.function = PlotExpression::create(text, lmValues{});
        EXPECT_TRUE(c.function) << std::string(text.begin(), text.end());
        c.points = points;
        c.domain = PlotRange{lo, hi};
        result.push_back(std::move(c));
    }
    return result;
}

struct Case {
    std::vector<std::wstring> functions;
    double lo, hi;
    int points;
    std::vector<Expected> expected;
    /// Only the intersections are compared (each curve's own points are checked by the rows above).
    bool intersectionsOnly = false;
};

TEST(PlotPoints, FindsZerosExtremaAndIntersectionsOfKnownCurves)
{
    const double r = std::sqrt(2.0 / 3.0);
    const Case cases[] = {
        {{L"sin(x)"}, -7, 7, 200,
         {{K::Zero, -2 * kPi, 0}, {K::Zero, -kPi, 0}, {K::Zero, 0, 0}, {K::Zero, kPi, 0}, {K::Zero, 2 * kPi, 0},
          {K::Maximum, -1.5 * kPi, 1}, {K::Minimum, -0.5 * kPi, -1}, {K::Maximum, 0.5 * kPi, 1},
          {K::Minimum, 1.5 * kPi, -1}}},
        {{L"x^3-2*x-5"}, -3, 3, 200,
         {{K::Zero, 2.0945514815423265, 0}, {K::Maximum, -r, -5 + 2 * r - r * r * r},
          {K::Minimum, r, -5 - 2 * r + r * r * r}}},
        // The poles at ±pi/2 and ±3pi/2 change sign but are no zeros.
        {{L"tan(x)"}, -5, 5, 200, {{K::Zero, -kPi, 0}, {K::Zero, 0, 0}, {K::Zero, kPi, 0}}},
        {{L"1/x"}, -1, 1, 200, {}},
        // Touching the axis: one minimum that is also a zero, whether or not a sample falls on 0.
        {{L"x^2"}, -2, 2, 200, {{K::Minimum, 0, 0}}},
        {{L"x^2"}, -2, 2, 201, {{K::Minimum, 0, 0}}},
        {{L"exp(-x^2)"}, -3, 3, 200, {{K::Maximum, 0, 1}}},
        {{L"floor(x)-0.5"}, -0.9, 2.9, 200, {}},
        {{L"sin(x)", L"cos(x)"}, -7, 7, 200,
         {{K::Intersection, -1.75 * kPi, std::sin(-1.75 * kPi)}, {K::Intersection, -0.75 * kPi, std::sin(-0.75 * kPi)},
          {K::Intersection, 0.25 * kPi, std::sin(0.25 * kPi)}, {K::Intersection, 1.25 * kPi, std::sin(1.25 * kPi)}},
         true},
        // The same curve twice coincides everywhere: no intersection points.
        {{L"x", L"x"}, -1, 1, 50, {}, true},
    };
    for (const Case& c : cases) {
        std::vector<PlotCurve> list = curves(c.functions, c.lo, c.hi, c.points);
        const PlotView view{c.lo, c.hi, -10, 10};
        for (PlotCurve& curve : list)
            curve.resample(view);
        PlotNotablePoints found = plotFindNotablePoints(list, view);
        if (c.intersectionsOnly)
            found.points.erase(std::remove_if(found.points.begin(), found.points.end(),
                                              [](const PlotNotablePoint& p) { return p.kind != K::Intersection; }),
                               found.points.end());
        const std::string name(c.functions[0].begin(), c.functions[0].end());
        for (const Expected& e : c.expected) {
            bool hit = false;
            for (const PlotNotablePoint& p : found.points) {
                const bool kind = p.kind == e.kind || (e.kind == K::Zero && p.touchesZero);
                if (kind && std::fabs(p.x - e.x) < 1e-6 && std::fabs(p.y - e.y) < 1e-9)
                    hit = true;
            }
            EXPECT_TRUE(hit) << name << ": " << static_cast<int>(e.kind) << " at " << e.x;
        }
        EXPECT_EQ(found.points.size(), c.expected.size()) << name;
        EXPECT_EQ(found.more, 0u) << name;
        if (name == "x^2") {
            EXPECT_TRUE(found.points.at(0).touchesZero);
        }
    }
}

// A curve's function is the math library's: the variables as they were, no function for a refused text, and a
// point the library refuses to evaluate is a gap, like a NaN.
TEST(PlotExpressions, VariablesRefusalsAndGaps)
{
    lmValues variables{};
    variables[0] = 3;  // a
    const PlotFunction scaled = PlotExpression::create(L"a*x", variables);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled(2), 6);
    EXPECT_FALSE(PlotExpression::create(L"x+", lmValues{}));
    const PlotFunction bits = PlotExpression::create(L"band(x,3)", lmValues{});
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits(7), 3);
    EXPECT_TRUE(std::isnan(bits(0.5)));  // whole numbers expected
    EXPECT_EQ(bits(6), 2);                // the refusal before does not stay
}

TEST(PlotPoints, MarksAtMostTheLimitAndCountsTheRest)
{
    std::vector<PlotCurve> list = curves({L"sin(50*x)"}, -10, 10, 4000);
    const PlotView view{-10, 10, -2, 2};
    list[0].resample(view);
    const PlotNotablePoints found = plotFindNotablePoints(list, view);
    EXPECT_EQ(found.points.size(), kPlotMaxMarkers);
    // 319 zeros and 318 extrema in view: all but the marked ones are counted.
    EXPECT_EQ(found.points.size() + found.more, 637u);
}

// The points marked are those in view: not those above or below it, and those beyond the curve's interval when the
// view reaches there.
TEST(PlotPoints, PointsFollowTheView)
{
    std::vector<PlotCurve> list = curves({L"x^2-4"}, -3, 3, 200);
    PlotView view{-3, 3, -1, 10};  // the minimum (0, -4) lies below the view
    list[0].resample(view);
    PlotNotablePoints found = plotFindNotablePoints(list, view);
    ASSERT_EQ(found.points.size(), 2u);
    EXPECT_EQ(plotPointLabel(found.points[0], view), "(-2, 0)");
    list = curves({L"sin(x)"}, -4, 4, 200);
    view = PlotView{-10, 10, -2, 2};
    list[0].resample(view);
    found = plotFindNotablePoints(list, view);
    // Zeros at 0, ±pi, ±2pi, ±3pi; extrema at ±pi/2, ±3pi/2, ±5pi/2.
    EXPECT_EQ(found.points.size(), 13u);
    EXPECT_TRUE(std::any_of(found.points.begin(), found.points.end(), [](const PlotNotablePoint& p) {
        return p.kind == K::Zero && std::fabs(p.x + 3 * kPi) < 1e-9;
    }));
}

TEST(PlotPoints, LabelAndClipboardText)
{
    const PlotView view{-3, 3, -3, 3};
    const struct {
        PlotNotablePoint point;
        const char* label;
        const char* clip;
    } rows[] = {
        {{K::Zero, std::sqrt(2.0), 0.0}, "(1.41421, 0)", "1.4142135623731; 0"},
        {{K::Minimum, 3e-10, -1.0 / 3}, "(0, -0.333333)", "0; -0.333333333333333"},
        {{K::Maximum, -2.5, 1e-5}, "(-2.5, 1e-05)", "-2.5; 1e-05"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(plotPointLabel(row.point, view), row.label);
        EXPECT_EQ(plotPointClipboardText(row.point, view), row.clip);
    }
}

// Labels sit beside their own markers, inside the plot, clear of other markers, labels and the legend; a label whose
// preferred place is the only one another label has gives way, and a marker hemmed in gets none.
TEST(PlotLabels, EachLabelBesideItsOwnMarkerWhereItHasRoom)
{
    const PlotRect area{0, 0, 400, 200};
    const PlotLabelGeometry g;
    const double side = g.markerRadius + g.gap;
    struct Row {
        const char* name;
        std::vector<PlotPoint> markers;
        std::vector<PlotRect> obstacles;
        /// Per marker: the place it gets (index into plotLabelPlaces: 0 above right, 1 above left, 2 below right, 3 below
        /// left), -1 for none, -2 for any.
        std::vector<int> expected;
    };
    const std::vector<Row> rows = {
        {"alone", {{200, 100}}, {}, {0}},
        {"in the top right corner", {{395, 5}}, {}, {3}},
        {"the legend above right", {{200, 100}}, {{210, 60, 80, 35}}, {1}},
        // B, in the top left corner, has one place, the one A prefers: A takes its next.
        {"a corner's only place", {{10, 45}, {10, 8}}, {}, {2, 2}},
        // A marker 12 pixels to the right: a label there would stand as near to it as to its own.
        {"a neighbour to the right", {{200, 100}, {212, 100}}, {}, {1, 0}},
        {"hemmed in", {{200, 100}, {209, 100}, {191, 100}, {200, 109}, {200, 91}}, {}, {-1, -2, -2, -2, -2}},
    };
    for (const Row& row : rows) {
        std::vector<PlotLabelRequest> requests;
        for (const PlotPoint& m : row.markers)
            requests.push_back(PlotLabelRequest{m, 50, 19});
        const auto boxes = plotPlaceLabels(requests, row.markers, area, row.obstacles, g);
        for (size_t i = 0; i < row.markers.size(); ++i) {
            SCOPED_TRACE(std::string(row.name) + ", marker " + std::to_string(i));
            const int want = row.expected[i];
            ASSERT_EQ(boxes[i].has_value(), want != -1);
            if (want == -1)
                continue;
            EXPECT_NEAR(plotDistanceToRect(*boxes[i], row.markers[i]), side, 1e-9);
            if (want == -2)
                continue;
            const PlotRect expected = plotLabelPlaces(requests[i], g)[static_cast<size_t>(want)];
            EXPECT_TRUE(boxes[i]->left == expected.left && boxes[i]->top == expected.top)
                << boxes[i]->left << " " << boxes[i]->top;
        }
    }
    const auto groups = plotGroupMarkers({{0, 0}, {1, 1}, {10, 0}, {0.5, 0}, {10, 1.5}}, g.samePlace);
    EXPECT_EQ(groups, (std::vector<std::vector<size_t>>{{0, 1, 3}, {2, 4}}));
}

} // namespace
