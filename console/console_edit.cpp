// SPDX-License-Identifier: MIT
// The console: construction, preferences, execution, replies, history, clear and reset.
// Keys, clipboard, context menu, zoom and completion are in console_edit_input.cpp.
#include "console/console_edit.h"

#include <algorithm>
#include <clocale>
#include <string>

#include <wx/accel.h>
#include <wx/bitmap.h>

#include "console/accessibility.h"
#include "engine/interpreter.h"
#include "engine/messages.h"
#include "libs/ui/delvo_message_box.h"
#include "resources/error_marker.xpm"

namespace {

// The console's answers to the four built-in words typed alone on the input line; author and version as the
// interpreter answers them (engine/messages.h).
const wchar_t* const kReleaseDate = L"Apr 30 2021";
const wchar_t* const kContactLine = L"Contact: the DelvoCalculator project, through its issue tracker";

// The reset question.
const wchar_t* const kResetMessage = L"Reset Math Console?";
const wchar_t* const kResetCaption = L"Quarn";
const wchar_t* const kResetLabel = L"Reset";
const wchar_t* const kCancelLabel = L"Cancel";

constexpr int kPromptChar = 10000 + '>';  // character marker ">"
constexpr int kPromptMask = (1 << ConsoleEdit::PROMPT_MARKER) | (1 << ConsoleEdit::ERROR_MARKER);  // 0x900
constexpr int kTextMargin = 4;
constexpr int kScrollWidthInset = 24;

// Tabs become blanks; carriage returns go; line feeds become lineFeed.
wxString flattenLine(const wxString& text, const wxString& lineFeed) {
    wxString flat(text);
    flat.Replace(wxS("\t"), wxS(" "));
    flat.Replace(wxS("\r"), wxString());
    flat.Replace(wxS("\n"), lineFeed);
    return flat;
}

}  // namespace

wxBEGIN_EVENT_TABLE(ConsoleEdit, CodeEdit)
    EVT_KEY_DOWN(ConsoleEdit::OnKeyDown)
    EVT_CHAR(ConsoleEdit::OnChar)
    EVT_STC_CHARADDED(wxID_ANY, ConsoleEdit::OnCharAdded)
    EVT_CONTEXT_MENU(ConsoleEdit::OnContextMenu)
    EVT_MENU(ID_CONSOLE_CUT, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_CONSOLE_COPY, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_CONSOLE_PASTE, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_CONSOLE_DELETE, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_EDIT_REDO, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_EDIT_UNDO, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_CONSOLE_RESET, ConsoleEdit::OnEditCommand)
    EVT_MENU(ID_RUN_EXECUTE, ConsoleEdit::OnViewCommand)
    EVT_MENU(ID_VIEW_ZOOM_NORMAL, ConsoleEdit::OnViewCommand)
    EVT_MENU(ID_VIEW_ZOOM_IN, ConsoleEdit::OnViewCommand)
    EVT_MENU(ID_VIEW_ZOOM_OUT, ConsoleEdit::OnViewCommand)
    EVT_MOUSEWHEEL(ConsoleEdit::OnMouseWheel)
wxEND_EVENT_TABLE()

ConsoleEdit::ConsoleEdit(wxWindow* parent, Interpreter& interpreter, wxWindowID id, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
    : CodeEdit(parent, id, pos, size, style, name, kLanguageLua), m_interpreter(interpreter) {
    setModeScriptConsole(true);

    wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'X', ID_CONSOLE_CUT},
        {wxACCEL_CTRL, 'C', ID_CONSOLE_COPY},
        {wxACCEL_CTRL, 'V', ID_CONSOLE_PASTE},
        {wxACCEL_CTRL, 'Y', ID_EDIT_REDO},
        {wxACCEL_CTRL, 'Z', ID_EDIT_UNDO},
        {wxACCEL_CTRL, '+', ID_VIEW_ZOOM_IN},
        {wxACCEL_CTRL, '-', ID_VIEW_ZOOM_OUT},
        {wxACCEL_CTRL, '0', ID_VIEW_ZOOM_NORMAL},
        {wxACCEL_CTRL, WXK_NUMPAD_ADD, ID_VIEW_ZOOM_IN},
        {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, ID_VIEW_ZOOM_OUT},
        {wxACCEL_CTRL, WXK_NUMPAD0, ID_VIEW_ZOOM_NORMAL},
        {wxACCEL_NORMAL, WXK_DELETE, ID_CONSOLE_DELETE},
        {wxACCEL_NORMAL, WXK_NUMPAD_DELETE, ID_CONSOLE_DELETE},
        {wxACCEL_NORMAL, WXK_F12, ID_RUN_EXECUTE},
    };
    SetAcceleratorTable(wxAcceleratorTable(WXSIZEOF(entries), entries));

    // The markers exist from the start; ApplyPreferences defines them again in the record's colours.
    // The prompt margin is measured when the first drawing needs it: the window's font is applied before that,
    // and each measurement realises every style's font.
    setupPromptMargin();
    Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        if (GetPromptMarginWidth() == 0) UpdatePromptMargin();
        event.Skip();
    });
    addMarkerOnce(GetCurrentLine(), PROMPT_MARKER);
    // Scintilla drops every line's markers when the whole text goes (Backspace, Escape, Undo or a recalled
    // entry on the only line): the input line gets its prompt back at once.
    Bind(wxEVT_STC_MODIFIED, [this](wxStyledTextEvent& event) {
        if ((event.GetModificationType() & wxSTC_MOD_DELETETEXT) != 0 && GetLength() == 0)
            addMarkerOnce(0, PROMPT_MARKER);
        event.Skip();
    });
    EmptyUndoBuffer();
    m_errorMarks.attach(this);
    m_liveAnswer.attach(this, &m_interpreter);
    publishConsoleText(*this, name);
}

