// SPDX-License-Identifier: MIT
#include "libs/graph/plot_curve.h"

#include <algorithm>

void PlotCurve::sampleDomain()
{
    samples = plotSample(function, domain.lo, domain.hi, points);
    path = plotRefineEdges(function, samples);
    PlotRange first = plotRobustRange(samples.y);
    breaks = first.valid() ? plotFindBreaks(function, path, first.lo, first.hi) : std::vector<size_t>();
    homeRange = plotRobustRange(samples.y, plotHasPoles(path, breaks));
}

void PlotCurve::resample(const PlotView& view, bool extend)
{
    PlotRange part = extend ? PlotRange{view.xmin, view.xmax} : plotVisibleDomain(domain, view);
    if (!part.valid()) {
        samples = PlotSamples{};
        path = PlotSamples{};
        breaks.clear();
        return;
    }
    // The samples already cover exactly this part: only the breaks depend on the view's rows.
    bool same = samples.size() == static_cast<size_t>(std::max(points, 2)) && samples.x.front() == part.lo &&
                samples.x.back() == part.hi;
    if (!same) {
        samples = plotSample(function, part.lo, part.hi, points);
        path = plotRefineEdges(function, samples);
    }
    breaks = plotFindBreaks(function, path, view.ymin, view.ymax);
}
