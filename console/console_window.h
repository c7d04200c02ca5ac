// SPDX-License-Identifier: MIT
// The main window: menus, toolbar, accelerators, options, tool dialogs and shutdown.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/longlong.h>

#include "console/command_ids.h"
#include "engine/angle_unit.h"
#include "console/tool_dialog_factory.h"
#include "console/update_check.h"
#include "console/window_commands_adapter.h"

class ConsoleEdit;
class ConsoleHost;
class Interpreter;
class lmFont;
class wxAboutDialogInfo;
class wxBoxSizer;
class wxDialog;
class wxMenu;
class wxMenuBar;
class wxDropFilesEvent;
class wxShowEvent;
class wxUpdateUIEvent;

/// The program's only frame; the console fills its client area. It runs lines through the interpreter it is
/// handed, draws in its host's appearance (and follows every change of it), and gets its tool dialogs from the
/// factory it is handed.
class ConsoleWindow : public wxFrame {
public:
    /// Style 0x20001C40: caption, system menu, minimize and close boxes, resizable border; no maximize box.
    static constexpr long kStyle = wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxRESIZE_BORDER;
    /// The clipboard is consulted at most once per this many milliseconds (paste rule).
    static constexpr int kClipboardPollMs = 2000;

    /// Shows a modal About box; replaced by tests.
    using AboutPresenter = std::function<void(const wxAboutDialogInfo& info, wxWindow* parent)>;
    /// Pops a menu up at a client position of the window; replaced by tests.
    using PopupPresenter = std::function<void(wxMenu& menu, const wxPoint& position)>;

    ConsoleWindow(wxWindow* parent, Interpreter& interpreter, ConsoleHost& host, ToolDialogFactory& dialogs,
                  wxWindowID id = ID_MAIN_WINDOW, const wxString& title = wxS("DelvoCalculator"),
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = kStyle);
    ~ConsoleWindow() override;

    /// Settings written, tool dialogs destroyed, clipboard flushed, plots closed, frame destroyed (delayed).
    void ShutDown();
    /// The console's ClearConsole ("cls", "clear").
    void ClearConsole();
    /// Console files and help.
    void SaveConsole();
    void ShowHelp();
    /// Asks for a text file, then reads it.
    void OpenConsoleFile();
    /// Reads the lines of a file into the console's command buffer (a file dropped on the window).
    void OpenConsoleFile(const wxString& path);

    /// Operations on the console's preference record (the window applies its appearance's changes with them).
    void ApplyConsoleFont(const lmFont& font);
    void ApplyConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                            std::uint32_t number, std::uint32_t selection);
    /// The console's highlighting, as the appearance has it.
    bool GetHighlighting() const;

    /// Replaces the console's selection by text when it lies within the input; offset != 0 places the caret.
    void InsertText(const wxString& text, int offset);

    ConsoleEdit* GetConsole() const { return m_console; }
    /// What the interpreter's cls, help, save and exit call (installed in the interpreter by the application).
    WindowCommands& GetWindowCommands() { return m_windowCommands; }

    /// The 20 entries of the frame's accelerator table.
    static std::vector<wxAcceleratorEntry> AcceleratorEntries();

    /// The paste rule with an explicit clock (milliseconds since 1970); false: left unanswered.
    bool UpdatePasteState(wxUpdateUIEvent& event, wxLongLong nowMs);
    wxLongLong GetPollTime() const { return m_pollTime; }
    bool IsFirstPaintDone() const { return m_firstPaintDone; }
    /// Fills the menus (once). The window does so right after its first drawing: a start shows the window
    /// sooner, and nobody can open a menu before it is drawn. The shortcuts work before, from the window's
    /// accelerator table.
    void FillMenus();
    /// The console's first scroll width, once: with its first font (measuring text realises every style's
    /// font, so before the font it would be done twice), or at its first drawing.
    void SetFirstScrollWidth();

    void SetAboutPresenter(AboutPresenter presenter);
    /// The running update check, if any (Help > "Check for Update...").
    const UpdateCheckState& GetUpdateCheck() const { return m_updateCheck; }
    void SetPopupPresenter(PopupPresenter presenter);

