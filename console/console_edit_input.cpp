// SPDX-License-Identifier: MIT
// The console's input side: keys, clipboard commands, context menu, zoom, and
// autocompletion and call tips on the input line.
#include "console/console_edit.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>

#include <wx/bmpbndl.h>
#include <wx/menu.h>

#include "engine/function_table.h"
#include "engine/interpreter.h"
#include "libs/ui/window_icons.h"
#include "resources/reset.xpm"
#include "resources/zoom_in.xpm"
#include "resources/zoom_out.xpm"

namespace {

constexpr int kPageLines = 5;
constexpr int kMaxZoomFontSize = 80, kMinZoomFontSize = 4;

bool isWordChar(int ch) { return ch == '_' || (ch < 128 && std::iswalnum(static_cast<wint_t>(ch))); }
bool isBlank(int ch) { return ch == ' ' || ch == '\t'; }

wxMenuItem* appendItem(wxMenu* menu, int id, const wxString& label, const wxString& help, const char* const* xpm) {
    wxMenuItem* item = new wxMenuItem(menu, id, label, help);
    if (xpm) item->SetBitmap(pixelArtBundle(xpm));
    return menu->Append(item);
}

}  // namespace

// ---- Positions ------------------------------------------------------------------------------------------

// wxStyledTextCtrl's getters are not const; these queries change nothing.
bool ConsoleEdit::IsInputLine() const {
    auto* self = const_cast<ConsoleEdit*>(this);
    return self->GetCurrentLine() == self->GetLineCount() - 1;
}

int ConsoleEdit::GetInputStart(int line) const {
    auto* self = const_cast<ConsoleEdit*>(this);
    if (line < 0) line = self->GetCurrentLine();
    if (line <= 0) return 0;
    return self->PositionFromLine(line);
}

bool ConsoleEdit::IsSelectionInInput() const {
    auto* self = const_cast<ConsoleEdit*>(this);
    // Scintilla reports start <= end, so the start alone decides.
    return self->GetSelectionStart() >= GetInputStart(self->GetLineCount() - 1);
}

// ---- Keys -------------------------------------------------------------------------------------------------

void ConsoleEdit::typeText(const wxString& text, int caretOffset) {
    // Elsewhere the text goes to the end, which is always on the input line.
    if (!IsSelectionInInput() || !IsInputLine()) SetEmptySelection(GetTextLength());
    ReplaceSelection(text);
    // The offset counts characters, so the caret never lands inside the bytes of one.
    if (caretOffset != 0) GotoPos(PositionRelative(GetSelectionStart(), caretOffset));
}

void ConsoleEdit::eraseLeft() {
    if (!IsInputLine()) return;
    const int start = GetSelectionStart(), line = GetCurrentLine();
    if (line > 0 && start <= GetLineEndPosition(line - 1) + 1) return;
    if (start > GetInputStart(line)) DeleteBack();
}

void ConsoleEdit::OnKeyDown(wxKeyEvent& event) {
    const bool standard = IsInputLine() ? handleInputLineKey(event) : handleEarlierLineKey(event);
    if (standard) event.Skip();
}

void ConsoleEdit::OnChar(wxKeyEvent& event) {
    if (m_busy) return;
    event.Skip();
}

bool ConsoleEdit::handleInputLineKey(wxKeyEvent& event) {
    const int inputStart = GetInputStart(GetLineCount() - 1);
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            if (m_busy) return false;
            if (AutoCompActive()) return true;
            ExecuteLine();
            return false;
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE: return true;
        case WXK_ESCAPE:
            // First the completion list or call tip, then the line itself.
            if (AutoCompActive() || CallTipActive()) {
                closePopups();
            } else if (!m_busy && GetLineEndPosition(GetLineCount() - 1) > inputStart) {
                SetTargetRange(inputStart, GetLineEndPosition(GetLineCount() - 1));
                ReplaceTarget(wxString());
                GotoPos(inputStart);
            }
            return false;
        case WXK_BACK: {
            const bool allowed =
                IsSelectionInInput() && (GetSelectionStart() != GetSelectionEnd() || GetCurrentPos() > inputStart);
            // Ctrl+Backspace is cleared from the key map in script-console mode: a bounded word delete instead.
            if (allowed && event.ControlDown() && !event.AltDown()) {
                deleteWordLeft();
                return false;
            }
            return allowed;
        }
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT: return GetSelectionStart() > inputStart;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            if (AutoCompActive()) return true;
            historyUp();
            return false;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            if (AutoCompActive()) return true;
            historyDown();
            return false;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            if (AutoCompActive()) return true;
            if (GetLineCount() >= 2) moveCaretLines(-kPageLines);
            return false;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN: return AutoCompActive();
        case 'C':
        case 'c':
            if (!event.ControlDown()) return true;
            Copy();
            return false;
        case 'V':
        case 'v':
            if (!event.ControlDown()) return true;
            PasteClipboard();
            return false;
        default: return true;
    }
}

