// SPDX-License-Identifier: MIT
// The value of the input line, shown dimmed below it while it is typed.
#pragma once

#include <memory>

#include <wx/stc/stc.h>
#include <wx/string.h>

class Interpreter;
class LiveAnswer;

/// Shows what Enter would print for the input line as a dimmed annotation under it: not text, so saving,
/// line counts, undo and the history never see it. Updated on every change; nothing for commands,
/// assignments, incomplete or failing text.
class ConsoleLiveAnswer {
public:
    /// The annotation's style, beyond the styles of the Lua lexer.
    static constexpr int kStyle = 60;

    ConsoleLiveAnswer();
    ~ConsoleLiveAnswer();

    /// Binds the updates on the console; answers come from interpreter's state, which is never changed.
    void attach(wxStyledTextCtrl* console, const Interpreter* interpreter);
    /// On (the default) or off for the rest of the run.
    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    /// Brings the annotation up to date with the input line and the interpreter's state.
    void refresh();
    /// The text shown under the input line, empty when none.
    const wxString& shown() const { return m_shown; }
    /// The first count lines left the console: the line carrying the answer moved up with the others.
    void linesDropped(int count);
    /// Gives kStyle its dimmed look in the console's current colours and font (other notes use it too).
    void applyStyle();

private:
    void onUpdate(wxEvent& event);
    void show(int line, const wxString& text);
    /// Scrolls so that the answer under the input line is on screen while the caret is there.
    void keepInView(int line);

    wxStyledTextCtrl* m_console = nullptr;
    const Interpreter* m_interpreter = nullptr;
    std::unique_ptr<LiveAnswer> m_answer;
    bool m_enabled = true;
    int m_line = -1;
    wxString m_shown;
    wxColour m_styledFore, m_styledBack;
};
