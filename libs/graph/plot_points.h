// SPDX-License-Identifier: MIT
// Notable points of the curves in a plot: zeros, local minima and maxima, intersections. GUI-free.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "libs/graph/plot_curve.h"

/// At most this many points are marked; more are only counted.
constexpr size_t kPlotMaxMarkers = 100;

enum class PlotPointKind { Zero, Minimum, Maximum, Intersection };

/// One notable point in plane coordinates.
struct PlotNotablePoint {
    PlotPointKind kind = PlotPointKind::Zero;
    double x = 0.0;
    double y = 0.0;
    /// The curve (index), and for an intersection the second curve.
    int curve = 0;
    int other = -1;
    /// An extremum on the x axis (x^2 at 0): also a zero, without a sign change.
    bool touchesZero = false;
};

/// The points in view, and how many more were found than are marked.
struct PlotNotablePoints {
    std::vector<PlotNotablePoint> points;
    size_t more = 0;
};

/// The notable points of the curves inside view, from their current samples: zeros on each sign change
/// (poles and jumps are not zeros), extrema at each turn of the samples, and the intersections of each pair
/// of curves, refined by the math library's root finder and minimiser. At most limit points are refined.
PlotNotablePoints plotFindNotablePoints(const std::vector<PlotCurve>& curves, const PlotView& view,
                                        size_t limit = kPlotMaxMarkers);

/// The marker's label, six significant digits: "(1.41421, 0)".
std::string plotPointLabel(const PlotNotablePoint& point, const PlotView& view);
/// What a click on the marker copies, full precision: "1.4142135623731; 0".
std::string plotPointClipboardText(const PlotNotablePoint& point, const PlotView& view);
