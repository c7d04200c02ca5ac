// SPDX-License-Identifier: MIT
// The main window: construction, operations, tool dialogs, commands and update-interface rules.
#include "console/console_window.h"

#include <wx/aboutdlg.h>
#include <wx/clipbrd.h>
#include <wx/cshelp.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>

#include "console/about_box.h"
#include "console/console_edit.h"
#include "console/console_host.h"
#include "console/functions_menu.h"
#include "engine/interpreter.h"
#include "libs/graph/plot_frame.h"
#include "libs/ui/appearance.h"
#include "libs/ui/editor_prefs.h"
#include "libs/ui/lm_font.h"
#include "libs/ui/window_icons.h"

// clang-format off
wxBEGIN_EVENT_TABLE(ConsoleWindow, wxFrame)
    EVT_CLOSE(ConsoleWindow::OnClose)
    EVT_DROP_FILES(ConsoleWindow::OnDropFiles)
    EVT_PAINT(ConsoleWindow::OnPaint)
    EVT_MENU(ID_FILE_SAVE_AS, ConsoleWindow::OnFileCommand)
    EVT_MENU(ID_FILE_OPEN, ConsoleWindow::OnFileCommand)
    EVT_MENU(ID_FILE_CLOSE, ConsoleWindow::OnFileCommand)
    EVT_MENU(ID_EDIT_CUT, ConsoleWindow::OnEditCommand)
    EVT_MENU(ID_EDIT_COPY, ConsoleWindow::OnEditCommand)
    EVT_MENU(ID_EDIT_PASTE, ConsoleWindow::OnEditCommand)
    EVT_MENU(ID_EDIT_RESET, ConsoleWindow::OnEditCommand)
    EVT_MENU(ID_VIEW_NUMPAD, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_VIEW_VARIABLES, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_VIEW_SOLVER, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_VIEW_UNIT_CONVERTER, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_VIEW_BASE_CONVERTER, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_OPTIONS_COLORS, ConsoleWindow::OnToolDialogCommand)
    EVT_MENU(ID_VIEW_FUNCTIONS, ConsoleWindow::OnFunctionsPopup)
    EVT_MENU(ID_VIEW_ALWAYS_ON_TOP, ConsoleWindow::OnAlwaysOnTop)
    EVT_MENU_RANGE(ID_INSERT_EXP, ID_INSERT_AVOGADRO, ConsoleWindow::OnInsert)
    EVT_MENU_RANGE(ID_INSERT_TABLE_FIRST, ID_INSERT_TABLE_LAST, ConsoleWindow::OnInsert)
    EVT_MENU_RANGE(ID_INSERT_USER_FIRST, ID_INSERT_USER_LAST, ConsoleWindow::OnInsert)
    EVT_MENU_RANGE(ID_OPTIONS_ANGLE_RADIANS, ID_OPTIONS_ANGLE_GRADIANS, ConsoleWindow::OnAngleUnit)
    EVT_IDLE(ConsoleWindow::OnIdle)
    EVT_MENU(ID_OPTIONS_HIGHLIGHTING, ConsoleWindow::OnHighlighting)
    EVT_MENU(ID_OPTIONS_VERBOSE, ConsoleWindow::OnVerbose)
    EVT_MENU_RANGE(ID_OPTIONS_BASE_BINARY, ID_OPTIONS_BASE_HEXADECIMAL, ConsoleWindow::OnOutputBase)
    EVT_MENU(ID_RUN_EXECUTE, ConsoleWindow::OnExecute)
    EVT_MENU(ID_HELP_CONTENTS, ConsoleWindow::OnHelp)
    EVT_MENU(ID_HELP_ABOUT, ConsoleWindow::OnAbout)
    EVT_MENU(ID_HELP_CHECK_UPDATE, ConsoleWindow::OnCheckUpdate)
    EVT_TEXT(ID_UPDATE_CHECK_RESULT, ConsoleWindow::OnUpdateResult)
    EVT_UPDATE_UI(ID_EDIT_CUT, ConsoleWindow::OnUpdateCut)
    EVT_UPDATE_UI(ID_EDIT_COPY, ConsoleWindow::OnUpdateCopy)
    EVT_UPDATE_UI(ID_EDIT_PASTE, ConsoleWindow::OnUpdatePaste)
    EVT_UPDATE_UI(ID_EDIT_RESET, ConsoleWindow::OnUpdateReset)
    EVT_UPDATE_UI(ID_VIEW_NUMPAD, ConsoleWindow::OnUpdateToolDialog)
    EVT_UPDATE_UI(ID_VIEW_VARIABLES, ConsoleWindow::OnUpdateToolDialog)
    EVT_UPDATE_UI(ID_VIEW_SOLVER, ConsoleWindow::OnUpdateToolDialog)
    EVT_UPDATE_UI(ID_VIEW_UNIT_CONVERTER, ConsoleWindow::OnUpdateToolDialog)
    EVT_UPDATE_UI(ID_VIEW_BASE_CONVERTER, ConsoleWindow::OnUpdateToolDialog)
    EVT_UPDATE_UI(ID_VIEW_ALWAYS_ON_TOP, ConsoleWindow::OnUpdateAlwaysOnTop)
    EVT_UPDATE_UI(ID_OPTIONS_HIGHLIGHTING, ConsoleWindow::OnUpdateHighlighting)
    EVT_UPDATE_UI(ID_OPTIONS_VERBOSE, ConsoleWindow::OnUpdateVerbose)
    EVT_UPDATE_UI_RANGE(ID_OPTIONS_BASE_BINARY, ID_OPTIONS_BASE_HEXADECIMAL, ConsoleWindow::OnUpdateOutputBase)
    EVT_UPDATE_UI_RANGE(ID_OPTIONS_ANGLE_RADIANS, ID_OPTIONS_ANGLE_GRADIANS, ConsoleWindow::OnUpdateAngleUnit)