private:
    /// One of the six tool dialogs (7019, 7020, 7022, 7023, 7024, 7060).
    struct ToolDialogSlot {
        int command;
        ToolDialogKind kind;
        wxDialog* ConsoleWindow::*pointer;
        int dialogId;
        const wchar_t* title;
        int topOffset;
    };
    static const ToolDialogSlot kToolDialogs[6];

    void CreateControls();
    /// The menu bar with its menus, still empty: they are filled after the window's first drawing.
    void CreateMenus();
    void CreateTools();
    void FillFileMenu(wxMenu* menu);
    void FillEditMenu(wxMenu* menu);
    void FillViewMenu(wxMenu* menu);
    void FillOptionsMenu(wxMenu* menu);
    void FillRunMenu(wxMenu* menu);
    void FillHelpMenu(wxMenu* menu);

    const ToolDialogSlot* FindToolDialog(int command) const;
    void ToggleToolDialog(const ToolDialogSlot& slot);
    void SetKeypadCaret(bool on);
    void DestroyToolDialogs();
    void OnToolDialogDestroyed(wxWindowDestroyEvent& event);
    void OnToolDialogShown(wxShowEvent& event);
    /// Activates the main window with the keyboard focus on the console.
    void ReturnFocusToConsole();
    /// Applies a change of the appearance to the console.
    void OnAppearanceChanged(unsigned changes);

    void OnClose(wxCloseEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnFileCommand(wxCommandEvent& event);
    void OnEditCommand(wxCommandEvent& event);
    void OnToolDialogCommand(wxCommandEvent& event);
    void OnFunctionsPopup(wxCommandEvent& event);
    void OnAlwaysOnTop(wxCommandEvent& event);
    void OnInsert(wxCommandEvent& event);
    void OnHighlighting(wxCommandEvent& event);
    void OnVerbose(wxCommandEvent& event);
    void OnOutputBase(wxCommandEvent& event);
    void OnExecute(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnCheckUpdate(wxCommandEvent& event);
    void OnUpdateResult(wxCommandEvent& event);

    void OnUpdateCut(wxUpdateUIEvent& event);
    void OnUpdateCopy(wxUpdateUIEvent& event);
    void OnUpdatePaste(wxUpdateUIEvent& event);
    void OnUpdateReset(wxUpdateUIEvent& event);
    void OnUpdateToolDialog(wxUpdateUIEvent& event);
    void OnUpdateAlwaysOnTop(wxUpdateUIEvent& event);
    void OnUpdateHighlighting(wxUpdateUIEvent& event);
    void OnUpdateVerbose(wxUpdateUIEvent& event);
    void OnUpdateOutputBase(wxUpdateUIEvent& event);
    void OnAngleUnit(wxCommandEvent& event);
    void OnUpdateAngleUnit(wxUpdateUIEvent& event);
    /// The title names the angle unit while it is not radians.
    void OnIdle(wxIdleEvent& event);

    /// The Options > Angle item of a unit, and back.
    static int AngleUnitCommand(AngleUnit unit);
    static AngleUnit AngleUnitOf(int command);

    Interpreter& m_interpreter;
    ConsoleHost& m_host;
    ToolDialogFactory& m_dialogs;
    int m_appearanceSubscription = 0;
    ConsoleEdit* m_console = nullptr;
    wxBoxSizer* m_mainSizer = nullptr;
    wxDialog* m_numpadDlg = nullptr;
    wxDialog* m_varlistDlg = nullptr;
    wxDialog* m_colorsDlg = nullptr;
    wxDialog* m_solverDlg = nullptr;
    wxDialog* m_converterDlg = nullptr;
    wxDialog* m_integerDlg = nullptr;
    /// Time of the last clipboard poll, milliseconds since 1970.
    wxLongLong m_pollTime;
    bool m_firstPaintDone = false;
    bool m_menusFilled = false;
    bool m_scrollWidthSet = false;
    /// The angle unit the title names.
    AngleUnit m_titleUnit = AngleUnit::Radians;

    WindowCommandsAdapter m_windowCommands{*this};
    AboutPresenter m_aboutPresenter;
    PopupPresenter m_popupPresenter;
    /// Last member: destroyed first, so a late worker's notice never reaches a half-destroyed window.
    UpdateCheckState m_updateCheck;

    wxDECLARE_EVENT_TABLE();
};
