// SPDX-License-Identifier: MIT
// The undo and redo history of a converter's input field.
#pragma once

#include <cstddef>
#include <vector>

#include <wx/string.h>

class wxTextCtrl;

/// The field's texts, oldest first, and the one shown now. GTK's single-line entry keeps no history of
/// its own, so the converters keep theirs on every platform alike.
class EditHistory {
public:
    /// Texts kept; the oldest goes first.
    static constexpr std::size_t kMostTexts = 100;

    explicit EditHistory(const wxString& initial) : m_texts{initial} {}

    /// A new text of the field (after typing, pasting or cutting); drops what could have been redone.
    void record(const wxString& text);
    /// Shows the previous or the next text in the field (converting it as any change does); false at the end.
    bool undo(wxTextCtrl& field);
    bool redo(wxTextCtrl& field);

private:
    bool show(wxTextCtrl& field, std::size_t index);

    std::vector<wxString> m_texts;
    std::size_t m_current = 0;
    bool m_restoring = false;
};