wxEND_EVENT_TABLE()
// clang-format on

namespace {

/// 0x20001840; the colours dialog 0x20001800 (not resizable).
constexpr long kToolDialogStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER;
constexpr long kColorsDialogStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
/// The console's scroll width at start (independent pixels): no horizontal scroll bar until a line is longer.
constexpr int kFirstScrollWidth = 380;

/// The output base of the base commands 7067..7070.
int outputBaseOf(int command) {
    switch (command) {
        case ID_OPTIONS_BASE_BINARY: return 2;
        case ID_OPTIONS_BASE_OCTAL: return 8;
        case ID_OPTIONS_BASE_HEXADECIMAL: return 16;
        default: return 10;
    }
}

}  // namespace

// Destruction order of ShutDown: keypad, variables, colours, solver, unit converter, base converter.
const ConsoleWindow::ToolDialogSlot ConsoleWindow::kToolDialogs[6] = {
    {ID_VIEW_NUMPAD, ToolDialogKind::Numpad, &ConsoleWindow::m_numpadDlg, ID_DIALOG_NUMPAD, L"NumKeypad", 48},
    {ID_VIEW_VARIABLES, ToolDialogKind::Variables, &ConsoleWindow::m_varlistDlg, ID_DIALOG_VARLIST, L"Variables", 60},
    {ID_OPTIONS_COLORS, ToolDialogKind::Colors, &ConsoleWindow::m_colorsDlg, ID_DIALOG_COLORS, L"Colors", 60},
    {ID_VIEW_SOLVER, ToolDialogKind::Solver, &ConsoleWindow::m_solverDlg, ID_DIALOG_SOLVER, L"Solver f(x) = 0", 60},
    {ID_VIEW_UNIT_CONVERTER, ToolDialogKind::UnitConverter, &ConsoleWindow::m_converterDlg, ID_DIALOG_CONVERTER,
     L"Unit Converter", 60},
    {ID_VIEW_BASE_CONVERTER, ToolDialogKind::BaseConverter, &ConsoleWindow::m_integerDlg, ID_DIALOG_INTEGER,
     L"Base Converter (uint 32-bit)", 60},
};