bool ConsoleEdit::handleEarlierLineKey(wxKeyEvent& event) {
    // Never on the input line: a line follows this one.
    switch (event.GetKeyCode()) {
        case WXK_UP:
        case WXK_NUMPAD_UP:
            if (GetCurrentLine() > 0) moveCaretLines(-1);
            return false;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN: moveCaretLines(1); return false;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP: moveCaretLines(-kPageLines); return false;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN: moveCaretLines(kPageLines); return false;
        case 'C':
        case 'c':
            if (event.ControlDown()) Copy();
            return false;
        case WXK_MENU:
        case WXK_WINDOWS_MENU: return true;  // the toolkit turns it into the context menu; the control inserts nothing
        case WXK_F10: return event.ShiftDown();  // Shift+F10: the context menu, as above
        default:
            // Alt+letter reaches the menu bar's mnemonics; the control inserts nothing for it.
            return event.AltDown() && !event.ControlDown() && event.GetKeyCode() < 128 &&
                   std::iswalpha(static_cast<wint_t>(event.GetKeyCode()));
    }
}

void ConsoleEdit::moveCaretLines(int delta) {
    const int line = GetCurrentLine();
    // The selection's end is at or after the caret, so the column is never negative.
    const int column = GetSelectionEnd() - PositionFromLine(line);
    const int target = std::clamp(line + delta, 0, GetLineCount() - 1);
    GotoPos(std::min(PositionFromLine(target) + column, GetLineEndPosition(target)));
}

// Runs with a selection in the input, or with the caret after the input's start: something is always deleted.
void ConsoleEdit::deleteWordLeft() {
    const int inputStart = GetInputStart(GetLineCount() - 1);
    if (GetSelectionStart() != GetSelectionEnd()) {
        DeleteBack();
        return;
    }
    const int caret = GetCurrentPos();
    int pos = caret;
    while (pos > inputStart && isBlank(GetCharAt(pos - 1))) --pos;
    if (pos > inputStart) {
        const bool word = isWordChar(GetCharAt(pos - 1));
        while (pos > inputStart && !isBlank(GetCharAt(pos - 1)) && isWordChar(GetCharAt(pos - 1)) == word) --pos;
    }
    DeleteRange(pos, caret - pos);
}

// ---- History navigation ---------------------------------------------------------------------------------

void ConsoleEdit::historyUp() {
    std::wstring entry;
    if (m_history.up(&entry)) showHistoryEntry(entry);
}

void ConsoleEdit::historyDown() {
    std::wstring entry;
    if (m_history.down(&entry)) showHistoryEntry(entry);
}

void ConsoleEdit::showHistoryEntry(const std::wstring& entry) {
    if (m_busy) return;
    if (CallTipActive()) CallTipCancel();
    const int lastLine = GetLineCount() - 1;
    SetSelection(GetInputStart(lastLine), GetLineEndPosition(lastLine));
    ReplaceSelection(entry);
    GotoPos(GetLineEndPosition(GetLineCount() - 1));
}

// ---- Clipboard commands -----------------------------------------------------------------------------------

void ConsoleEdit::CutSelection() {
    if (!GetReadOnly() && IsSelectionInInput() && IsInputLine()) Cut();
}

void ConsoleEdit::CopySelection() {
    if (GetSelectionStart() != GetSelectionEnd()) Copy();
}

bool ConsoleEdit::CanPasteHere() {
    if (GetReadOnly() || !IsSelectionInInput() || !IsInputLine()) return false;
    return m_clipboard.offersText().value_or(false);
}

void ConsoleEdit::PasteClipboard() {
    if (GetReadOnly() || !IsSelectionInInput() || !IsInputLine()) return;
    m_clipboard.requestText([this](ClipboardAnswer answer, const wxString& text) { pasteAnswer(answer, text); });
}

