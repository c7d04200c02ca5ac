// SPDX-License-Identifier: MIT
#include "libs/graph/plot_curve.h"

#include <algorithm>
#include <cmath>

namespace {

// Grid indices beyond this are re-anchored at the view: far from the anchor, k × step would lose the low bits of x.
constexpr double kMaxGridIndex = 1e12;
// Two view widths this close (relative) are the same width: a pan moves both ends by one rounded amount.
constexpr double kSameWidth = 1e-9;

/// Values of old reused where x matches exactly (both sorted by x), the others evaluated.
void fillFrom(const PlotSamples& old, const PlotFunction& f, PlotSamples& fresh)
{
    size_t j = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
        const double x = fresh.x[i];
        while (j < old.size() && old.x[j] < x)
            ++j;
        fresh.y[i] = j < old.size() && old.x[j] == x ? old.y[j] : f(x);
    }
}

} // namespace

void PlotCurve::sampleDomain()
{
    samples = plotSample(function, domain.lo, domain.hi, points);
    path = plotRefineEdges(function, samples);
    PlotRange first = plotRobustRange(samples.y);
    breaks = first.valid() ? plotFindBreaks(function, path, first.lo, first.hi) : std::vector<size_t>();
    homeRange = plotRobustRange(samples.y, plotHasPoles(path, breaks));
    density = 0;
}

void PlotCurve::resample(const PlotView& view, bool extend, int pointsPerWidth)
{
    const int n = std::max(pointsPerWidth > 0 ? pointsPerWidth : points, 2);
    const double width = view.width();
    const PlotRange visible = extend ? PlotRange{view.xmin, view.xmax} : plotVisibleDomain(domain, view);
    if (!visible.valid() || !(width > 0.0) || !std::isfinite(width)) {
        samples = path = PlotSamples{};
        breaks.clear();
        density = n;
        return;
    }
    const bool sameGrid = n == m_gridPoints && extend == m_extended &&
                          std::fabs(width - m_gridWidth) <= kSameWidth * width;
    const bool covered = sameGrid && density == n && samples.size() >= 2 && samples.x.front() <= visible.lo &&
                         samples.x.back() >= visible.hi;
    if (!covered) {
        if (!sameGrid) {
            m_anchor = domain.lo;
            m_gridWidth = width;
            m_gridPoints = n;
            m_extended = extend;
        }
        PlotRange range{view.xmin - kPlotSampleMargin * width, view.xmax + kPlotSampleMargin * width};
        if (!extend)
            range = PlotRange{std::max(range.lo, domain.lo), std::min(range.hi, domain.hi)};
        const double step = m_gridWidth / (n - 1);
        double first = std::ceil((range.lo - m_anchor) / step), last = std::floor((range.hi - m_anchor) / step);
        if (!(std::fabs(first) <= kMaxGridIndex && std::fabs(last) <= kMaxGridIndex)) {
            m_anchor = range.lo;
            first = 0.0;
            last = std::floor((range.hi - range.lo) / step);
        }
        PlotSamples fresh;
        auto node = [&](double k) { return m_anchor + m_gridWidth * (k / (n - 1)); };
        // Without extend the interval's own ends are sampled too, so the curve ends exactly there.
        const bool startsAtInterval = !extend && range.lo == domain.lo && node(first) > domain.lo;
        const bool endsAtInterval = !extend && range.hi == domain.hi && node(last) < domain.hi;
        if (startsAtInterval)
            fresh.x.push_back(domain.lo);
        for (double k = first; k <= last; k += 1.0)
            fresh.x.push_back(node(k));
        if (endsAtInterval)
            fresh.x.push_back(domain.hi);
        fresh.y.resize(fresh.x.size());
        fillFrom(samples, function, fresh);
        samples = std::move(fresh);
        path = plotRefineEdges(function, samples);
        density = n;
    }
    breaks = plotFindBreaks(function, path, view.ymin, view.ymax);
}