ConsoleWindow::ConsoleWindow(wxWindow* parent, Interpreter& interpreter, ConsoleHost& host, ToolDialogFactory& dialogs,
                             wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : wxFrame(parent, id, title, pos, size, style), m_interpreter(interpreter), m_host(host), m_dialogs(dialogs) {
    m_pollTime = wxGetUTCTimeMillis();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_XPM)) wxImage::AddHandler(new wxXPMHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    // Help texts ("Console") are kept only when a help provider exists; the toolkit deletes it at exit.
    if (!wxHelpProvider::Get()) wxHelpProvider::Set(new wxSimpleHelpProvider);
    enableMenuIcons();
    m_aboutPresenter = [](const wxAboutDialogInfo& info, wxWindow* parentWindow) { wxAboutBox(info, parentWindow); };
    m_popupPresenter = [this](wxMenu& menu, const wxPoint& position) { PopupMenu(&menu, position); };
    CreateControls();
    m_appearanceSubscription =
        m_host.appearance().subscribe([this](unsigned changes) { OnAppearanceChanged(changes); });
}

ConsoleWindow::~ConsoleWindow() {
    m_host.appearance().unsubscribe(m_appearanceSubscription);
    // Sent here rather than by the base destructor, so that listeners (DelvoApp) still see a whole window.
    SendDestroyEvent();
    DestroyToolDialogs();
}

void ConsoleWindow::CreateControls() {
    m_mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(m_mainSizer);

    m_console = new ConsoleEdit(this, m_interpreter, ID_CONSOLE, wxDefaultPosition, FromDIP(wxSize(420, 180)),
                                wxVSCROLL | wxHSCROLL | wxBORDER_NONE, wxS("Console"));
    m_console->SetHelpText(wxS("Console"));
    m_console->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        event.Skip();
        SetFirstScrollWidth();
        if (!m_menusFilled) CallAfter([this] { FillMenus(); });
    });
    // The console numbers no lines and draws in the appearance's font, applied once and before any layout:
    // applying a look, like resizing the editor, realises every style's font.
    const Appearance& appearance = m_host.appearance();
    EditorPrefs look;
    look.lineNumbers = false;
    look.highlight = appearance.highlighting();
    m_console->ApplyPreferences(look, false);
    ApplyConsoleFont(appearance.font());
    // The console is centred by filling: wxEXPAND fills the sizer, and wx rejects alignment beside it.
    m_mainSizer->Add(m_console, 1, wxEXPAND, 0);

    SetIcons(programIconBundle());
    CreateMenus();
    CreateTools();
    SetTitle(wxS("DelvoCalculator"));
    std::vector<wxAcceleratorEntry> entries = AcceleratorEntries();
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));

    Layout();
    // Fits the frame and makes that its minimum size.
    m_mainSizer->SetSizeHints(this);
    // GTK's tool buttons are wider than 16-pixel tool bitmaps: widen the frame so that no tool
    // disappears into the toolbar's overflow menu.
    if (const int toolsWidth = GetToolBar()->GetBestSize().x; toolsWidth > GetClientSize().x) {
        SetClientSize(toolsWidth, GetClientSize().y);
        SetMinClientSize(GetClientSize());
    }
    Centre(wxBOTH);
    DragAcceptFiles(true);
    m_console->DocumentEnd();
    m_console->SetEmptySelection(m_console->GetCurrentPos());
}

// ---- Operations the application calls ----------------------------------------------------------------

void ConsoleWindow::ShutDown() {
    // A close request arriving before the delayed destruction must not save or destroy twice.
    if (IsBeingDeleted() || wxTheApp->IsScheduledForDestruction(this)) return;
    m_host.saveSettings();
    DestroyToolDialogs();
    // Flushing keeps copied text available after the program has ended. Whether there is text is known without
    // asking another program that holds the clipboard, which could keep the shutdown waiting.
    if (m_console->ClipboardOffersText().value_or(false) && wxTheClipboard->Open()) {
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
    PlotFrame::plotCloseAll();
    Destroy();
}

void ConsoleWindow::ClearConsole() { m_console->ClearConsole(); }

void ConsoleWindow::ApplyConsoleFont(const lmFont& font) {
    EditorPrefs prefs;
    m_console->GetPreferences(prefs);
    applyFontToPrefs(prefs, font.getFaceName(), font.size, font.weight, font.color.toInt());
    m_console->ApplyPreferences(prefs, true);
    SetFirstScrollWidth();
}

void ConsoleWindow::SetFirstScrollWidth() {
    if (m_scrollWidthSet) return;
    m_scrollWidthSet = true;
    m_console->SetScrollWidth(FromDIP(kFirstScrollWidth));
}

void ConsoleWindow::ApplyConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function,
                                       std::uint32_t op, std::uint32_t number, std::uint32_t selection) {
    EditorPrefs prefs;
    m_console->GetPreferences(prefs);
    applyColorsToPrefs(prefs, text, background, function, op, number, selection);
    m_console->ApplyPreferences(prefs, true);
}