void ConsoleEdit::pasteAnswer(ClipboardAnswer answer, const wxString& clipboardText) {
    // The window goes on while another program is asked; a paste that fails says so to the terminal only.
    std::string failure;
    if (answer == ClipboardAnswer::OwnerEnded)
        failure = "the program holding the clipboard ended before it handed over the text";
    if (answer == ClipboardAnswer::NoAnswer)
        failure = "the program holding the clipboard did not hand over the text within " +
                  std::to_string(ClipboardReader::kPatienceMs / 1000) + " seconds";
    if (!failure.empty()) {
        std::fputs(("tallyx: nothing was pasted: " + failure + "\n").c_str(), stderr);
        std::fflush(stderr);
        return;
    }
    wxString text = clipboardText;
    if (text.empty()) return;
    // A late answer goes where a paste may go now, or nowhere.
    if (GetReadOnly() || !IsSelectionInInput() || !IsInputLine()) return;
    const int lastLine = GetLineCount() - 1;
    const int inputLength = static_cast<int>(GetLineText(lastLine).length());
    const int selectedLength = static_cast<int>(GetSelectedText().length());
    if (static_cast<int>(text.length()) + inputLength - selectedLength > kPasteMax) return;
    text.Replace(wxS("\t"), wxS(" "));
    text.Replace(wxS("\r"), wxString());
    text.Replace(wxS("\n"), wxString());
    ReplaceSelection(text);
    EnsureCaretVisible();
}

void ConsoleEdit::DeleteForward() {
    if (!IsInputLine()) return;
    if (GetSelectionEnd() > GetSelectionStart()) {
        Clear();
        return;
    }
    const int caret = GetCurrentPos();
    const int lineEnd = GetLineEndPosition(GetCurrentLine());
    if (caret >= GetInputStart(GetLineCount() - 1) && caret < lineEnd && lineEnd > 0)
        DeleteRange(caret, PositionAfter(caret) - caret);
}

// ---- Commands ---------------------------------------------------------------------------------------------

void ConsoleEdit::OnEditCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_CONSOLE_CUT: CutSelection(); break;
        case ID_CONSOLE_COPY: CopySelection(); break;
        case ID_CONSOLE_PASTE: PasteClipboard(); break;
        case ID_CONSOLE_DELETE: DeleteForward(); break;
        case ID_EDIT_REDO:
            if (CanRedo()) Redo();
            break;
        case ID_EDIT_UNDO:
            if (CanUndo()) Undo();
            break;
        case ID_CONSOLE_RESET:
            if (!m_busy) ResetConsole();
            break;
    }
}

void ConsoleEdit::OnViewCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_RUN_EXECUTE:
            if (!m_busy && !AutoCompActive()) ExecuteLine();
            break;
        case ID_VIEW_ZOOM_IN: ZoomInStep(); break;
        case ID_VIEW_ZOOM_OUT: ZoomOutStep(); break;
        case ID_VIEW_ZOOM_NORMAL: ZoomNormal(); break;
    }
}

// ---- Zoom -------------------------------------------------------------------------------------------------

void ConsoleEdit::ZoomInStep() {
    // The bound tests the control's own font, which zoom steps leave unchanged.
    if (GetFont().GetPointSize() < kMaxZoomFontSize) ZoomIn();
    UpdatePromptMargin();
}

void ConsoleEdit::ZoomOutStep() {
    if (GetFont().GetPointSize() > kMinZoomFontSize) ZoomOut();
    UpdatePromptMargin();
}

void ConsoleEdit::ZoomNormal() {
    SetZoom(0);
    UpdatePromptMargin();
}

void ConsoleEdit::OnMouseWheel(wxMouseEvent& event) {
    if (!event.ControlDown()) {
        event.Skip();
        return;
    }
    if (event.GetWheelRotation() < 0) {
        ZoomInStep();
    } else {
        ZoomOutStep();
    }
}

// ---- Context menu -----------------------------------------------------------------------------------------

void ConsoleEdit::closePopups() {
    if (AutoCompActive()) AutoCompCancel();
    if (CallTipActive()) CallTipCancel();
}

void ConsoleEdit::OnContextMenu(wxContextMenuEvent& event) {
    closePopups();
    wxPoint point = event.GetPosition();
    const bool fromKeyboard = point == wxDefaultPosition;
    if (fromKeyboard) {
        const wxSize client = GetClientSize();
        point = wxPoint(client.GetWidth() / 2, client.GetHeight() / 2);
    } else {
        point = ScreenToClient(point);
        // The caret follows the click unless it lands inside the selection.
        const int position = PositionFromPoint(point);
        if (position < GetSelectionStart() || position > GetSelectionEnd()) GotoPos(position);
    }
    wxMenu* menu = CreateContextMenu();
    PopupMenu(menu, point);
    delete menu;
}

