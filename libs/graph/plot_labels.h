// SPDX-License-Identifier: MIT
// Where the labels of marked points go: right beside their markers, clear of other markers, labels and the legend,
// and nearer to their own marker than to any other. GUI-free.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "libs/graph/plot_math.h"

/// Sizes in pixels that decide where a label may sit.
struct PlotLabelGeometry {
    /// Radius of a marker.
    double markerRadius = 3.5;
    /// Space between a marker's edge and its label.
    double gap = 3.0;
    /// Markers whose centres are this close are at the same place: they share one label.
    double samePlace = 2.0;
    /// Space kept free between two labels (their boxes have a margin of their own around the text).
    double padding = 0.0;
};

/// One label to place: the centre of its marker and the label's size.
struct PlotLabelRequest {
    PlotPoint marker;
    double width = 0.0;
    double height = 0.0;
};

/// The markers at the same place, grouped: each group lists indices into markers in ascending order, and the groups
/// are ordered by their first index.
std::vector<std::vector<size_t>> plotGroupMarkers(const std::vector<PlotPoint>& markers, double samePlace);

/// The places beside a marker where its label may go, most preferred first: the four corners (above right, above
/// left, below right, below left), then right, left, above and below.
std::vector<PlotRect> plotLabelPlaces(const PlotLabelRequest& label, const PlotLabelGeometry& geometry);

/// A box for each label, or none: one of its places that lies inside area, covers no marker, no obstacle and no other
/// label, and is nearer to its own marker than to any other by at least the gap. Labels with the fewest free places
/// are placed first, each where it takes the fewest places from the others, so that every label that has room
/// gets it.
std::vector<std::optional<PlotRect>> plotPlaceLabels(const std::vector<PlotLabelRequest>& labels,
                                                     const std::vector<PlotPoint>& markers, const PlotRect& area,
                                                     const std::vector<PlotRect>& obstacles,
                                                     const PlotLabelGeometry& geometry = PlotLabelGeometry());

/// The distance from point p to the nearest point of rect (0 inside).
double plotDistanceToRect(const PlotRect& rect, const PlotPoint& p);