bool ConsoleWindow::GetHighlighting() const { return m_console->preferences().highlight; }

void ConsoleWindow::OnAppearanceChanged(unsigned changes) {
    const Appearance& appearance = m_host.appearance();
    if (changes & Appearance::kFontChanged) ApplyConsoleFont(appearance.font());
    if (changes & Appearance::kColorsChanged) {
        const auto& colors = appearance.syntaxColors();
        ApplyConsoleColors(appearance.textColor(), colors[Appearance::kBackground], colors[Appearance::kFunction],
                           colors[Appearance::kOperator], colors[Appearance::kNumber], colors[Appearance::kSelection]);
    }
    if (changes & Appearance::kHighlightingChanged) m_console->SetHighlighting(appearance.highlighting());
}

void ConsoleWindow::InsertText(const wxString& text, int offset) {
    if (!m_console->IsSelectionInInput() || !m_console->IsInputLine()) return;
    const int start = m_console->GetSelectionStart();
    m_console->ReplaceSelection(text);
    if (offset != 0) m_console->GotoPos(start + offset);
}

void ConsoleWindow::SetAboutPresenter(AboutPresenter presenter) { m_aboutPresenter = std::move(presenter); }

void ConsoleWindow::SetPopupPresenter(PopupPresenter presenter) { m_popupPresenter = std::move(presenter); }

// ---- Tool dialogs -----------------------------------------------------------------------------------

const ConsoleWindow::ToolDialogSlot* ConsoleWindow::FindToolDialog(int command) const {
    for (const ToolDialogSlot& slot : kToolDialogs)
        if (slot.command == command) return &slot;
    return nullptr;
}

void ConsoleWindow::ToggleToolDialog(const ToolDialogSlot& slot) {
    wxDialog*& dialog = this->*slot.pointer;
    const bool keypad = slot.command == ID_VIEW_NUMPAD;
    if (!dialog) {
        const long style = slot.kind == ToolDialogKind::Colors ? kColorsDialogStyle : kToolDialogStyle;
        dialog = m_dialogs.createToolDialog(slot.kind, this, slot.dialogId, slot.title, style, *m_console);
        if (!dialog) return;
        // The colours dialog destroys itself on close; any dialog gone must not leave a dangling pointer.
        dialog->Bind(wxEVT_DESTROY, &ConsoleWindow::OnToolDialogDestroyed, this);
        dialog->Bind(wxEVT_SHOW, &ConsoleWindow::OnToolDialogShown, this);
        if (keypad) SetKeypadCaret(true);
        dialog->Show();
        const wxRect frame = GetRect();
        dialog->Move(frame.x + frame.width - dialog->GetSize().x - 1, frame.y + slot.topOffset);
    } else if (dialog->IsShown()) {
        dialog->Hide();
        if (keypad) SetKeypadCaret(false);
    } else {
        if (keypad) SetKeypadCaret(true);
        dialog->Show();
    }
}

void ConsoleWindow::SetKeypadCaret(bool on) { m_console->setAlwaysShowCaret(on); }

void ConsoleWindow::DestroyToolDialogs() {
    for (const ToolDialogSlot& slot : kToolDialogs) {
        wxDialog*& dialog = this->*slot.pointer;
        if (!dialog) continue;
        wxDialog* doomed = dialog;
        dialog = nullptr;
        // The frame may be gone before the dialog's delayed destruction reports back.
        doomed->Unbind(wxEVT_DESTROY, &ConsoleWindow::OnToolDialogDestroyed, this);
        doomed->Unbind(wxEVT_SHOW, &ConsoleWindow::OnToolDialogShown, this);
        doomed->Destroy();
    }
}

void ConsoleWindow::OnToolDialogDestroyed(wxWindowDestroyEvent& event) {
    event.Skip();
    for (const ToolDialogSlot& slot : kToolDialogs)
        if (event.GetEventObject() == this->*slot.pointer) {
            this->*slot.pointer = nullptr;
            ReturnFocusToConsole();
        }
}

