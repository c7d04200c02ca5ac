// SPDX-License-Identifier: MIT
#include "libs/graph/plot_frame.h"

#include <algorithm>
#include <cmath>

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "libs/ui/delvo_message_box.h"
#include "libs/graph/plot_expression.h"
#include "libs/graph/plot_registry.h"

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
// Point counts beyond the interpreter's 131072 are accepted up to this many (memory stays bounded).
constexpr int kMaxPoints = 1 << 22;
constexpr double kToolbarZoom = 0.8;


// Icons no stock set has, drawn in dark grey on a transparent square: a grid, and a double arrow.
class ToolIcon {
public:
    explicit ToolIcon(const wxSize& size) : m_image(size) {
        m_image.InitAlpha();
        std::fill(m_image.GetAlpha(), m_image.GetAlpha() + size.x * size.y, 0);
    }
    void dot(int x, int y) {
        if (x < 0 || y < 0 || x >= m_image.GetWidth() || y >= m_image.GetHeight())
            return;
        m_image.SetRGB(x, y, 70, 70, 70);
        m_image.SetAlpha(x, y, 255);
    }
    wxBitmap bitmap() const { return wxBitmap(m_image); }

private:
    wxImage m_image;
};

wxBitmap gridIcon(const wxSize& size) {
    ToolIcon icon(size);
    for (int i = 0; i < 4; ++i) {
        for (int k = 1; k < size.x - 1; ++k) {
            icon.dot(1 + i * (size.x - 3) / 3, k);
            icon.dot(k, 1 + i * (size.y - 3) / 3);
        }
    }
    return icon.bitmap();
}

wxBitmap extendIcon(const wxSize& size) {
    ToolIcon icon(size);
    int mid = size.y / 2, head = size.y / 4;
    for (int x = 1; x < size.x - 1; ++x)
        icon.dot(x, mid);
    for (int k = 1; k <= head; ++k) {
        icon.dot(1 + k, mid - k);
        icon.dot(1 + k, mid + k);
        icon.dot(size.x - 2 - k, mid - k);
        icon.dot(size.x - 2 - k, mid + k);
    }
    for (int y = 2; y < size.y - 2; ++y) {
        icon.dot(size.x / 2 - 3, y);
        icon.dot(size.x / 2 + 2, y);
    }
    return icon.bitmap();
}

// Three ringed dots on a curve: the notable points.
wxBitmap pointsIcon(const wxSize& size) {
    ToolIcon icon(size);
    const int w = size.x, h = size.y;
    for (int x = 0; x < w; ++x) {
        const double t = static_cast<double>(x) / (w - 1);
        icon.dot(x, static_cast<int>(std::lround((h - 1) * (0.5 - 0.35 * std::sin(t * 6.2831853)))));
    }
    const int r = std::max(2, w / 8);
    for (int cx : {r, w / 2, w - 1 - r}) {
        const double t = static_cast<double>(cx) / (w - 1);
        const int cy = static_cast<int>(std::lround((h - 1) * (0.5 - 0.35 * std::sin(t * 6.2831853))));
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (dx * dx + dy * dy <= r * r && dx * dx + dy * dy >= (r - 1) * (r - 1))
                    icon.dot(cx + dx, cy + dy);
    }
    return icon.bitmap();
}

} // namespace

wxBEGIN_EVENT_TABLE(PlotFrame, wxFrame)
    EVT_CLOSE(PlotFrame::OnClose)
    EVT_MENU(wxID_CLOSE, PlotFrame::OnCloseCommand)
    EVT_TOOL(wxID_ZOOM_FIT, PlotFrame::OnResetView)
    EVT_TOOL(wxID_ZOOM_IN, PlotFrame::OnZoomIn)
    EVT_TOOL(wxID_ZOOM_OUT, PlotFrame::OnZoomOut)
    EVT_TOOL(ID_PLOT_GRID, PlotFrame::OnGrid)
    EVT_TOOL(ID_PLOT_EXTEND, PlotFrame::OnExtend)
    EVT_TOOL(ID_PLOT_POINTS, PlotFrame::OnPoints)
    EVT_TOOL(wxID_COPY, PlotFrame::OnCopy)
    EVT_TOOL(ID_PLOT_EXPORT_PNG, PlotFrame::OnExportPng)
    EVT_TOOL(ID_PLOT_EXPORT_SVG, PlotFrame::OnExportSvg)
