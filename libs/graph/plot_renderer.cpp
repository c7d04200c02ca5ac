// SPDX-License-Identifier: MIT
#include "libs/graph/plot_renderer.h"

#include <algorithm>
#include <cmath>

namespace {

const wxColour kBackground(255, 255, 255);
const wxColour kMajorGrid(226, 226, 226);
const wxColour kMinorGrid(243, 243, 243);
const wxColour kAxis(64, 64, 64);
const wxColour kFrame(176, 176, 176);
const wxColour kLabel(60, 60, 60);
const wxColour kTitle(30, 30, 30);
const wxColour kLegendFill(255, 255, 255, 232);
const wxColour kLegendBorder(204, 204, 204);
const wxColour kBandFill(31, 119, 180, 36);
const wxColour kBandBorder(31, 119, 180);

// Margins and lengths in pixels at scale 1.
constexpr double kPad = 10.0;
constexpr double kTickLength = 4.0;
constexpr double kLabelGap = 5.0;
constexpr double kRightMargin = 18.0;
constexpr double kTopMargin = 14.0;
constexpr double kCurveWidth = 2.0;
constexpr double kMarkerRadius = 3.5;
// Space between a point label's text and its box.
constexpr double kLabelPad = 2.0;
// The legend: inner margin, the line sample's length, the gap before the text, space between rows.
constexpr double kLegendPad = 8.0;
constexpr double kLegendSample = 24.0;
constexpr double kLegendGap = 8.0;
constexpr double kLegendSpacing = 3.0;

// Pixel rows centred on a device pixel, so that 1-pixel lines are crisp.
double crisp(double v) {
    return std::floor(v) + 0.5;
}

wxString fromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.c_str());
}

} // namespace

PlotRenderer::PlotRenderer(double scale) : m_scale(scale) {
    m_labelFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    m_legendFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    m_titleFont = wxFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold());
    if (scale != 1.0) {
        m_labelFont.SetFractionalPointSize(9 * scale);
        m_legendFont.SetFractionalPointSize(9 * scale);
        m_titleFont.SetFractionalPointSize(11 * scale);
    }
}

