// SPDX-License-Identifier: MIT
// The console: input line, execution through the interpreter, history, markers.
#pragma once

#include <optional>

#include <wx/string.h>

#include "console/clipboard_reader.h"
#include "console/code_edit.h"
#include "console/command_ids.h"
#include "console/console_error_marks.h"
#include "console/console_history.h"
#include "console/console_live_answer.h"
#include "libs/ui/input_line.h"

class Interpreter;
class wxMenu;

/// The single text control of the main window. The last line is the input line; lines run through the
/// interpreter it is handed, and the keypad types into it as an InputLine.
class ConsoleEdit : public CodeEdit, public InputLine {
public:
    /// Markers in the prompt margin (margin 3, mask 0x900).
    static constexpr int PROMPT_MARKER = 8;
    static constexpr int ERROR_MARKER = 11;
    /// Longest executable line (commandText holds 383 characters and the terminator).
    static constexpr int kCommandMax = 383;
    /// Longest input line a paste may produce.
    static constexpr int kPasteMax = 255;
    /// Lines the console keeps (docs/design.md): past them, the oldest kDroppedLines leave at once.
    static constexpr int kMaxLines = 10000;
    static constexpr int kDroppedLines = 1000;

    /// The main window passes ID_CONSOLE, default position, 420 x 180, wxVSCROLL | wxHSCROLL | wxBORDER_NONE,
    /// "Console". Installs the console's accelerator table and the first prompt.
    ConsoleEdit(wxWindow* parent, Interpreter& interpreter, wxWindowID id = ID_CONSOLE,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(420, 180),
                long style = wxVSCROLL | wxHSCROLL | wxBORDER_NONE, const wxString& name = wxS("Console"));

    /// Stores the record with the console's overrides; with apply, applies it and the prompt margin. True.
    bool ApplyPreferences(const EditorPrefs& prefs, bool apply);

    /// Runs the input line (Enter, F12, the keypad's execute key). Does nothing while busy.
    void ExecuteLine();

    // The input line as the keypad uses it.
    void typeText(const wxString& text, int caretOffset) override;
    void eraseLeft() override;
    void execute() override { ExecuteLine(); }
    void keepCaretVisible(bool on) override { setAlwaysShowCaret(on); }
    /// Finishes an execution: history, markers, reply, new input line.
    void ShowReply(const wxString& reply, bool show);
    /// Prints a reply as one line (an error continues the input line).
    void AppendOutput(const wxString& text, bool error);

    /// The caret is on the last line.
    bool IsInputLine() const;
    /// Start of a line (negative: the caret's line; 0 or less: 0).
    int GetInputStart(int line = -1) const;
    /// The selection is not reversed and starts at or after the input start: where the functions menu inserts.
    bool IsSelectionInInput() const;

    /// Deletes text and markers, puts a prompt on the (empty) line 0; the history remains. Safe during
    /// ExecuteLine ("cls" runs inside evaluateLine).
    void ClearConsole();
    /// Asks "Reset Math Console?" (caption "Quarn"); on Reset empties the history and clears the console.
    void ResetConsole();

    /// Edit commands with the console's protections.
    void CutSelection();
    void CopySelection();
    /// Asks the clipboard for its text and pastes it when it comes (at once when this program holds it). A
    /// clipboard whose holder ends or stays silent pastes nothing, and standard error says so.
    void PasteClipboard();
    void DeleteForward();
    /// Paste is possible: not read-only, selection within the input, caret on the input line, text on the clipboard.
    bool CanPasteHere();
    /// Whether the clipboard offers text, as last learned (never waiting for its holder); nothing when unknown.
    std::optional<bool> ClipboardOffersText() { return m_clipboard.offersText(); }

    /// History; index 0 = oldest. Used by the settings code.
    void AddHistory(const wxString& text);
    int GetHistoryCount() const { return m_history.count(); }
    wxString GetHistoryEntry(int index) const { return wxString(m_history.entry(index)); }

    /// Stores 1..383 characters (a trailing line feed removed) in commandText and gives the length; else 0.
    int SetCommandText(const wxString& text);
    wxString GetCommandText() const { return wxString(m_commandText); }

    /// Zoom one step (bounded by the control's font size 4..80) and back to level 0; margin recomputed.
    void ZoomInStep();
    void ZoomOutStep();
    void ZoomNormal();

    /// The context menu for the current caret, selection and clipboard; the caller deletes it.
    wxMenu* CreateContextMenu();

    /// A line is being executed.
    bool IsBusy() const { return m_busy; }
    /// The previous execution failed.
    bool LastFailed() const { return m_lastFailed; }

    /// Underlines at which failed lines went wrong, with the reason on hover and F2.
    ConsoleErrorMarks& errorMarks() { return m_errorMarks; }
    /// The dimmed value under the input line; on by default, switched by the Options menu for the run.
    ConsoleLiveAnswer& liveAnswer() { return m_liveAnswer; }

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnCharAdded(wxStyledTextEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnEditCommand(wxCommandEvent& event);
    void OnViewCommand(wxCommandEvent& event);
    void OnMouseWheel(wxMouseEvent& event);

    /// Key handling with the caret on the input line / on an earlier line; true: consumed.
    bool handleInputLineKey(wxKeyEvent& event);
    bool handleEarlierLineKey(wxKeyEvent& event);
    /// Moves the caret by delta lines keeping the column.
    void moveCaretLines(int delta);
    void showHistoryEntry(const std::wstring& entry);
    void historyUp();
    void historyDown();
    /// Closes an autocompletion list and a call tip.
    void closePopups();
    /// The clipboard's answer to a paste: the text replaces the selection where a paste may go now.
    void pasteAnswer(ClipboardAnswer answer, const wxString& text);
    /// Splits the command at ";" and runs the statements through the interpreter, then ShowReply.
    void runStatements(const wxString& command, bool show);
    /// A dimmed note under a line (a solve that found no root): not text, so saving and copying never see it.
    void showNote(int line, const wxString& note);
    /// Prompt margin and the two markers' definitions.
    void setupPromptMargin();
    /// Adds a marker unless the line has it already.
    void addMarkerOnce(int line, int marker);
    /// Past kMaxLines, the oldest lines leave with their markers, underlines and notes.
    void dropOldestLines();
    /// Deletes the word before the caret, not beyond the input start (Ctrl+Backspace).
    void deleteWordLeft();
    /// Autocompletion and call tips while typing on the input line.
    void suggestCompletion();
    void showCallTip();

    Interpreter& m_interpreter;
    bool m_busy = false;
    wchar_t m_commandText[kCommandMax + 1] = {};
    ConsoleHistory m_history;
    int m_executingLine = -1;
    bool m_failed = false;
    bool m_lastFailed = false;
    bool m_breakBeforeOutput = false;
    ConsoleErrorMarks m_errorMarks;
    ConsoleLiveAnswer m_liveAnswer;
    ClipboardReader m_clipboard;

    wxDECLARE_EVENT_TABLE();
};