wxEND_EVENT_TABLE()

PlotFrame::PlotFrame(const wxString& title, const wxString& subtitle, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, size), m_handle(PlotRegistry::instance().add(this)) {
    wxString caption = wxString::Format("DelvoCalculator Plot %d", m_handle);
    if (!title.empty())
        caption += " - " + title;
    SetTitle(caption);
    createToolBar();
    CreateStatusBar(2);
    const int widths[] = {FromDIP(190), -1};
    SetStatusWidths(2, widths);
    m_canvas = new PlotCanvas(this);
    m_canvas->setTitles(title, subtitle);
    m_canvas->clearPointer();
    // Home, + and - work at once, without a click into the plot first.
    m_canvas->SetFocus();

    wxAcceleratorEntry entries[] = {
        wxAcceleratorEntry(wxACCEL_CTRL, 'C', wxID_COPY),
        wxAcceleratorEntry(wxACCEL_CTRL, 'S', ID_PLOT_EXPORT_PNG),
        wxAcceleratorEntry(wxACCEL_CTRL, 'G', ID_PLOT_GRID),
        wxAcceleratorEntry(wxACCEL_CTRL, 'E', ID_PLOT_EXTEND),
        wxAcceleratorEntry(wxACCEL_NORMAL, 'P', ID_PLOT_POINTS),
        wxAcceleratorEntry(wxACCEL_CTRL, 'W', wxID_CLOSE),
    };
    SetAcceleratorTable(wxAcceleratorTable(WXSIZEOF(entries), entries));
}

PlotFrame::~PlotFrame() {
    PlotRegistry::instance().remove(m_handle);
}

void PlotFrame::createToolBar() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    // Each icon at 16 and 32 pixels: the toolkit picks the one for the screen's scale.
    const wxSize icon(16, 16);
    auto art = [icon](const wxArtID& id) { return wxArtProvider::GetBitmapBundle(id, wxART_TOOLBAR, icon); };
    auto drawn = [icon](wxBitmap (*draw)(const wxSize&)) {
        return wxBitmapBundle::FromBitmaps(draw(icon), draw(icon * 2));
    };
    bar->AddTool(wxID_ZOOM_FIT, "Reset view", art(wxART_GO_HOME), "Reset view (Home)");
    bar->AddTool(wxID_ZOOM_IN, "Zoom in", art(wxART_PLUS), "Zoom in (+)");
    bar->AddTool(wxID_ZOOM_OUT, "Zoom out", art(wxART_MINUS), "Zoom out (-)");
    bar->AddSeparator();
    bar->AddCheckTool(ID_PLOT_GRID, "Grid", drawn(gridIcon), wxBitmapBundle(), "Show grid (Ctrl+G)");
    bar->ToggleTool(ID_PLOT_GRID, true);
    bar->AddCheckTool(ID_PLOT_EXTEND, "Extend", drawn(extendIcon), wxBitmapBundle(),
                      "Draw the curves over the whole view, beyond their intervals (Ctrl+E)");
    bar->ToggleTool(ID_PLOT_EXTEND, true);
    bar->AddCheckTool(ID_PLOT_POINTS, "Points", drawn(pointsIcon), wxBitmapBundle(),
                      "Mark zeros, minima, maxima and intersections (P)");
    bar->AddSeparator();
    bar->AddTool(wxID_COPY, "Copy", art(wxART_COPY), "Copy picture (Ctrl+C)");
    bar->AddTool(ID_PLOT_EXPORT_PNG, "Save PNG", art(wxART_FILE_SAVE), "Save as PNG image (Ctrl+S)");
    bar->AddTool(ID_PLOT_EXPORT_SVG, "Save SVG", art(wxART_FILE_SAVE_AS), "Save as SVG drawing");
    bar->Realize();
}

