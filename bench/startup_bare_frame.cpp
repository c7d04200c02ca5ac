// SPDX-License-Identifier: MIT
// The yardstick of the start-up benchmark: a bare wxWidgets frame with a styled-text control, a menu bar and
// a toolbar, ended right after the control's first drawing (as tallyx is with TALLYX_EXIT_AFTER_FIRST_PAINT).
#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/stc/stc.h>
#include <wx/toolbar.h>

namespace {

class BareApp : public wxApp {
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Bare frame", wxDefaultPosition, wxSize(460, 300));
        auto* bar = new wxMenuBar;
        for (const char* title : {"&File", "&Edit", "&View", "&Insert", "&Run", "&Options", "&Help"}) {
            auto* menu = new wxMenu;
            menu->Append(wxID_ANY, "Item");
            bar->Append(menu, title);
        }
        frame->SetMenuBar(bar);
        wxToolBar* tools = frame->CreateToolBar();
        tools->AddTool(wxID_OPEN, "Open", wxArtProvider::GetBitmap(wxART_FILE_OPEN, wxART_TOOLBAR, wxSize(16, 16)));
        tools->Realize();
        auto* text = new wxStyledTextCtrl(frame, wxID_ANY);
        text->Bind(wxEVT_PAINT, [](wxPaintEvent& event) {
            event.Skip();
            wxTheApp->CallAfter([] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        });
        frame->Show();
        frame->Centre();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
