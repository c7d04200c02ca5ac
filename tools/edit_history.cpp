// SPDX-License-Identifier: MIT
#include "tools/edit_history.h"

#include <wx/textctrl.h>

void EditHistory::record(const wxString& text) {
    if (m_restoring || text == m_texts[m_current]) return;
    m_texts.resize(m_current + 1);
    m_texts.push_back(text);
    if (m_texts.size() > kMostTexts) m_texts.erase(m_texts.begin());
    m_current = m_texts.size() - 1;
}

bool EditHistory::undo(wxTextCtrl& field) { return m_current > 0 && show(field, m_current - 1); }

bool EditHistory::redo(wxTextCtrl& field) { return m_current + 1 < m_texts.size() && show(field, m_current + 1); }

bool EditHistory::show(wxTextCtrl& field, std::size_t index) {
    m_current = index;
    m_restoring = true;
    field.SetValue(m_texts[index]);
    field.SetInsertionPointEnd();
    m_restoring = false;
    return true;
}