int PlotFrame::plotNew(const wxString& title, const wxString& subtitle, int width, int height) {
    if (wxTheApp == nullptr)
        return 0;
    wxSize size(width > 0 ? width : kDefaultWidth, height > 0 ? height : kDefaultHeight);
    auto* frame = new PlotFrame(title, subtitle, size);
    frame->Show();
    return frame->m_handle;
}

bool PlotFrame::plotExists(int handle) {
    return PlotRegistry::instance().find(handle) != nullptr;
}

bool PlotFrame::plotAdd(int handle, const wxString& function, int points, double xmin, double xmax,
                        const wxString& label) {
    PlotFrame* frame = find(handle);
    if (frame == nullptr || !std::isfinite(xmax - xmin) || !(xmin < xmax) || points < 1)
        return false;
    PlotFunction f = PlotExpression::create(function.ToStdWstring(), PlotRegistry::instance().variables());
    if (!f)
        return false;
    const wxString& name = label.empty() ? function : label;
    frame->m_canvas->addCurve(name.ToStdWstring(), f, std::clamp(points, 2, kMaxPoints), xmin, xmax);
    return true;
}

void PlotFrame::plotCloseAll() {
    for (PlotFrame* frame : PlotRegistry::instance().all()) {
        PlotRegistry::instance().remove(frame->m_handle);
        frame->Destroy();
    }
}

void PlotFrame::setVariableValues(const lmValues& values) {
    PlotRegistry::instance().setVariables(values);
}

PlotFrame* PlotFrame::find(int handle) {
    return PlotRegistry::instance().find(handle);
}

void PlotFrame::exportWithDialog(bool svg) {
    wxString wildcard = svg ? "SVG drawings (*.svg)|*.svg" : "PNG images (*.png)|*.png";
    wxString name = wxString::Format("plot%d.%s", m_handle, svg ? "svg" : "png");
    wxFileDialog dialog(this, svg ? "Save plot as SVG" : "Save plot as PNG", wxEmptyString, name, wildcard,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    bool done = svg ? m_canvas->exportSvg(dialog.GetPath()) : m_canvas->exportPng(dialog.GetPath());
    if (!done)
        DelvoMessageBox("Cannot save " + dialog.GetPath(), "DelvoCalculator", wxOK | wxICON_EXCLAMATION, this);
}

void PlotFrame::OnClose(wxCloseEvent&) {
    // Gone for plotExists at once, not only when the toolkit deletes the frame later.
    PlotRegistry::instance().remove(m_handle);
    Destroy();
}

void PlotFrame::OnCloseCommand(wxCommandEvent&) {
    Close();
}

void PlotFrame::OnResetView(wxCommandEvent&) {
    m_canvas->resetView();
}

void PlotFrame::OnZoomIn(wxCommandEvent&) {
    m_canvas->zoomCentre(kToolbarZoom);
}

void PlotFrame::OnZoomOut(wxCommandEvent&) {
    m_canvas->zoomCentre(1.0 / kToolbarZoom);
}

void PlotFrame::OnGrid(wxCommandEvent&) {
    m_canvas->setGridVisible(!m_canvas->gridVisible());
    GetToolBar()->ToggleTool(ID_PLOT_GRID, m_canvas->gridVisible());
}

void PlotFrame::OnExtend(wxCommandEvent&) {
    m_canvas->setExtendCurves(!m_canvas->extendCurves());
    GetToolBar()->ToggleTool(ID_PLOT_EXTEND, m_canvas->extendCurves());
}

void PlotFrame::OnPoints(wxCommandEvent&) {
    m_canvas->setPointsVisible(!m_canvas->pointsVisible());
    GetToolBar()->ToggleTool(ID_PLOT_POINTS, m_canvas->pointsVisible());
}

void PlotFrame::OnCopy(wxCommandEvent&) {
    m_canvas->copyToClipboard();
}

void PlotFrame::OnExportPng(wxCommandEvent&) {
    exportWithDialog(false);
}

void PlotFrame::OnExportSvg(wxCommandEvent&) {
    exportWithDialog(true);
}
