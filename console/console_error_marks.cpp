// SPDX-License-Identifier: MIT
#include "console/console_error_marks.h"

#include <algorithm>
#include <unordered_map>

#include "engine/error_spot.h"

namespace {

const wxColour kUnderlineColour(0xE0, 0x20, 0x20);
// Underline values a console hands out before the reasons are numbered anew, far below the 24 bits an indicator
// value holds (a line that fails again and again in place, in quiet mode, adds values without adding lines).
constexpr size_t kMostReasons = 1 << 20;

/// The character offset in text of statement number index, as the console splits and trims a line: the
/// line trimmed, then split at ";" into trimmed, non-empty pieces. -1 when there is no such piece.
int statementOffset(const wxString& text, int index) {
    const wxString blanks = wxS(" \t\r\n");
    size_t start = 0;
    const bool split = text.find(';') != wxString::npos;
    int found = 0;
    while (start <= text.size()) {
        size_t end = split ? text.find(';', start) : wxString::npos;
        if (end == wxString::npos) end = text.size();
        const size_t first = text.find_first_not_of(blanks, start);
        if (first != wxString::npos && first < end) {
            if (found == index) return static_cast<int>(first);
            ++found;
        }
        start = end + 1;
    }
    return -1;
}

}  // namespace

void ConsoleErrorMarks::attach(wxStyledTextCtrl* console) {
    m_console = console;
    console->IndicatorSetStyle(kIndicator, wxSTC_INDIC_SQUIGGLE);
    console->IndicatorSetForeground(kIndicator, kUnderlineColour);
    console->SetMouseDwellTime(kDwellMillis);
    console->Bind(wxEVT_STC_DWELLSTART, &ConsoleErrorMarks::onDwellStart, this);
    console->Bind(wxEVT_STC_DWELLEND, &ConsoleErrorMarks::onDwellEnd, this);
    console->Bind(wxEVT_KEY_DOWN, &ConsoleErrorMarks::onKeyDown, this);
}

void ConsoleErrorMarks::mark(int line, int index, const ErrorSpot& spot) {
    if (!m_console || !spot.known() || line < 0 || line >= m_console->GetLineCount()) return;
    const wxString text = m_console->GetLineText(line);
    const int offset = statementOffset(text, index);
    if (offset < 0 || offset + spot.start >= static_cast<int>(text.size())) return;
    const int length = std::min(spot.length, static_cast<int>(text.size()) - offset - spot.start);
    // Document positions count bytes: step over the characters from the line's start.
    const int lineStart = m_console->PositionFromLine(line);
    const int from = m_console->PositionRelative(lineStart, offset + spot.start);
    const int to = m_console->PositionRelative(from, length);
    if (m_reasons.size() >= kMostReasons) compact();
    m_reasons.push_back(wxString(spot.reason));
    m_console->SetIndicatorCurrent(kIndicator);
    m_console->SetIndicatorValue(static_cast<int>(m_reasons.size()));
    m_console->IndicatorFillRange(from, to - from);
}

wxString ConsoleErrorMarks::reasonAt(int pos) const {
    if (!m_console || pos < 0 || pos >= m_console->GetLength()) return {};
    if ((m_console->IndicatorAllOnFor(pos) & (1 << kIndicator)) == 0) return {};
    const int value = m_console->IndicatorValueAt(kIndicator, pos);
    if (value < 1 || value > static_cast<int>(m_reasons.size())) return {};
    return m_reasons[static_cast<size_t>(value - 1)];
}

bool ConsoleErrorMarks::showReasonAt(int pos) {
    int at = pos;
    wxString reason = reasonAt(at);
    if (reason.empty() && pos > 0) reason = reasonAt(at = m_console->PositionBefore(pos));
    if (reason.empty()) return false;
    m_console->CallTipShow(m_console->IndicatorStart(kIndicator, at), reason);
    m_tipShown = true;
    return true;
}

void ConsoleErrorMarks::clear() { m_reasons.clear(); }

void ConsoleErrorMarks::linesDropped() { compact(); }

void ConsoleErrorMarks::compact() {
    if (!m_console) return;
    std::vector<wxString> kept;
    std::unordered_map<int, int> renumbered;
    m_console->SetIndicatorCurrent(kIndicator);
    // The indicator's runs in the text's order: gaps (value 0) and underlines.
    for (int pos = 0, length = m_console->GetLength(); pos < length;) {
        const int end = m_console->IndicatorEnd(kIndicator, pos);
        if (end <= pos) break;
        const int value = m_console->IndicatorValueAt(kIndicator, pos);
        if (value >= 1 && value <= static_cast<int>(m_reasons.size())) {
            auto [at, added] = renumbered.emplace(value, static_cast<int>(kept.size()) + 1);
            if (added) kept.push_back(m_reasons[static_cast<size_t>(value - 1)]);
            m_console->SetIndicatorValue(at->second);
            m_console->IndicatorFillRange(pos, end - pos);
        }
        pos = end;
    }
    m_reasons.swap(kept);
}

void ConsoleErrorMarks::onDwellStart(wxStyledTextEvent& event) {
    const int pos = event.GetPosition();
    if (!reasonAt(pos).empty()) showReasonAt(pos);
    event.Skip();
}

void ConsoleErrorMarks::onDwellEnd(wxStyledTextEvent& event) {
    if (m_tipShown && m_console->CallTipActive()) m_console->CallTipCancel();
    m_tipShown = false;
    event.Skip();
}

void ConsoleErrorMarks::onKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F2 && event.GetModifiers() == wxMOD_NONE &&
        showReasonAt(m_console->GetCurrentPos()))
        return;
    if (m_tipShown && m_console->CallTipActive()) m_console->CallTipCancel();
    m_tipShown = false;
    event.Skip();
}
