// SPDX-License-Identifier: MIT
#include "libs/ui/dialog_row.h"

#include <wx/sizer.h>
#include <wx/window.h>

namespace {

constexpr int kDialogMargin = 8;

}  // namespace

void addDialogRow(wxSizer* column, const wxWindow* dialog, wxWindow* first, wxWindow* second, int gap) {
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    line->AddSpacer(dialog->FromDIP(kDialogMargin));
    line->Add(first);
    if (second) {
        line->AddSpacer(dialog->FromDIP(gap));
        line->Add(second);
    }
    line->AddSpacer(dialog->FromDIP(kDialogMargin));
    column->Add(line);
}
