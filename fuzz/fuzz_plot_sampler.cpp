// SPDX-License-Identifier: MIT
// The plot sampler: an expression text and an interval (and point count) from the input, sampled, refined,
// broken at poles, fitted into a view and turned into polylines, as a plot window draws a curve.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHeader = 2 * sizeof(double) + 2;
    if (size < kHeader) return 0;
    double lo, hi;
    std::memcpy(&lo, data, sizeof lo);
    std::memcpy(&hi, data + sizeof lo, sizeof hi);
    const int points = 2 + (data[2 * sizeof(double)] | (data[2 * sizeof(double) + 1] << 8)) % 2000;
    lmValues variables{};
    PlotCurve curve;
    curve.function = PlotExpression::create(fuzzText(data + kHeader, size - kHeader), variables);
    if (!curve.function || !(lo < hi)) return 0;
    curve.points = points;
    curve.domain = {lo, hi};
    curve.sampleDomain();
    const PlotView view = plotClampView(plotFitView({curve.domain}, {curve.homeRange}), PlotView{});
    curve.resample(view);
    const PlotTransform transform(view, PlotRect{0, 0, 640, 480});
    plotBuildPolylines(curve.path, curve.breaks, transform, 0, 480);
    return 0;
}