wxMenu* ConsoleEdit::CreateContextMenu() {
    wxMenu* menu = new wxMenu;
    const bool input = IsInputLine();
    const bool selection = GetSelectionStart() != GetSelectionEnd();
    const bool canPaste = input && !m_busy && CanPasteHere();

    bool added = false;
    if (input && CanUndo()) {
        appendItem(menu, ID_EDIT_UNDO, wxS("Undo"), wxS("Undo the last action"), nullptr);
        added = true;
    }
    if (input && CanRedo()) {
        appendItem(menu, ID_EDIT_REDO, wxS("Redo"), wxS("Redo the last action"), nullptr);
        added = true;
    }
    if (added) menu->AppendSeparator();

    bool pasteAdded = false;
    if (selection) {
        if (!m_busy && input) appendItem(menu, ID_CONSOLE_CUT, wxS("Cut"), wxS("Cut the selected text"), nullptr);
        appendItem(menu, ID_CONSOLE_COPY, wxS("Copy"), wxS("Copy the selected text"), nullptr);
        if (canPaste) {
            appendItem(menu, ID_CONSOLE_PASTE, wxS("Paste"), wxS("Paste text"), nullptr);
            pasteAdded = true;
        }
        menu->AppendSeparator();
    }
    if (!pasteAdded && canPaste) {
        appendItem(menu, ID_CONSOLE_PASTE, wxS("Paste"), wxS("Paste the selected text"), nullptr);
        menu->AppendSeparator();
    }

    wxMenu* view = new wxMenu;
    appendItem(view, ID_VIEW_ZOOM_IN, wxS("Zoom In"), wxS("Increase the console's font size"), zoom_in_xpm);
    appendItem(view, ID_VIEW_ZOOM_OUT, wxS("Zoom Out"), wxS("Decrease the console's font size"), zoom_out_xpm);
    appendItem(view, ID_VIEW_ZOOM_NORMAL, wxS("Normal Viewing"), wxS("Set the console's font size to the default one"),
               nullptr);
    menu->AppendSubMenu(view, wxS("View"), wxS("View"));
    appendItem(menu, ID_CONSOLE_RESET, wxS("Reset"), wxS("Clear the console window"), reset_xpm);
    return menu;
}

// ---- Autocompletion and call tips -------------------------------------------------------------------------

void ConsoleEdit::OnCharAdded(wxStyledTextEvent& event) {
    event.Skip();
    if (m_busy || !IsInputLine()) return;
    const int ch = event.GetKey();
    if (ch == '(') {
        if (AutoCompActive()) AutoCompCancel();
        showCallTip();
    } else if (ch == ')') {
        if (CallTipActive()) CallTipCancel();
    } else if (isWordChar(ch)) {
        suggestCompletion();
    }
}

void ConsoleEdit::suggestCompletion() {
    const int caret = GetCurrentPos();
    const int start = std::max(WordStartPosition(caret, true), GetInputStart(GetLineCount() - 1));
    const wxString prefix = GetTextRange(start, caret);
    const bool namePrefix = !prefix.empty() && (prefix[0] == '_' || wxIsalpha(prefix[0]));
    const std::vector<std::wstring> names =
        namePrefix ? completionsFor(prefix.ToStdWstring(), 2, &m_interpreter.functions()) : std::vector<std::wstring>();
    if (names.empty()) {
        if (AutoCompActive()) AutoCompCancel();
        return;
    }
    wxString list;
    for (const std::wstring& name : names) {
        if (!list.empty()) list += wxS('|');
        list += name;
    }
    // While typing, a single choice must not be inserted at once (ApplyAll's setting is for explicit lists).
    AutoCompSetChooseSingle(false);
    AutoCompShow(static_cast<int>(prefix.length()), list);
    AutoCompSetChooseSingle(true);
}

void ConsoleEdit::showCallTip() {
    const int paren = GetCurrentPos() - 1;
    const int start = std::max(WordStartPosition(paren, true), GetInputStart(GetLineCount() - 1));
    const std::wstring name = GetTextRange(start, paren).Lower().ToStdWstring();
    // The user's function of that name first: a call of it is the user's, as the interpreter reads it.
    if (const UserFunction* own = m_interpreter.functions().find(name)) {
        CallTipShow(start, wxString(own->definition()));
        return;
    }
    const FunctionSignature* entry = findFunctionSignature(GetTextRange(start, paren).ToStdWstring());
    if (!entry || entry->constant) return;
    CallTipShow(start, wxString(entry->signature) + wxS("\n") + entry->summary);
}
