// SPDX-License-Identifier: MIT
// The styled editor: styles, highlighting, bracket matching, margins, and the three console
// operations our control adds to wxStyledTextCtrl.
#include "console/code_edit.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/fontenum.h>

namespace {

constexpr int kStyleDefault = wxSTC_STYLE_DEFAULT;        // 32
constexpr int kStyleLineNumber = wxSTC_STYLE_LINENUMBER;  // 33
constexpr int kStyleBraceLight = wxSTC_STYLE_BRACELIGHT;  // 34
constexpr int kStyleBraceBad = wxSTC_STYLE_BRACEBAD;      // 35
constexpr int kStyleIndentGuide = wxSTC_STYLE_INDENTGUIDE;  // 37
constexpr int kLastStyle = 40;
constexpr int kLexerEntries = 20;  // entries 0..19 are lexer styles
constexpr int kTextMargin = 4;
constexpr int kFirstColouredMarker = 1;  // markers 1..4 take setMarkersColors's colours
constexpr int kMinFontSize = 4, kMaxFontSize = 96;
constexpr int kCmdSelectionDuplicate = 2469;  // SCI_SELECTIONDUPLICATE, Ctrl+D (no wxSTC_CMD_ name)

// Fixed-pitch faces tried in order when the requested face is not installed.
const wxChar* const kFixedFallbacks[] = {wxS("DejaVu Sans Mono"), wxS("Liberation Mono"), wxS("Noto Sans Mono"),
                                         wxS("Noto Mono"), wxS("Courier New"), wxS("Nimbus Mono PS")};

bool isOpenBracket(int ch) { return ch == '(' || ch == '{' || ch == '['; }
bool isCloseBracket(int ch) { return ch == ')' || ch == '}' || ch == ']'; }

}  // namespace

const wchar_t* const CodeEdit::kLuaKeywords =
    L"exp ln log log2 pow sinh cosh tanh abs sqrt ceil floor fmod erf j0 j1 jn y0 y1 yn bern gauss lorentz "
    L"hypot min max rand time sign hypot erf gammaln beta trunc round rint sin cos tan asin acos atan int pi "
    L"_m _q _k _h _c _e _n ";

wxBEGIN_EVENT_TABLE(CodeEdit, wxStyledTextCtrl)
    EVT_SET_FOCUS(CodeEdit::OnSetFocus)
    EVT_KILL_FOCUS(CodeEdit::OnKillFocus)
    EVT_KEY_DOWN(CodeEdit::OnKeyDown)
    EVT_CHAR(CodeEdit::OnChar)
    EVT_STC_CHARADDED(wxID_ANY, CodeEdit::OnCharAdded)
    EVT_STC_UPDATEUI(wxID_ANY, CodeEdit::OnUpdateUI)
    EVT_STC_START_DRAG(wxID_ANY, CodeEdit::OnStartDrag)
    EVT_STC_DO_DROP(wxID_ANY, CodeEdit::OnDoDrop)
    EVT_MIDDLE_UP(CodeEdit::OnMiddleUp)
wxEND_EVENT_TABLE()

CodeEdit::CodeEdit(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                   const wxString& name, int language)
    : wxStyledTextCtrl(parent, id, pos, size, style, name), m_language(language) {
    for (int margin = kMarginLineNumbers; margin <= kMarginPrompt; ++margin) SetMarginWidth(margin, 0);
    SetModEventMask(wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT);
    SetCodePage(wxSTC_CP_UTF8);
    // Text measured before a record is applied (the prompt margin) then loads the face the editor draws
    // with, not the toolkit's default one it never uses.
    StyleSetFaceName(kStyleDefault, resolveFixedFace(EditorPrefs::kDefaultFace));
}