// ---- Preferences ----------------------------------------------------------------------------------------

bool ConsoleEdit::ApplyPreferences(const EditorPrefs& prefs, bool apply) {
    SetPreferences(prefs, false);
    m_prefs.foldMargin = false;
    m_prefs.wrap = false;
    m_prefs.viewEol = false;
    m_prefs.lineSpacing = 0;
    // A background slightly off the chosen one: darker on light themes, lighter on dark ones.
    StyleEntry& base = m_prefs.styles[EditorPrefs::kDefault];
    base.background = shiftColor(base.background, base.background > base.foreground ? -4 : 4);
    if (!apply) return true;

    ApplyAll();
    setupPromptMargin();
    SetMarginWidth(kMarginLineNumbers, 0);
    SetMarginWidth(kMarginSymbols, 0);
    SetMarginWidth(kMarginFolding, 0);
    SetCaretForeground(toColour(base.foreground));
    SetCaretLineBackground(toColour(base.background));
    SetCaretLineVisible(true);
    SetViewEOL(false);
    SetIndentationGuides(wxSTC_IV_NONE);
    SetEdgeMode(wxSTC_EDGE_NONE);
    SetViewWhiteSpace(wxSTC_WS_INVISIBLE);
    UpdatePromptMargin();
    return true;
}

void ConsoleEdit::setupPromptMargin() {
    const StyleEntry& base = m_prefs.styles[EditorPrefs::kDefault];
    SetMarginType(kMarginPrompt, wxSTC_MARGIN_SYMBOL);
    SetMarginMask(kMarginPrompt, kPromptMask);
    SetMarginSensitive(kMarginPrompt, false);
    SetMarginWidth(kMarginPrompt, m_prefs.promptMargin ? m_promptMarginWidth : 0);
    MarkerDefine(PROMPT_MARKER, kPromptChar, toColour(base.foreground), toColour(base.background));
    MarkerDefineBitmap(ERROR_MARKER, wxBitmap(error_marker_xpm));
    SetMarginLeft(kTextMargin);
    SetMarginRight(kTextMargin);
}

void ConsoleEdit::addMarkerOnce(int line, int marker) {
    // A line carries each marker at most once, so that one MarkerDelete removes it.
    if (line < 0 || line >= GetLineCount()) return;
    if ((MarkerGet(line) & (1 << marker)) == 0) MarkerAdd(line, marker);
}

// ---- Execution --------------------------------------------------------------------------------------------

int ConsoleEdit::SetCommandText(const wxString& text) {
    const std::wstring wide = text.ToStdWstring();
    if (wide.empty() || static_cast<int>(wide.size()) > kCommandMax) return 0;
    std::size_t length = wide.size();
    wide.copy(m_commandText, length);
    if (m_commandText[length - 1] == L'\n') --length;
    m_commandText[length] = L'\0';
    return static_cast<int>(length);
}

void ConsoleEdit::ExecuteLine() {
    if (m_busy) return;
    closePopups();
    m_failed = false;
    m_busy = true;
    // Numbers are read and written with a full stop whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");

    const int lastLine = GetLineCount() - 1;
    GotoPos(GetLineEndPosition(lastLine));
    wxString text = GetLineText(lastLine);
    text.Trim(true).Trim(false);
    text = flattenLine(text, wxString());
    if (text.empty() || SetCommandText(text) == 0) {
        m_busy = false;
        return;
    }
    const wxString command(m_commandText);
    m_breakBeforeOutput = true;

    static const struct {
        const wchar_t* word;
        const wchar_t* answer;
    } kBuiltIns[] = {
        {L"author", msg::kAuthor},
        {L"release", kReleaseDate},
        {L"version", msg::kVersion},
        {L"contact", kContactLine},
    };
    for (const auto& builtIn : kBuiltIns) {
        if (command.IsSameAs(builtIn.word, false)) {
            ShowReply(builtIn.answer, true);
            return;
        }
    }

    m_executingLine = lastLine;
    const bool show = !command.EndsWith(wxS(";"));
    runStatements(command, show);
}

