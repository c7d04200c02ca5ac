// SPDX-License-Identifier: MIT
// One curve of a plot window: its function, interval, point count and current samples. GUI-free.
#pragma once

#include <string>
#include <vector>

#include "libs/graph/plot_math.h"

/// Beyond each side of the view, the samples reach this part of the view's width: a pan within it samples nothing,
/// and lines leave the view at their true slope.
constexpr double kPlotSampleMargin = 0.25;

/// A curve y = f(x), sampled over the visible range of the view.
struct PlotCurve {
    /// The function text as given to plotAdd (the legend shows it).
    std::wstring label;
    PlotFunction function;
    /// Points per width of the view (plotAdd's count: the first view shows the interval with exactly these).
    int points = 200;
    /// The interval plotAdd gave: it sets the first view and, when curves are not extended, where the curve ends.
    PlotRange domain;
    /// Robust y range over the whole interval (what "reset view" fits).
    PlotRange homeRange;
    /// Index into the palette.
    int colour = 0;
    /// Samples over the visible range and a margin on each side, at `density` points per view width on a grid that
    /// a pan does not move (see resample).
    PlotSamples samples;
    /// What is drawn: the samples and the refined edges of gaps (see plotRefineEdges).
    PlotSamples path;
    /// Segments i -> i + 1 of path that cross a pole (see plotFindBreaks).
    std::vector<size_t> breaks;
    /// Points per view width of the samples: `points`, or fewer for a draft while the view moves (0: not sampled).
    int density = 0;

    /// Samples the interval at `points` points, on the grid of a view as wide as the interval, and records its robust
    /// y range (narrower when it finds poles).
    void sampleDomain();
    /// Samples the visible range of view and kPlotSampleMargin on each side at `pointsPerWidth` points per view width
    /// (`points` when 0), and finds the breaks for the view's rows. With extend the curve goes on beyond its
    /// interval; without, it ends at the interval's ends. The samples lie on a grid x = anchor + k × width / (n - 1)
    /// that stays while the view's width does, so a pan keeps them and samples only what comes into the margin.
    void resample(const PlotView& view, bool extend = true, int pointsPerWidth = 0);
    /// True when x is drawn: inside the interval, or anywhere with extend.
    bool covers(double x, bool extend) const { return extend || (x >= domain.lo && x <= domain.hi); }

private:
    void useGrid(double anchor, double width, int pointsPerWidth, bool extend);
    /// The grid's x of index k.
    double node(double k) const;
    /// Samples the grid's x within range (and, without extend, the interval's ends there), keeping the values of
    /// the x sampled before.
    void sampleRange(const PlotRange& range, bool extend);

    /// The grid of the samples: its node 0, the view width it was made for, its points per width.
    double m_anchor = 0.0;
    double m_gridWidth = 0.0;
    int m_gridPoints = 0;
    bool m_extended = false;
};
