// SPDX-License-Identifier: MIT
// One curve of a plot window: its function, interval, point count and current samples. GUI-free.
#pragma once

#include <string>
#include <vector>

#include "libs/graph/plot_math.h"

/// A curve y = f(x) over its interval, sampled over the visible part of it.
struct PlotCurve {
    /// The function text as given to plotAdd (the legend shows it).
    std::wstring label;
    PlotFunction function;
    /// Points per sampling (plotAdd's count), kept when re-sampling a zoomed view.
    int points = 200;
    /// The interval plotAdd gave.
    PlotRange domain;
    /// Robust y range over the whole interval (what "reset view" fits).
    PlotRange homeRange;
    /// Index into the palette.
    int colour = 0;
    /// Exactly `points` samples over the visible part of the interval.
    PlotSamples samples;
    /// What is drawn: the samples and the refined edges of gaps (see plotRefineEdges).
    PlotSamples path;
    /// Segments i -> i + 1 of path that cross a pole (see plotFindBreaks).
    std::vector<size_t> breaks;

    /// Samples the interval once and records its robust y range (narrower when it finds poles).
    void sampleDomain();
    /// Re-samples the part of the interval that view shows at `points` points and finds the breaks for it;
    /// with extend, the whole width of the view, beyond the interval.
    void resample(const PlotView& view, bool extend = false);
    /// True when x is drawn: inside the interval, or anywhere with extend.
    bool covers(double x, bool extend) const { return extend || (x >= domain.lo && x <= domain.hi); }
};