// The keyboard focus follows the tool dialogs: a dialog that shows takes it on its first field, and one that
// hides hands it back to the console, so keyboard and screen-reader users are never left in a hidden window.
void ConsoleWindow::OnToolDialogShown(wxShowEvent& event) {
    event.Skip();
    auto* dialog = wxDynamicCast(event.GetEventObject(), wxDialog);
    if (!dialog) return;
    if (!event.IsShown()) {
        ReturnFocusToConsole();
        return;
    }
    dialog->Raise();
    for (wxWindow* child : dialog->GetChildren())
        if (child->CanAcceptFocus()) {
            child->SetFocus();
            return;
        }
}

void ConsoleWindow::ReturnFocusToConsole() {
    Raise();
    m_console->SetFocus();
}

// ---- Frame events -----------------------------------------------------------------------------------

void ConsoleWindow::OnClose(wxCloseEvent&) { ShutDown(); }

void ConsoleWindow::OnDropFiles(wxDropFilesEvent& event) {
    if (event.GetNumberOfFiles() == 1) OpenConsoleFile(event.GetFiles()[0]);
}

void ConsoleWindow::OnPaint(wxPaintEvent& event) {
    event.Skip();
    if (m_firstPaintDone) return;
    m_firstPaintDone = true;
    m_console->SetFocus();
}

// ---- Commands ---------------------------------------------------------------------------------------

void ConsoleWindow::OnFileCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_FILE_SAVE_AS: SaveConsole(); break;
        case ID_FILE_OPEN: OpenConsoleFile(); break;
        case ID_FILE_CLOSE: ShutDown(); break;
    }
}

void ConsoleWindow::OnEditCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_EDIT_COPY: m_console->Copy(); break;
        case ID_EDIT_CUT: m_console->CutSelection(); break;
        case ID_EDIT_PASTE: m_console->PasteClipboard(); break;
        case ID_EDIT_RESET: m_console->ResetConsole(); break;
    }
}

void ConsoleWindow::OnToolDialogCommand(wxCommandEvent& event) {
    if (const ToolDialogSlot* slot = FindToolDialog(event.GetId())) ToggleToolDialog(*slot);
}

void ConsoleWindow::OnFunctionsPopup(wxCommandEvent&) {
    wxMenu menu;
    FillFunctionsMenu(&menu, &m_interpreter.functions());
    wxPoint position = ScreenToClient(wxGetMousePosition());
#ifdef __WXMSW__
    // There the frame's client origin lies below the toolbar; GTK's client coordinates need no correction.
    if (wxToolBar* tools = GetToolBar(); tools && tools->IsShown()) position.y += tools->GetSize().y;
#endif
    m_popupPresenter(menu, position);
}

void ConsoleWindow::OnAlwaysOnTop(wxCommandEvent&) { SetWindowStyleFlag(GetWindowStyleFlag() ^ wxSTAY_ON_TOP); }

void ConsoleWindow::OnInsert(wxCommandEvent& event) {
    Insertion insertion;
    if (FindInsertion(event.GetId(), &m_interpreter.functions(), &insertion))
        InsertText(insertion.text, insertion.offset);
}

void ConsoleWindow::OnHighlighting(wxCommandEvent&) {
    Appearance& appearance = m_host.appearance();
    appearance.setHighlighting(!appearance.highlighting());
}

void ConsoleWindow::OnVerbose(wxCommandEvent&) { m_interpreter.verbose = !m_interpreter.verbose; }

void ConsoleWindow::OnOutputBase(wxCommandEvent& event) { m_interpreter.outputBase = outputBaseOf(event.GetId()); }

void ConsoleWindow::OnExecute(wxCommandEvent&) { m_console->ExecuteLine(); }

void ConsoleWindow::OnHelp(wxCommandEvent&) { ShowHelp(); }

void ConsoleWindow::OnAbout(wxCommandEvent&) { m_aboutPresenter(makeAboutInfo(), this); }

void ConsoleWindow::OnCheckUpdate(wxCommandEvent&) { StartUpdateCheck(m_updateCheck, this); }

void ConsoleWindow::OnUpdateResult(wxCommandEvent&) { ShowUpdateResult(m_updateCheck, m_aboutPresenter); }