void ConsoleEdit::runStatements(const wxString& command, bool show) {
    wxArrayString statements;
    if (command.Find(';') != wxNOT_FOUND) {
        for (wxString piece : wxSplit(command, ';', '\0')) {
            piece.Trim(true).Trim(false);
            if (!piece.empty()) statements.Add(piece);
        }
    } else {
        statements.Add(command);
    }

    // One reply buffer: the interpreter empties it on each call, so the last statement's reply remains.
    std::wstring reply;
    for (size_t i = 0; i < statements.size(); ++i) {
        m_failed = !m_interpreter.evaluateLine(statements[i].ToStdWstring(), &reply);
        if (!m_failed) continue;
        m_errorMarks.mark(m_executingLine, static_cast<int>(i), m_interpreter.errorSpot());
        break;
    }
    wxString text(reply);
    if (text.empty() && !m_interpreter.verbose) text = wxS("\n");
    const wxString note = m_failed ? wxString() : wxString(m_interpreter.solveNote());
    ShowReply(text, show);
    if (show && !note.empty()) showNote(GetLineCount() - 2, note);
}

void ConsoleEdit::showNote(int line, const wxString& note) {
    if (line < 0) return;
    m_liveAnswer.applyStyle();
    AnnotationSetText(line, note);
    AnnotationSetStyle(line, ConsoleLiveAnswer::kStyle);
}

void ConsoleEdit::ShowReply(const wxString& reply, bool show) {
    m_busy = false;
    const wxString command(m_commandText);
    if (m_failed) {
        m_lastFailed = true;
        AddHistory(command);
        if (m_executingLine >= 0) {
            MarkerDelete(m_executingLine, PROMPT_MARKER);
            addMarkerOnce(m_executingLine, ERROR_MARKER);
        }
        m_executingLine = -1;
        AppendOutput(reply, true);
    } else {
        AddHistory(command);
        addMarkerOnce(m_executingLine, PROMPT_MARKER);
        m_executingLine = -1;
        m_lastFailed = false;
        AppendOutput(show ? reply : wxString(wxS("\n")), false);
    }
    addMarkerOnce(GetCurrentLine(), PROMPT_MARKER);
    m_failed = false;
    m_breakBeforeOutput = false;
    dropOldestLines();
    EmptyUndoBuffer();
}

void ConsoleEdit::dropOldestLines() {
    const int lines = GetLineCount();
    if (lines <= kMaxLines) return;
    // A thousand lines at once rather than one a reply: each removal moves the whole text in memory.
    const int dropped = lines - (kMaxLines - kDroppedLines);
    // Deleted lines hand their markers to the line that becomes the first; it gets back its own alone.
    const int firstMarkers = MarkerGet(dropped);
    DeleteRange(0, PositionFromLine(dropped));
    MarkerDelete(0, -1);
    MarkerAddSet(0, firstMarkers);
    m_errorMarks.linesDropped();
    m_liveAnswer.linesDropped(dropped);
}

void ConsoleEdit::AppendOutput(const wxString& text, bool error) {
    wxString output = flattenLine(text, wxS(" "));
    if (error) {
        m_breakBeforeOutput = false;  // the message continues the input line
    } else {
        output.Trim(true).Trim(false);
    }
    if (m_breakBeforeOutput) {
        m_breakBeforeOutput = false;
        const int line = GetCurrentLine();
        if (GetLineEndPosition(line) > PositionFromLine(line)) output.Prepend(wxS("\n"));
    }
    if (output.empty()) return;
    if (!output.EndsWith(wxS("\n"))) output += wxS("\n");
    const int at = GetSelectionEnd();
    SetEmptySelection(at);
    const int lengthBefore = GetLength();
    InsertText(at, output);
    GotoPos(at + (GetLength() - lengthBefore));
}

// ---- History ----------------------------------------------------------------------------------------------

void ConsoleEdit::AddHistory(const wxString& text) {
    if (m_history.add(text.ToStdWstring(), !m_failed && m_lastFailed)) m_lastFailed = false;
}

// ---- Clear and reset ------------------------------------------------------------------------------------

void ConsoleEdit::ClearConsole() {
    MarkerDeleteAll(PROMPT_MARKER);
    MarkerDeleteAll(ERROR_MARKER);
    ClearAll();
    m_errorMarks.clear();
    // "cls" runs inside ExecuteLine: the executed line is gone, so ShowReply must not mark a line.
    m_executingLine = -1;
    addMarkerOnce(GetCurrentLine(), PROMPT_MARKER);
    EmptyUndoBuffer();
    SetScrollWidth(std::max(1, GetSize().GetWidth() - kScrollWidthInset));
    Refresh();
}

void ConsoleEdit::ResetConsole() {
    if (m_busy) return;
    const int answer = DelvoMessageBox(kResetMessage, kResetCaption, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this,
                                       kResetLabel, kCancelLabel, wxString());
    if (answer != wxYES) return;
    m_breakBeforeOutput = false;
    m_history.clear();
    ClearConsole();
}
