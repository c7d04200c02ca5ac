// SPDX-License-Identifier: MIT
// The program's styled editor: a wxStyledTextCtrl configured from one EditorPrefs record.
#pragma once

#include <array>
#include <cstdint>

#include <wx/stc/stc.h>

#include "libs/ui/editor_prefs.h"

/// Styled editor with the Lua lexer, bracket matching on the last line and a prompt margin.
class CodeEdit : public wxStyledTextCtrl {
public:
    /// Languages: 15 selects Lua (the console's); 1 means none (no highlighting, no bracket matching).
    static constexpr int kLanguageNone = 1;
    static constexpr int kLanguageLua = 15;
    /// Margin numbers.
    static constexpr int kMarginLineNumbers = 0, kMarginSymbols = 1, kMarginFolding = 2, kMarginPrompt = 3;
    /// The stored Lua keyword list 0 (the calculator's function and constant names).
    static const wchar_t* const kLuaKeywords;

    CodeEdit(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0, const wxString& name = wxSTCNameStr,
             int language = kLanguageLua);

    /// Copies the record in (copy rule); with apply, ApplyAll. True, or ApplyAll's result.
    bool SetPreferences(const EditorPrefs& prefs, bool apply);
    /// Copies the current record out (copy rule).
    void GetPreferences(EditorPrefs& prefs) const;
    /// The current record, read-only.
    const EditorPrefs& preferences() const { return m_prefs; }
    /// Applies the whole record to the control. Always true.
    bool ApplyAll();
    /// Colours, size (4..96), fixed-pitch font of face, bold/italic/underline/hidden bits, letter case.
    void ApplyStyle(int style, std::uint32_t foreground, std::uint32_t background, int size, const wxString& face,
                    int fontStyle, int letterCase);
    /// Syntax highlighting on or off; the text is coloured again.
    void SetHighlighting(bool on);
    bool GetHighlighting() const { return m_prefs.highlight; }
    /// Lua (15): lexer and keywords, true. Anything else: no lexer, false.
    bool SetLanguage(int language, int extra = 0);
    int GetLanguage() const { return m_language; }
    /// Width of ">" in style 32 plus 2 pixels, set as margin 3's width.
    void UpdatePromptMargin();
    int GetPromptMarginWidth() const { return m_promptMarginWidth; }
    /// True while the control has the keyboard focus.
    bool HasEditorFocus() const { return m_focus; }

    // The three console operations our control adds to wxStyledTextCtrl.
    /// Console behaviour of the control: no built-in popup, no text drag, no middle-click paste, no line
    /// commands (duplicate, transpose, cut/copy line, case change), no multiple or rectangular selection.
    void setModeScriptConsole(bool on);
    bool isModeScriptConsole() const { return m_scriptConsole; }
    /// Keeps the caret drawn and blinking while another window (the keypad) has the focus.
    void setAlwaysShowCaret(bool on);
    bool isAlwaysShowCaret() const { return m_alwaysShowCaret; }
    /// Colours of markers 1..4 (outline; fill a light tint of it), 0x00BBGGRR.
    void setMarkersColors(std::uint32_t c0, std::uint32_t c1, std::uint32_t c2, std::uint32_t c3);

    /// The face actually used for a requested face: the face itself when installed, else the first
    /// installed of "DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Courier New", "Monospace".
    static wxString resolveFixedFace(const wxString& face);
    /// wxColour from 0x00BBGGRR.
    static wxColour toColour(std::uint32_t bgr);

protected:
    /// Pieces of ApplyAll: general switches, margins, lexer properties.
    void applyGeneralSwitches();
    void applyMargins();
    void applyLexerProperties();
    /// Extra ascent/descent for a line spacing mode (the "LineSpacing" setting).
    void applyLineSpacing(int mode);
    /// Highlights the bracket at or before the caret on the last line, on every UI update.
    void matchBrackets();
    /// Lit and unmatched brackets in bold or not.
    void setBracketsBold(bool bold);

    EditorPrefs m_prefs;
    int m_language;
    int m_languageExtra = 0;
    int m_promptMarginWidth = 0;
    bool m_focus = false;

private:
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnCharAdded(wxStyledTextEvent& event);
    void OnUpdateUI(wxStyledTextEvent& event);
    void OnStartDrag(wxStyledTextEvent& event);
    void OnDoDrop(wxStyledTextEvent& event);
    void OnMiddleUp(wxMouseEvent& event);
    void restoreCaretAfterFocusLoss();

    bool m_scriptConsole = false;
    /// Whether lit brackets are drawn bold (highlighting on); applied when a bracket is lit.
    bool m_boldBrackets = false;
    bool m_alwaysShowCaret = false;

    wxDECLARE_EVENT_TABLE();
};