wxColour PlotRenderer::curveColour(int index) {
    // The "tab10" palette of scientific plotting: distinct hues that survive grey printing reasonably.
    static const unsigned long kPalette[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                             0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22};
    unsigned long rgb = kPalette[static_cast<size_t>(std::abs(index)) % (sizeof kPalette / sizeof kPalette[0])];
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

PlotLayout PlotRenderer::layout(PlotPainter& painter, const PlotScene& scene, double width, double height) const {
    PlotLayout layout;
    painter.setFont(m_labelFont, kLabel);
    double textWidth = 0.0, textHeight = 0.0;
    painter.textExtent("0123456789", textWidth, textHeight);
    auto measureWidth = [&painter](const std::string& label) {
        double w = 0.0, h = 0.0;
        painter.textExtent(fromUtf8(label), w, h);
        return w;
    };
    auto measureHeight = [textHeight](const std::string&) { return textHeight; };

    double top = dip(kTopMargin);
    if (!scene.title.empty() || !scene.subtitle.empty()) {
        double w = 0.0, h = 0.0;
        painter.setFont(m_titleFont, kTitle);
        painter.textExtent("Ag", w, h);
        top += h + (scene.subtitle.empty() ? 0.0 : textHeight) + dip(kLabelGap);
        painter.setFont(m_labelFont, kLabel);
    }
    double bottom = dip(kTickLength + kLabelGap + kPad) + textHeight;
    double areaHeight = std::max(1.0, height - top - bottom);
    layout.yTicks = plotMakeTicks(scene.view.ymin, scene.view.ymax, areaHeight, dip(40), measureHeight,
                                  textHeight * 0.8);

    double widest = 0.0;
    for (const std::string& label : layout.yTicks.labels)
        widest = std::max(widest, measureWidth(label));
    double left = dip(kPad + kTickLength + kLabelGap) + std::max(widest, textWidth * 0.2);
    double areaWidth = std::max(1.0, width - left - dip(kRightMargin));
    layout.xTicks = plotMakeTicks(scene.view.xmin, scene.view.xmax, areaWidth, dip(70), measureWidth, dip(18));

    layout.area = PlotRect{std::round(left), std::round(top), std::round(areaWidth), std::round(areaHeight)};
    layout.transform = PlotTransform(scene.view, layout.area);
    return layout;
}

PlotLayout PlotRenderer::render(PlotPainter& painter, const PlotScene& scene, double width, double height) const {
    PlotLayout layout = this->layout(painter, scene, width, height);
    painter.setPen(wxTransparentColour, 0.0);
    painter.setBrush(kBackground);
    painter.rectangle(PlotRect{0, 0, width, height});

    painter.clip(layout.area);
    if (scene.grid)
        drawGrid(painter, layout, scene.view);
    drawAxes(painter, layout, scene.view);
    const auto lines = curveLines(layout, scene);
    drawCurves(painter, scene, lines);
    const Legend legend = layoutLegend(painter, layout, scene, lines);
    layout.labels = placeLabels(painter, layout, scene, legend);
    drawPoints(painter, layout, scene);
    drawLabels(painter, layout, scene);
    drawMarker(painter, layout, scene);
    if (scene.band.width > 0.0 && scene.band.height > 0.0) {
        painter.setPen(kBandBorder, dip(1.0), true);
        painter.setBrush(kBandFill);
        painter.rectangle(scene.band);
    }
    painter.resetClip();

    // The frame: the axes' place when the origin is out of view.
    const PlotRect& a = layout.area;
    painter.setPen(kFrame, dip(1.0));
    painter.setBrush(wxTransparentColour);
    painter.rectangle(PlotRect{crisp(a.left) - 1.0, crisp(a.top) - 1.0, a.width + 1.0, a.height + 1.0});
    drawTickLabels(painter, layout, width);
    drawLegend(painter, scene, legend);
    layout.legendCorner = legend.corner;
    drawTitle(painter, scene, width);
    return layout;
}

std::vector<PlotPointLabel> PlotRenderer::pointLabels(PlotPainter& painter, const PlotScene& scene, double width,
                                                      double height) const {
    const PlotLayout layout = this->layout(painter, scene, width, height);
    return placeLabels(painter, layout, scene, layoutLegend(painter, layout, scene, curveLines(layout, scene)));
}

void PlotRenderer::drawGrid(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const {
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    auto verticals = [&](double step) {
        for (double k = std::ceil(view.xmin / step); k * step <= view.xmax; k += 1.0) {
            double x = crisp(t.toPixelX(k * step));
            painter.line(x, a.top, x, a.bottom());
        }
    };
    auto horizontals = [&](double step) {
        for (double k = std::ceil(view.ymin / step); k * step <= view.ymax; k += 1.0) {
            double y = crisp(t.toPixelY(k * step));
            painter.line(a.left, y, a.right(), y);
        }
    };
    // Minor lines only while they stay at least 8 pixels apart.
    double minorX = layout.xTicks.step > 0 ? plotMinorStep(layout.xTicks.step) : 0.0;
    double minorY = layout.yTicks.step > 0 ? plotMinorStep(layout.yTicks.step) : 0.0;
    painter.setPen(kMinorGrid, dip(1.0));
    if (minorX > 0 && minorX / t.pixelWidth() >= dip(8) && view.width() / minorX < 2000)
        verticals(minorX);
    if (minorY > 0 && minorY / t.pixelHeight() >= dip(8) && view.height() / minorY < 2000)
        horizontals(minorY);
    painter.setPen(kMajorGrid, dip(1.0));
    for (double v : layout.xTicks.values) {
        double x = crisp(t.toPixelX(v));
        painter.line(x, a.top, x, a.bottom());
    }
    for (double v : layout.yTicks.values) {
        double y = crisp(t.toPixelY(v));
        painter.line(a.left, y, a.right(), y);
    }
}

void PlotRenderer::drawAxes(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const {
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    double tick = dip(3.0);
    painter.setPen(kAxis, dip(1.0));
    if (view.ymin <= 0.0 && view.ymax >= 0.0) {
        double y = crisp(t.toPixelY(0.0));
        painter.line(a.left, y, a.right(), y);
        for (double v : layout.xTicks.values) {
            double x = crisp(t.toPixelX(v));
            painter.line(x, y - tick, x, y + tick);
        }
    }
    if (view.xmin <= 0.0 && view.xmax >= 0.0) {
        double x = crisp(t.toPixelX(0.0));
        painter.line(x, a.top, x, a.bottom());
        for (double v : layout.yTicks.values) {
            double y = crisp(t.toPixelY(v));
            painter.line(x - tick, y, x + tick, y);
        }
    }
}

void PlotRenderer::drawTickLabels(PlotPainter& painter, const PlotLayout& layout, double width) const {
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    double frameBottom = crisp(a.bottom());
    double frameLeft = crisp(a.left) - 1.0;
    painter.setPen(kFrame, dip(1.0));
    painter.setFont(m_labelFont, kLabel);
    for (size_t i = 0; i < layout.xTicks.values.size(); ++i) {
        double x = crisp(t.toPixelX(layout.xTicks.values[i]));
        painter.line(x, frameBottom, x, frameBottom + dip(kTickLength));
        wxString label = fromUtf8(layout.xTicks.labels[i]);
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        double left = std::clamp(x - w / 2.0, 1.0, std::max(1.0, width - w - 1.0));
        painter.text(label, left, frameBottom + dip(kTickLength + kLabelGap) - 1.0);
    }
    for (size_t i = 0; i < layout.yTicks.values.size(); ++i) {
        double y = crisp(t.toPixelY(layout.yTicks.values[i]));
        painter.line(frameLeft - dip(kTickLength), y, frameLeft, y);
        wxString label = fromUtf8(layout.yTicks.labels[i]);
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        painter.text(label, frameLeft - dip(kTickLength + kLabelGap) - w, y - h / 2.0);
    }
}

std::vector<std::vector<std::vector<PlotPoint>>> PlotRenderer::curveLines(const PlotLayout& layout,
                                                                         const PlotScene& scene) const {
    std::vector<std::vector<std::vector<PlotPoint>>> lines;
    if (scene.curves == nullptr)
        return lines;
    const double margin = dip(10.0);
    for (const PlotCurve& curve : *scene.curves) {
        // The samples in view and one beyond each side: the margin's others would only be clipped away.
        const std::vector<double>& x = curve.path.x;
        const auto from = std::lower_bound(x.begin(), x.end(), scene.view.xmin);
        const auto to = std::upper_bound(from, x.end(), scene.view.xmax);
        const size_t first = from == x.begin() ? 0 : static_cast<size_t>(from - x.begin()) - 1;
        const size_t last = static_cast<size_t>(to - x.begin());
        lines.push_back(plotBuildPolylines(curve.path, curve.breaks, layout.transform, layout.area.top - margin,
                                           layout.area.bottom() + margin, first, last));
    }
    return lines;
}

void PlotRenderer::drawCurves(PlotPainter& painter, const PlotScene& scene,
                              const std::vector<std::vector<std::vector<PlotPoint>>>& lines) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        painter.setPen(curveColour((*scene.curves)[i].colour), dip(kCurveWidth));
        for (const auto& line : lines[i])
            painter.polyline(line);
    }
}

void PlotRenderer::drawMarker(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const {
    if (scene.curves == nullptr || scene.markerCurve < 0 ||
        scene.markerCurve >= static_cast<int>(scene.curves->size()))
        return;
    double x = layout.transform.toPixelX(scene.markerX), y = layout.transform.toPixelY(scene.markerY);
    if (!layout.area.contains(x, y))
        return;
    wxColour colour = curveColour((*scene.curves)[scene.markerCurve].colour);
    // Faint cross-hairs to the axes' frame, then a ringed dot on the curve.
    painter.setPen(wxColour(colour.Red(), colour.Green(), colour.Blue(), 110), dip(1.0), true);
    painter.line(x, y, x, layout.area.bottom());
    painter.line(layout.area.left, y, x, y);
    painter.setPen(kBackground, dip(1.5));
    painter.setBrush(colour);
    painter.circle(x, y, dip(4.5));
}

PlotLabelGeometry PlotRenderer::labelGeometry() const {
    PlotLabelGeometry g;
    g.markerRadius = dip(kMarkerRadius);
    g.gap = dip(g.gap);
    g.samePlace = dip(g.samePlace);
    g.padding = dip(g.padding);
    return g;
}

std::vector<PlotPointLabel> PlotRenderer::placeLabels(PlotPainter& painter, const PlotLayout& layout,
                                                      const PlotScene& scene, const Legend& legend) const {
    std::vector<PlotPointLabel> labels;
    if (scene.points == nullptr || scene.points->points.empty())
        return labels;
    const std::vector<PlotNotablePoint>& points = scene.points->points;
    std::vector<PlotPoint> markers;
    for (const PlotNotablePoint& p : points)
        markers.push_back(PlotPoint{layout.transform.toPixelX(p.x), layout.transform.toPixelY(p.y)});
    const PlotLabelGeometry geometry = labelGeometry();
    painter.setFont(m_legendFont, kLabel);
    std::vector<PlotLabelRequest> requests;
    for (std::vector<size_t>& group : plotGroupMarkers(markers, geometry.samePlace)) {
        PlotPointLabel label;
        label.text = fromUtf8(plotPointLabel(points[group.front()], scene.view));
        double w = 0.0, h = 0.0;
        painter.textExtent(label.text, w, h);
        requests.push_back(PlotLabelRequest{markers[group.front()], w + 2 * dip(kLabelPad), h + 2 * dip(kLabelPad)});
        label.points = std::move(group);
        labels.push_back(std::move(label));
    }
    std::vector<PlotRect> obstacles;
    if (legend.corner >= 0)
        obstacles.push_back(legend.box);
    const auto boxes = plotPlaceLabels(requests, markers, layout.area, obstacles, geometry);
    std::vector<PlotPointLabel> placed;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (boxes[i]) {
            labels[i].box = *boxes[i];
            placed.push_back(std::move(labels[i]));
        }
    }
    return placed;
}

void PlotRenderer::drawPoints(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const {
    if (scene.points == nullptr || scene.curves == nullptr)
        return;
    const double r = dip(kMarkerRadius);
    for (const PlotNotablePoint& p : scene.points->points) {
        const double x = layout.transform.toPixelX(p.x), y = layout.transform.toPixelY(p.y);
        const wxColour colour = curveColour((*scene.curves)[static_cast<size_t>(p.curve)].colour);
        if (p.kind == PlotPointKind::Intersection) {
            // A square in the axes' grey: it belongs to two curves.
            painter.setPen(kAxis, dip(1.5));
            painter.setBrush(kBackground);
            painter.rectangle(PlotRect{x - r, y - r, 2 * r, 2 * r});
        } else if (p.kind == PlotPointKind::Zero || p.touchesZero) {
            painter.setPen(colour, dip(1.5));
            painter.setBrush(kBackground);
            painter.circle(x, y, r);
        } else {
            painter.setPen(kBackground, dip(1.0));
            painter.setBrush(colour);
            painter.circle(x, y, r);
        }
    }
}

void PlotRenderer::drawLabels(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const {
    if (scene.points == nullptr)
        return;
    const double pad = dip(kLabelPad);
    painter.setFont(m_legendFont, kLabel);
    auto draw = [&](const wxString& text, const PlotRect& box, bool framed) {
        painter.setPen(framed ? kLegendBorder : wxTransparentColour, framed ? dip(1.0) : 0.0);
        painter.setBrush(kLegendFill);
        painter.rectangle(box, dip(2.0));
        painter.text(text, box.left + pad, box.top + pad);
    };
    const size_t hover = static_cast<size_t>(scene.hoverPoint);
    bool hoverShown = scene.hoverPoint < 0;
    for (const PlotPointLabel& label : layout.labels) {
        // The label of the point under the pointer is framed (a label shared by points at one place names the first).
        const bool framed =
            !hoverShown && std::find(label.points.begin(), label.points.end(), hover) != label.points.end();
        hoverShown = hoverShown || framed;
        draw(label.text, label.box, framed);
    }
    if (hoverShown || hover >= scene.points->points.size())
        return;
    // The point under the pointer has no label of its own: it shows beside the marker, over whatever is there.
    const PlotNotablePoint& point = scene.points->points[hover];
    const wxString text = fromUtf8(plotPointLabel(point, scene.view));
    double w = 0.0, h = 0.0;
    painter.textExtent(text, w, h);
    const PlotLabelRequest request{PlotPoint{layout.transform.toPixelX(point.x), layout.transform.toPixelY(point.y)},
                                   w + 2 * pad, h + 2 * pad};
    const std::vector<PlotRect> places = plotLabelPlaces(request, labelGeometry());
    const auto within = std::find_if(places.begin(), places.end(), [&](const PlotRect& box) {
        return box.left >= layout.area.left && box.right() <= layout.area.right() && box.top >= layout.area.top &&
               box.bottom() <= layout.area.bottom();
    });
    draw(text, within != places.end() ? *within : places.front(), true);
}

PlotRenderer::Legend PlotRenderer::layoutLegend(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                                                const std::vector<std::vector<std::vector<PlotPoint>>>& lines) const {
    Legend legend;
    if (scene.curves == nullptr || scene.curves->empty())
        return legend;
    painter.setFont(m_legendFont, kTitle);
    double textWidth = 0.0;
    for (const PlotCurve& curve : *scene.curves) {
        wxString label(curve.label);
        if (label.length() > 48)
            label = label.Left(47) + wxString::FromUTF8("…");
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        textWidth = std::max(textWidth, w);
        legend.rowHeight = std::max(legend.rowHeight, h);
        legend.rows.push_back(label);
    }
    legend.curveRows = legend.rows.size();
    if (scene.points != nullptr && scene.points->more > 0) {
        wxString more = wxString::Format("+%zu more points", scene.points->more);
        double w = 0.0, h = 0.0;
        painter.textExtent(more, w, h);
        textWidth = std::max(textWidth, w);
        legend.rows.push_back(more);
    }
    legend.rowHeight += dip(kLegendSpacing);
    const double boxWidth = dip(kLegendPad + kLegendSample + kLegendGap + kLegendPad) + textWidth;
    const double boxHeight = dip(2 * kLegendPad - kLegendSpacing) + legend.rowHeight * legend.rows.size();
    if (boxWidth > layout.area.width * 0.9 || boxHeight > layout.area.height * 0.9)
        return legend;
    const double inset = dip(10.0);
    const std::vector<std::vector<PlotPoint>> all = [&lines] {
        std::vector<std::vector<PlotPoint>> joined;
        for (const auto& curve : lines)
            joined.insert(joined.end(), curve.begin(), curve.end());
        return joined;
    }();
    legend.corner = scene.legendCorner >= 0 && scene.legendCorner < 4
                        ? scene.legendCorner
                        : plotChooseLegendCorner(layout.area, boxWidth, boxHeight, all, inset);
    const double left = legend.corner % 2 == 0 ? layout.area.right() - inset - boxWidth : layout.area.left + inset;
    const double top = legend.corner < 2 ? layout.area.top + inset : layout.area.bottom() - inset - boxHeight;
    legend.box = PlotRect{std::round(left) + 0.5, std::round(top) + 0.5, boxWidth, boxHeight};
    return legend;
}

void PlotRenderer::drawLegend(PlotPainter& painter, const PlotScene& scene, const Legend& legend) const {
    if (legend.corner < 0)
        return;
    const PlotRect& box = legend.box;
    const double pad = dip(kLegendPad), sample = dip(kLegendSample), gap = dip(kLegendGap);
    painter.setFont(m_legendFont, kTitle);
    painter.setPen(kLegendBorder, dip(1.0));
    painter.setBrush(kLegendFill);
    painter.rectangle(box, dip(3.0));
    for (size_t i = 0; i < legend.rows.size(); ++i) {
        const double rowTop = box.top + pad + legend.rowHeight * i;
        const double mid = rowTop + (legend.rowHeight - dip(kLegendSpacing)) / 2.0;
        if (i < legend.curveRows) {
            painter.setPen(curveColour((*scene.curves)[i].colour), dip(kCurveWidth));
            painter.line(box.left + pad, mid, box.left + pad + sample, mid);
        }
        painter.text(legend.rows[i], box.left + pad + sample + gap, rowTop);
    }
}

void PlotRenderer::drawTitle(PlotPainter& painter, const PlotScene& scene, double width) const {
    double top = dip(kTopMargin) / 2.0;
    double w = 0.0, h = 0.0;
    if (!scene.title.empty()) {
        painter.setFont(m_titleFont, kTitle);
        painter.textExtent(scene.title, w, h);
        painter.text(scene.title, (width - w) / 2.0, top);
        top += h;
    }
    if (!scene.subtitle.empty()) {
        painter.setFont(m_labelFont, kLabel);
        painter.textExtent(scene.subtitle, w, h);
        painter.text(scene.subtitle, (width - w) / 2.0, top);
    }
}
