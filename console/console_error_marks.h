// SPDX-License-Identifier: MIT
// Underlines where a failed console line went wrong and tells why on hover or F2.
#pragma once

#include <vector>

#include <wx/stc/stc.h>
#include <wx/string.h>

struct ErrorSpot;

/// The error underlines of one console: a squiggle under the stretch of each failed statement at which it
/// failed, for every failed line still in the text; the reason shows in a call tip on hover or F2.
class ConsoleErrorMarks {
public:
    /// Scintilla's first indicator free for the container.
    static constexpr int kIndicator = 8;
    /// Milliseconds the mouse rests before the reason shows.
    static constexpr int kDwellMillis = 400;

    /// Binds hover and F2 on the console and defines the indicator.
    void attach(wxStyledTextCtrl* console);
    /// Underlines the spot of statement number index (0-based, among the non-empty ";" pieces) of line.
    void mark(int line, int index, const ErrorSpot& spot);
    /// The reason of the underline at pos, empty when there is none.
    wxString reasonAt(int pos) const;
    /// Shows the reason of the underline at or just before pos in a call tip; false when there is none.
    bool showReasonAt(int pos);
    /// The text was cleared: the reasons are forgotten.
    void clear();
    /// Lines left the console: the reasons of the underlines that went with them are forgotten.
    void linesDropped();

private:
    void onDwellStart(wxStyledTextEvent& event);
    void onDwellEnd(wxStyledTextEvent& event);
    void onKeyDown(wxKeyEvent& event);
    /// Keeps the reasons of the underlines still in the text only, numbered anew in the text's order.
    void compact();

    wxStyledTextCtrl* m_console = nullptr;
    /// The reason of the underline of value v is m_reasons[v - 1].
    std::vector<wxString> m_reasons;
    bool m_tipShown = false;
};