wxColour CodeEdit::toColour(std::uint32_t bgr) {
    return wxColour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

wxString CodeEdit::resolveFixedFace(const wxString& face) {
    if (!face.empty() && wxFontEnumerator::IsValidFacename(face)) return face;
    for (const wxChar* candidate : kFixedFallbacks) {
        if (wxFontEnumerator::IsValidFacename(candidate)) return candidate;
    }
    return wxS("Monospace");  // fontconfig's generic fixed-pitch alias
}

bool CodeEdit::SetPreferences(const EditorPrefs& prefs, bool apply) {
    m_prefs = prefs;
    return apply ? ApplyAll() : true;
}

void CodeEdit::GetPreferences(EditorPrefs& prefs) const { prefs = m_prefs; }

void CodeEdit::ApplyStyle(int style, std::uint32_t foreground, std::uint32_t background, int size,
                          const wxString& face, int fontStyle, int letterCase) {
    StyleSetForeground(style, toColour(foreground));
    StyleSetBackground(style, toColour(background));
    // A size outside 4..96 leaves the style's size unchanged; the face is still set.
    const bool sizeValid = size >= kMinFontSize && size <= kMaxFontSize;
    const int fontSize = sizeValid ? size : StyleGetSize(style);
    wxFont font(wxFontInfo(std::clamp(fontSize, kMinFontSize, kMaxFontSize))
                    .Family(wxFONTFAMILY_TELETYPE)
                    .FaceName(resolveFixedFace(face)));
    StyleSetFaceName(style, font.GetFaceName());
    if (sizeValid) StyleSetSize(style, size);
    StyleSetBold(style, (fontStyle & StyleEntry::kBold) != 0);
    StyleSetItalic(style, (fontStyle & StyleEntry::kItalic) != 0);
    StyleSetUnderline(style, (fontStyle & StyleEntry::kUnderline) != 0);
    StyleSetVisible(style, (fontStyle & StyleEntry::kHidden) == 0);
    StyleSetCase(style, letterCase);
}

bool CodeEdit::ApplyAll() {
    const StyleEntry& base = m_prefs.styles[EditorPrefs::kDefault];
    const StyleEntry& numbers = m_prefs.styles[EditorPrefs::kLineNumber];
    const StyleEntry& caret = m_prefs.styles[EditorPrefs::kCaret];
    const std::uint32_t F = base.foreground, B = base.background;

    // 1. Every style starts with the default look.
    for (int style = 0; style <= kLastStyle; ++style)
        ApplyStyle(style, F, B, base.size, wxString(base.getFaceName()), base.fontStyle, base.letterCase);
    // 2. Scrolling policies.
    SetVisiblePolicy(wxSTC_VISIBLE_SLOP | wxSTC_VISIBLE_STRICT, 1);
    SetXCaretPolicy(wxSTC_CARET_SLOP | wxSTC_CARET_STRICT | wxSTC_CARET_EVEN, 1);
    SetYCaretPolicy(wxSTC_CARET_SLOP | wxSTC_CARET_STRICT | wxSTC_CARET_EVEN, 1);
    // 3. Marker 0 and style 39.
    MarkerSetForeground(0, toColour(numbers.foreground));
    MarkerSetBackground(0, toColour(numbers.background));
    StyleSetForeground(39, toColour(numbers.foreground));
    // 4. Selection, white space, indentation guides.
    SetSelForeground(false, *wxBLACK);
    SetSelBackground(true, toColour(m_prefs.styles[EditorPrefs::kSelection].background));
    SetWhitespaceForeground(true, toColour(m_prefs.styles[EditorPrefs::kWhitespace].foreground));
    StyleSetForeground(kStyleIndentGuide, toColour(m_prefs.styles[EditorPrefs::kWhitespace].foreground));
    // 5. General switches.
    applyGeneralSwitches();
    // 6. Line-number style, one point smaller.
    ApplyStyle(kStyleLineNumber, numbers.foreground, numbers.background, numbers.size - 1,
               wxString(numbers.getFaceName()), numbers.fontStyle, numbers.letterCase);
    // 7. Layout cache.
    SetLayoutCache(wxSTC_CACHE_PAGE);
    // 8, 9. Symbol, line-number and fold margins.
    applyMargins();
    // 10. Lexer properties and fold flags.
    applyLexerProperties();
    // 11. Caret and caret line.
    SetCaretForeground(toColour(caret.foreground));
    SetCaretLineBackground(toColour(caret.background));
    SetCaretLineVisible(true);
    // 12. Autocompletion and dwell time.
    AutoCompSetSeparator('|');
    AutoCompSetChooseSingle(true);
    AutoCompSetIgnoreCase(false);
    SetMouseDwellTime(500);
    // 13. Language, highlighting, marker colours.
    SetLanguage(m_language, m_languageExtra);
    SetHighlighting(m_prefs.highlight);
    setMarkersColors(m_prefs.markerColors[0], m_prefs.markerColors[1], m_prefs.markerColors[2],
                     m_prefs.markerColors[3]);
    return true;
}

void CodeEdit::applyGeneralSwitches() {
    SetViewEOL(m_prefs.viewEol);
    SetEdgeMode(m_prefs.longLineEdge ? wxSTC_EDGE_LINE : wxSTC_EDGE_NONE);
    SetEdgeColumn(m_prefs.edgeColumn);
    SetEdgeColour(toColour(shiftColor(m_prefs.styles[EditorPrefs::kCaret].background, -40)));
    SetViewWhiteSpace(m_prefs.viewWhitespace ? wxSTC_WS_VISIBLEALWAYS : wxSTC_WS_INVISIBLE);
    SetOvertype(m_prefs.overtype);
    SetReadOnly(m_prefs.readOnly);
    SetWrapMode(m_prefs.wrap ? wxSTC_WRAP_WORD : wxSTC_WRAP_NONE);
    SetMarginLeft(kTextMargin);
    SetMarginRight(kTextMargin);
    SetTabWidth(m_prefs.tabWidth);
    SetIndent(m_prefs.autoIndent ? m_prefs.tabWidth : 0);
    SetUseTabs(m_prefs.useTabs);
    SetTabIndents(m_prefs.useTabs);
    SetBackSpaceUnIndents(m_prefs.useTabs);
    SetIndentationGuides(m_prefs.indentGuides ? wxSTC_IV_LOOKBOTH : wxSTC_IV_NONE);
    applyLineSpacing(m_prefs.lineSpacing);
}

void CodeEdit::applyMargins() {
    // Margin 1 (symbols) and margin 2 (folding) have width 0 in this program whatever the switches say.
    SetMarginType(kMarginSymbols, wxSTC_MARGIN_SYMBOL);
    SetMarginWidth(kMarginSymbols, 0);
    SetMarginSensitive(kMarginSymbols, true);
    // Measuring makes the control realise every style's font: only a shown margin is measured.
    SetMarginWidth(kMarginLineNumbers, m_prefs.lineNumbers ? TextWidth(kStyleLineNumber, wxS("-0000")) : 0);
    SetMarginType(kMarginFolding, wxSTC_MARGIN_SYMBOL);
    SetMarginMask(kMarginFolding, wxSTC_MASK_FOLDERS);
    const wxColour foldFore = toColour(m_prefs.styles[EditorPrefs::kDefault].background);
    const wxColour foldBack = toColour(m_prefs.styles[EditorPrefs::kLineNumber].foreground);
    MarkerDefine(wxSTC_MARKNUM_FOLDEROPEN, wxSTC_MARK_BOXMINUS, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDER, wxSTC_MARK_BOXPLUS, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDERSUB, wxSTC_MARK_VLINE, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDERTAIL, wxSTC_MARK_LCORNER, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDEREND, wxSTC_MARK_BOXPLUSCONNECTED, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDEROPENMID, wxSTC_MARK_BOXMINUSCONNECTED, foldFore, foldBack);
    MarkerDefine(wxSTC_MARKNUM_FOLDERMIDTAIL, wxSTC_MARK_TCORNER, foldFore, foldBack);
    SetMarginWidth(kMarginFolding, 0);
    SetMarginSensitive(kMarginFolding, true);
}

void CodeEdit::applyLexerProperties() {
    static const wxChar* const kProperties[][2] = {
        {wxS("fold"), wxS("1")},
        {wxS("fold.comment"), wxS("1")},
        {wxS("fold.compact"), wxS("0")},
        {wxS("fold.preprocessor"), wxS("1")},
        {wxS("fold.html"), wxS("1")},
        {wxS("fold.html.preprocessor"), wxS("1")},
        {wxS("fold.comment.lua"), wxS("1")},
        {wxS("fold.quotes.lua"), wxS("1")},
        {wxS("lexer.cpp.track.preprocessor"), wxS("0")},
        {wxS("lexer.cpp.update.preprocessor"), wxS("0")},
    };
    for (const auto& property : kProperties) SetProperty(property[0], property[1]);
    SetFoldFlags(wxSTC_FOLDFLAG_LINEAFTER_CONTRACTED);
}

bool CodeEdit::SetLanguage(int language, int extra) {
    m_language = language;
    m_languageExtra = extra;
    if (language != kLanguageLua) {
        SetLexer(wxSTC_LEX_NULL);
        return false;
    }
    for (int i = 0; i < kLexerEntries; ++i) m_prefs.styles[i].lexerStyle = m_prefs.styles[i].id;
    SetLexer(wxSTC_LEX_LUA);
    if (m_prefs.highlight) SetKeyWords(0, kLuaKeywords);
    return true;
}

void CodeEdit::SetHighlighting(bool on) {
    m_prefs.highlight = on;
    const StyleEntry& base = m_prefs.styles[EditorPrefs::kDefault];
    const std::uint32_t F = base.foreground, B = base.background;
    for (int style = 0; style <= EditorPrefs::kLineNumber; ++style)
        ApplyStyle(style, F, B, base.size, wxString(base.getFaceName()), base.fontStyle, base.letterCase);
    if (on && m_language != kLanguageNone) {
        // The keyword list may be missing when the record started with highlighting off.
        if (m_language == kLanguageLua) SetKeyWords(0, kLuaKeywords);
        for (int i = 0; i < kLexerEntries; ++i) {
            const StyleEntry& entry = m_prefs.styles[i];
            if (entry.lexerStyle == -1) continue;
            ApplyStyle(entry.lexerStyle, entry.foreground, B, entry.size, wxString(entry.getFaceName()),
                       entry.fontStyle, entry.letterCase);
        }
        StyleSetBackground(kStyleBraceLight, toColour(m_prefs.styles[EditorPrefs::kSelection].background));
        StyleSetForeground(kStyleBraceBad, toColour(m_prefs.styles[EditorPrefs::kString].foreground));
        m_boldBrackets = true;  // given by the first lit bracket
    } else {
        StyleSetBackground(kStyleBraceLight, toColour(B));
        StyleSetForeground(kStyleBraceBad, toColour(F));
        m_boldBrackets = false;
        setBracketsBold(false);
        BraceHighlight(wxSTC_INVALID_POSITION, wxSTC_INVALID_POSITION);
    }
    Colourise(0, -1);
}

void CodeEdit::applyLineSpacing(int mode) {
    // The tightest spacing is one pixel whatever the face, so only the wider ones measure the font: a measurement
    // loads the face, which the first drawing would otherwise do once.
    int extra = 1;
    if (mode >= 1 && mode <= 3) {
        wxClientDC dc(this);
        dc.SetFont(StyleGetFont(kStyleDefault));
        int width = 0, height = 0;
        dc.GetTextExtent(wxS("Qy"), &width, &height);
        if (height <= 0) height = 8;
        height = std::min(height, 64);
        switch (mode) {
            case 1: extra = height / 8 + 2; break;
            case 2: extra = height / 4 + 3; break;
            default: extra = 3 * height / 8 + 4; break;
        }
    }
    SetExtraAscent(extra);
    SetExtraDescent(extra);
}

void CodeEdit::UpdatePromptMargin() {
    m_promptMarginWidth = TextWidth(kStyleDefault, wxS(">")) + 2;
    SetMarginWidth(kMarginPrompt, m_prefs.promptMargin ? m_promptMarginWidth : 0);
}

void CodeEdit::setMarkersColors(std::uint32_t c0, std::uint32_t c1, std::uint32_t c2, std::uint32_t c3) {
    // Our choice: markers 1..4 (free for bookmark-like uses: warning, accepted, information, error) take the
    // four colours, drawn as a light tint with the colour as outline. Marker 0 keeps ApplyAll's marker
    // colours, and the console's prompt and error markers (8, 11) keep their own.
    const std::uint32_t colours[] = {c0, c1, c2, c3};
    for (int i = 0; i < 4; ++i) {
        MarkerSetForeground(kFirstColouredMarker + i, toColour(colours[i]));
        MarkerSetBackground(kFirstColouredMarker + i, toColour(shiftColor(colours[i], 96)));
    }
}

void CodeEdit::matchBrackets() {
    const int caret = GetCurrentPos();
    if (LineFromPosition(caret) != GetLineCount() - 1) {
        BraceHighlight(wxSTC_INVALID_POSITION, wxSTC_INVALID_POSITION);
        return;
    }
    int at = wxSTC_INVALID_POSITION;
    if (isOpenBracket(GetCharAt(caret))) {
        at = caret;
    } else if (caret > 0 && isCloseBracket(GetCharAt(caret - 1))) {
        at = caret - 1;
    }
    if (at == wxSTC_INVALID_POSITION) {
        BraceHighlight(wxSTC_INVALID_POSITION, wxSTC_INVALID_POSITION);
        return;
    }
    setBracketsBold(m_boldBrackets);
    const int partner = BraceMatch(at);
    if (partner != wxSTC_INVALID_POSITION) {
        BraceHighlight(at, partner);
    } else {
        BraceBadLight(at);
    }
}

void CodeEdit::setBracketsBold(bool bold) {
    // The bold face is loaded only when a bracket is first lit: every face the styles name is loaded before
    // the editor's first drawing, and this one alone cost a fortieth of the program's start-up.
    if (StyleGetBold(kStyleBraceLight) == bold && StyleGetBold(kStyleBraceBad) == bold) return;
    StyleSetBold(kStyleBraceLight, bold);
    StyleSetBold(kStyleBraceBad, bold);
}

// ---- The three console operations our control adds -----------------------------------------------------

void CodeEdit::setModeScriptConsole(bool on) {
    m_scriptConsole = on;
    UsePopUp(on ? wxSTC_POPUP_NEVER : wxSTC_POPUP_ALL);
    SetMultipleSelection(false);
    SetMouseSelectionRectangularSwitch(false);
    // Line commands of Scintilla's default key map that would change earlier lines. The map knows Delete and
    // Insert by its own key codes, not by wxWidgets' ones.
    struct Binding {
        int key;
        int modifiers;
        int command;
    };
    static const Binding kLineCommands[] = {
        {'D', wxSTC_KEYMOD_CTRL, kCmdSelectionDuplicate},
        {'L', wxSTC_KEYMOD_CTRL, wxSTC_CMD_LINECUT},
        {'L', wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT, wxSTC_CMD_LINEDELETE},
        {'T', wxSTC_KEYMOD_CTRL, wxSTC_CMD_LINETRANSPOSE},
        {'T', wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT, wxSTC_CMD_LINECOPY},
        {'U', wxSTC_KEYMOD_CTRL, wxSTC_CMD_LOWERCASE},
        {'U', wxSTC_KEYMOD_CTRL | wxSTC_KEYMOD_SHIFT, wxSTC_CMD_UPPERCASE},
        {wxSTC_KEY_BACK, wxSTC_KEYMOD_CTRL, wxSTC_CMD_DELWORDLEFT},
        {wxSTC_KEY_BACK, wxSTC_KEYMOD_ALT, wxSTC_CMD_UNDO},
        {wxSTC_KEY_DELETE, wxSTC_KEYMOD_SHIFT, wxSTC_CMD_CUT},
        {wxSTC_KEY_INSERT, wxSTC_KEYMOD_SHIFT, wxSTC_CMD_PASTE},
    };
    for (const Binding& binding : kLineCommands) {
        if (on) {
            CmdKeyClear(binding.key, binding.modifiers);
        } else {
            CmdKeyAssign(binding.key, binding.modifiers, binding.command);
        }
    }
}

void CodeEdit::setAlwaysShowCaret(bool on) {
    m_alwaysShowCaret = on;
    SetCaretLineVisibleAlways(on);
    // Scintilla hides the caret when it loses the focus; its own focus flag (SCI_SETFOCUS) brings the
    // blinking caret back without taking the keyboard focus from the other window.
    if (!HasFocus()) SetSTCFocus(on);
}

void CodeEdit::restoreCaretAfterFocusLoss() {
    if (m_alwaysShowCaret && !HasFocus()) SetSTCFocus(true);
}

// ---- Event handlers -----------------------------------------------------------------------------------

void CodeEdit::OnSetFocus(wxFocusEvent& event) {
    m_focus = true;
    event.Skip();
}

void CodeEdit::OnKillFocus(wxFocusEvent& event) {
    if (AutoCompActive()) AutoCompCancel();
    if (CallTipActive()) CallTipCancel();
    m_focus = false;
    event.Skip();
    // The control's own kill-focus handling (run after this one) hides the caret; show it again afterwards.
    if (m_alwaysShowCaret) CallAfter(&CodeEdit::restoreCaretAfterFocusLoss);
}

void CodeEdit::OnKeyDown(wxKeyEvent& event) { event.Skip(); }

void CodeEdit::OnChar(wxKeyEvent& event) {
    // Script console: a selection reaching into earlier lines is not replaced by typing; the character
    // goes to the caret on the last line instead.
    if (m_scriptConsole) {
        const int inputStart = PositionFromLine(GetLineCount() - 1);
        const int caret = GetCurrentPos();
        if (caret >= inputStart && GetSelectionStart() < inputStart) SetEmptySelection(caret);
    }
    event.Skip();
}

void CodeEdit::OnCharAdded(wxStyledTextEvent& event) { event.Skip(); }

void CodeEdit::OnUpdateUI(wxStyledTextEvent& event) {
    event.Skip();
    if (m_scriptConsole && SelectionIsRectangle()) {
        const int anchor = GetAnchor(), caret = GetCurrentPos();
        SetSelectionMode(wxSTC_SEL_STREAM);
        SetSelection(anchor, caret);
    }
    if (m_prefs.highlight && m_language != kLanguageNone) matchBrackets();
}

void CodeEdit::OnStartDrag(wxStyledTextEvent& event) {
    // Script console: no dragging of text (a move would delete from the transcript).
    if (m_scriptConsole) event.SetString(wxString());
    event.Skip();
}

void CodeEdit::OnDoDrop(wxStyledTextEvent& event) {
    if (m_scriptConsole) {
        // Script console: text lands only on the last line, and as one line.
        if (event.GetPosition() < PositionFromLine(GetLineCount() - 1)) {
            event.SetDragResult(wxDragNone);
            return;
        }
        wxString text = event.GetString();
        text.Replace(wxS("\t"), wxS(" "));
        text.Replace(wxS("\r"), wxString());
        text.Replace(wxS("\n"), wxString());
        event.SetString(text);
    }
    event.Skip();
}

void CodeEdit::OnMiddleUp(wxMouseEvent& event) {
    // Script console: no primary-selection paste at the mouse position (it could land on an earlier line).
    if (!m_scriptConsole) event.Skip();
}
