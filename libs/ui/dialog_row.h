// SPDX-License-Identifier: MIT
// The row of a tool dialog's column: a margin, one or two controls with a gap between them, a margin.
#pragma once

class wxSizer;
class wxWindow;

/// Appends to column a row of first (and second, when given) between margins of 8, gap apart; sizes
/// in device-independent pixels of dialog.
void addDialogRow(wxSizer* column, const wxWindow* dialog, wxWindow* first, wxWindow* second = nullptr, int gap = 8);
