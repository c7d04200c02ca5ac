// SPDX-License-Identifier: MIT
#include "libs/graph/plot_painter.h"

#include <cmath>

#include <wx/pen.h>
#include <wx/brush.h>

namespace {

int px(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

void PlotGcPainter::setPen(const wxColour& colour, double width, bool dashed) {
    if (colour.Alpha() == wxALPHA_TRANSPARENT) {
        m_gc.SetPen(wxNullGraphicsPen);
        return;
    }
    wxGraphicsPenInfo info(colour);
    info.Width(width).Style(dashed ? wxPENSTYLE_SHORT_DASH : wxPENSTYLE_SOLID).Join(wxJOIN_ROUND).Cap(wxCAP_ROUND);
    if (dashed)
        info.Cap(wxCAP_BUTT);
    m_gc.SetPen(m_gc.CreatePen(info));
}

void PlotGcPainter::setBrush(const wxColour& colour) {
    if (colour.Alpha() == wxALPHA_TRANSPARENT)
        m_gc.SetBrush(wxNullGraphicsBrush);
    else
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(colour)));
}

void PlotGcPainter::setFont(const wxFont& font, const wxColour& colour) {
    m_gc.SetFont(font, colour);
}

void PlotGcPainter::line(double x0, double y0, double x1, double y1) {
    m_gc.StrokeLine(x0, y0, x1, y1);
}

void PlotGcPainter::polyline(const std::vector<PlotPoint>& points) {
    if (points.size() < 2)
        return;
    m_buffer.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        m_buffer[i] = wxPoint2DDouble(points[i].x, points[i].y);
    m_gc.StrokeLines(m_buffer.size(), m_buffer.data());
}

void PlotGcPainter::rectangle(const PlotRect& rect, double radius) {
    if (radius > 0.0)
        m_gc.DrawRoundedRectangle(rect.left, rect.top, rect.width, rect.height, radius);
    else
        m_gc.DrawRectangle(rect.left, rect.top, rect.width, rect.height);
}

void PlotGcPainter::circle(double x, double y, double radius) {
    m_gc.DrawEllipse(x - radius, y - radius, 2 * radius, 2 * radius);
}

void PlotGcPainter::text(const wxString& text, double x, double y) {
    m_gc.DrawText(text, x, y);
}

void PlotGcPainter::textExtent(const wxString& text, double& width, double& height) {
    double descent = 0.0, leading = 0.0;
    m_gc.GetTextExtent(text, &width, &height, &descent, &leading);
}

void PlotGcPainter::clip(const PlotRect& rect) {
    m_gc.ResetClip();
    m_gc.Clip(rect.left, rect.top, rect.width, rect.height);
}

void PlotGcPainter::resetClip() {
    m_gc.ResetClip();
}

void PlotDcPainter::setPen(const wxColour& colour, double width, bool dashed) {
    if (colour.Alpha() == wxALPHA_TRANSPARENT) {
        m_dc.SetPen(*wxTRANSPARENT_PEN);
        return;
    }
    wxPen pen(colour, std::max(1, px(width)), dashed ? wxPENSTYLE_SHORT_DASH : wxPENSTYLE_SOLID);
    pen.SetJoin(wxJOIN_ROUND);
    pen.SetCap(dashed ? wxCAP_BUTT : wxCAP_ROUND);
    m_dc.SetPen(pen);
}

void PlotDcPainter::setBrush(const wxColour& colour) {
    if (colour.Alpha() == wxALPHA_TRANSPARENT)
        m_dc.SetBrush(*wxTRANSPARENT_BRUSH);
    else
        m_dc.SetBrush(wxBrush(colour));
}

void PlotDcPainter::setFont(const wxFont& font, const wxColour& colour) {
    m_dc.SetFont(font);
    m_dc.SetTextForeground(colour);
}

void PlotDcPainter::line(double x0, double y0, double x1, double y1) {
    // The SVG DC gives every path the current fill: lines get none.
    wxBrush brush = m_dc.GetBrush();
    m_dc.SetBrush(*wxTRANSPARENT_BRUSH);
    m_dc.DrawLine(px(x0), px(y0), px(x1), px(y1));
    m_dc.SetBrush(brush);
}

void PlotDcPainter::polyline(const std::vector<PlotPoint>& points) {
    if (points.size() < 2)
        return;
    m_buffer.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        m_buffer[i] = wxPoint(px(points[i].x), px(points[i].y));
    wxBrush brush = m_dc.GetBrush();
    m_dc.SetBrush(*wxTRANSPARENT_BRUSH);
    m_dc.DrawLines(static_cast<int>(m_buffer.size()), m_buffer.data());
    m_dc.SetBrush(brush);
}

void PlotDcPainter::rectangle(const PlotRect& rect, double radius) {
    if (radius > 0.0)
        m_dc.DrawRoundedRectangle(px(rect.left), px(rect.top), px(rect.width), px(rect.height), radius);
    else
        m_dc.DrawRectangle(px(rect.left), px(rect.top), px(rect.width), px(rect.height));
}

void PlotDcPainter::circle(double x, double y, double radius) {
    m_dc.DrawCircle(px(x), px(y), px(radius));
}

void PlotDcPainter::text(const wxString& text, double x, double y) {
    m_dc.DrawText(text, px(x), px(y));
}

void PlotDcPainter::textExtent(const wxString& text, double& width, double& height) {
    wxCoord w = 0, h = 0;
    m_dc.GetTextExtent(text, &w, &h);
    width = w;
    height = h;
}

void PlotDcPainter::clip(const PlotRect& rect) {
    m_dc.DestroyClippingRegion();
    m_dc.SetClippingRegion(px(rect.left * m_clipScale), px(rect.top * m_clipScale), px(rect.width * m_clipScale),
                           px(rect.height * m_clipScale));
}

void PlotDcPainter::resetClip() {
    m_dc.DestroyClippingRegion();
}