// ---- Update-interface rules -------------------------------------------------------------------------

void ConsoleWindow::OnUpdateCut(wxUpdateUIEvent& event) {
    const bool hasSelection = m_console->GetSelectionStart() != m_console->GetSelectionEnd();
    event.Enable(hasSelection &&
                 m_console->GetSelectionStart() >= m_console->GetInputStart(m_console->GetLineCount() - 1) &&
                 m_console->IsInputLine());
}

void ConsoleWindow::OnUpdateCopy(wxUpdateUIEvent& event) {
    event.Enable(m_console->GetSelectionStart() != m_console->GetSelectionEnd());
}

void ConsoleWindow::OnUpdatePaste(wxUpdateUIEvent& event) { UpdatePasteState(event, wxGetUTCTimeMillis()); }

bool ConsoleWindow::UpdatePasteState(wxUpdateUIEvent& event, wxLongLong nowMs) {
    if (nowMs - m_pollTime < kClipboardPollMs) return false;
    m_pollTime = nowMs;
    // What the clipboard offers, as last learned: its holder is never waited for. Unknown: the input line decides.
    event.Enable(m_console->IsInputLine() && m_console->ClipboardOffersText().value_or(true));
    return true;
}

void ConsoleWindow::OnUpdateReset(wxUpdateUIEvent& event) { event.Enable(true); }

void ConsoleWindow::OnUpdateToolDialog(wxUpdateUIEvent& event) {
    // The View menu's "Numeric Pad" and "Variables" are plain items: only their tools show the state.
    if (auto* menu = dynamic_cast<wxMenu*>(event.GetEventObject())) {
        const wxMenuItem* item = menu->FindItem(event.GetId());
        if (item && !item->IsCheckable()) return;
    }
    const ToolDialogSlot* slot = FindToolDialog(event.GetId());
    const wxDialog* dialog = slot ? this->*slot->pointer : nullptr;
    event.Check(dialog && dialog->IsShown());
}

void ConsoleWindow::OnUpdateAlwaysOnTop(wxUpdateUIEvent& event) {
    event.Check((GetWindowStyleFlag() & wxSTAY_ON_TOP) != 0);
}

void ConsoleWindow::OnUpdateHighlighting(wxUpdateUIEvent& event) { event.Check(m_host.appearance().highlighting()); }

void ConsoleWindow::OnUpdateVerbose(wxUpdateUIEvent& event) { event.Check(m_interpreter.verbose); }

void ConsoleWindow::OnUpdateOutputBase(wxUpdateUIEvent& event) {
    event.Check(m_interpreter.outputBase == outputBaseOf(event.GetId()));
}

int ConsoleWindow::AngleUnitCommand(AngleUnit unit) {
    switch (unit) {
        case AngleUnit::Degrees: return ID_OPTIONS_ANGLE_DEGREES;
        case AngleUnit::Gradians: return ID_OPTIONS_ANGLE_GRADIANS;
        case AngleUnit::Radians: break;
    }
    return ID_OPTIONS_ANGLE_RADIANS;
}

AngleUnit ConsoleWindow::AngleUnitOf(int command) {
    switch (command) {
        case ID_OPTIONS_ANGLE_DEGREES: return AngleUnit::Degrees;
        case ID_OPTIONS_ANGLE_GRADIANS: return AngleUnit::Gradians;
        default: return AngleUnit::Radians;
    }
}

void ConsoleWindow::OnAngleUnit(wxCommandEvent& event) { m_interpreter.setAngleUnit(AngleUnitOf(event.GetId())); }

void ConsoleWindow::OnUpdateAngleUnit(wxUpdateUIEvent& event) {
    event.Check(m_interpreter.angleUnit() == AngleUnitOf(event.GetId()));
}

void ConsoleWindow::OnIdle(wxIdleEvent& event) {
    event.Skip();
    if (m_interpreter.angleUnit() == m_titleUnit) return;
    m_titleUnit = m_interpreter.angleUnit();
    // Radians, the unit every session starts in, leaves the title as it always was.
    SetTitle(m_titleUnit == AngleUnit::Radians ? wxString(wxS("DelvoCalculator"))
                                               : wxString::Format(wxS("DelvoCalculator (%s)"),
                                                                  angleUnitName(m_titleUnit)));
}
