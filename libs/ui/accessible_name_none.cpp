// SPDX-License-Identifier: MIT
// Windows: the system's own accessibility layer names native controls after their labels and the label
// before a field; nothing to add.
#include "libs/ui/accessible_name.h"

void setAccessibleName(wxWindow&, const wxString&) {}

void setAccessibleDescription(wxWindow&, const wxString&) {}
