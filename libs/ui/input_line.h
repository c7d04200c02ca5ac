// SPDX-License-Identifier: MIT
// What a tool window may do to the console's input line, without knowing the console.
#pragma once

class wxString;

/// The line the user types on; the keypad types into it.
class InputLine {
public:
    virtual ~InputLine() = default;

    /// Replaces the selection on the input line by text (moving to the end of the text first when the selection
    /// lies elsewhere); a non-zero caretOffset then places the caret that many characters from the start of the
    /// selection.
    virtual void typeText(const wxString& text, int caretOffset) = 0;
    /// Deletes the character left of the caret, never across the input line's start.
    virtual void eraseLeft() = 0;
    /// Runs the input line, as Enter does.
    virtual void execute() = 0;
    /// Keeps the caret drawn while another window (the keypad) is the active one.
    virtual void keepCaretVisible(bool on) = 0;
};
