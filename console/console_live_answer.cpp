// SPDX-License-Identifier: MIT
#include "console/console_live_answer.h"

#include "engine/interpreter.h"
#include "engine/live_answer.h"

ConsoleLiveAnswer::ConsoleLiveAnswer() = default;
ConsoleLiveAnswer::~ConsoleLiveAnswer() = default;

void ConsoleLiveAnswer::attach(wxStyledTextCtrl* console, const Interpreter* interpreter) {
    m_console = console;
    m_interpreter = interpreter;
    m_answer = std::make_unique<LiveAnswer>();
    console->AnnotationSetVisible(wxSTC_ANNOTATION_STANDARD);
    console->Bind(wxEVT_STC_UPDATEUI, &ConsoleLiveAnswer::onUpdate, this);
    // State changed elsewhere (output base, variables dialog) shows once the program is idle again.
    console->Bind(wxEVT_IDLE, &ConsoleLiveAnswer::onUpdate, this);
}

void ConsoleLiveAnswer::setEnabled(bool on) {
    m_enabled = on;
    refresh();
}

void ConsoleLiveAnswer::onUpdate(wxEvent& event) {
    refresh();
    event.Skip();
}

void ConsoleLiveAnswer::refresh() {
    if (!m_console || !m_interpreter) return;
    const int line = m_console->GetLineCount() - 1;
    std::wstring reply;
    if (m_enabled) m_answer->answer(*m_interpreter, m_console->GetLineText(line).ToStdWstring(), &reply);
    show(line, wxString(reply));
}

void ConsoleLiveAnswer::linesDropped(int count) { m_line = m_line >= count ? m_line - count : -1; }

void ConsoleLiveAnswer::applyStyle() {
    // Half-way between the text and the background colour, in the console's own font.
    const wxColour fore = m_console->StyleGetForeground(wxSTC_STYLE_DEFAULT);
    const wxColour back = m_console->StyleGetBackground(wxSTC_STYLE_DEFAULT);
    if (fore == m_styledFore && back == m_styledBack &&
        m_console->StyleGetForeground(kStyle) != m_console->StyleGetForeground(wxSTC_STYLE_DEFAULT))
        return;
    m_styledFore = fore;
    m_styledBack = back;
    const wxColour dimmed((fore.Red() + back.Red()) / 2, (fore.Green() + back.Green()) / 2,
                          (fore.Blue() + back.Blue()) / 2);
    m_console->StyleSetForeground(kStyle, dimmed);
    m_console->StyleSetBackground(kStyle, back);
    m_console->StyleSetFaceName(kStyle, m_console->StyleGetFaceName(wxSTC_STYLE_DEFAULT));
    m_console->StyleSetSize(kStyle, m_console->StyleGetSize(wxSTC_STYLE_DEFAULT));
    m_console->StyleSetItalic(kStyle, true);
}

void ConsoleLiveAnswer::show(int line, const wxString& text) {
    // An empty annotation text would still take a line of its own: lines without an answer are cleared.
    if (m_line >= 0 && m_line != line && m_line < m_console->GetLineCount()) m_console->AnnotationClearLine(m_line);
    if (line == m_line && text == m_shown) return;
    m_line = line;
    m_shown = text;
    if (!text.empty()) applyStyle();
    if (text.empty()) {
        m_console->AnnotationClearLine(line);
        return;
    }
    m_console->AnnotationSetText(line, wxS("= ") + text);
    m_console->AnnotationSetStyle(line, kStyle);
    keepInView(line);
}

void ConsoleLiveAnswer::keepInView(int line) {
    // While the user types at the bottom of a full console, the view moves up so the answer is not cut off.
    if (m_console->GetCurrentLine() != line) return;
    const int needed = m_console->VisibleFromDocLine(line) + 1 + m_console->AnnotationGetLines(line);
    const int shown = m_console->GetFirstVisibleLine() + m_console->LinesOnScreen();
    if (needed > shown) m_console->SetFirstVisibleLine(needed - m_console->LinesOnScreen());
}
