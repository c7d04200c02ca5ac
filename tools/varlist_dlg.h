// SPDX-License-Identifier: MIT
// The variables dialog: the set variables with their values; refresh, add, modify, delete and sort.
#pragma once

#include <functional>

#include <wx/dialog.h>
#include <wx/listctrl.h>

class Interpreter;
class VarlistDlg;
class VarsetDlg;

/// Control ids of the variables dialog (block 7500).
enum VarlistDlgId : int {
    ID_VARLIST_LIST = 7501,
    ID_VARLIST_REFRESH = 7502,
    ID_VARLIST_ADD = 7503,
    ID_VARLIST_DELETE = 7504,
    ID_VARLIST_MODIFY = 7505,
    ID_VARLIST_CLOSE = 7514,
};

/// The report list of the dialog: N steps to the next row, Delete deletes, a double click modifies,
/// a column click sorts. A row's item data is its variable's slot plus 1, or for a user function 1000 plus its
/// index.
class VarlistCtrl : public wxListCtrl {
public:
    VarlistCtrl(VarlistDlg& dialog, wxWindowID id, const wxSize& size);

    /// Selects the row after the focused one, or the first after the last (or when none is focused).
    void SelectNextRow();

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnColumnClick(wxListEvent& event);

    VarlistDlg& m_dialog;
};

/// Modeless; lists the interpreter's variables and then its user functions, deletes either and edits variables
/// through VarsetDlg. Showing and hiding it rebuild the list; the close box and "&Close" hide it.
class VarlistDlg : public wxDialog {
public:
    /// Runs a filled edit dialog; the default shows it modally. Tests answer it instead.
    using EditPresenter = std::function<void(VarsetDlg& editor)>;

    /// The resizable border is removed from style.
    VarlistDlg(wxWindow* parent, Interpreter& interpreter, wxWindowID id = 7500,
               const wxString& title = wxS("Variables"), const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);

    /// The rows from the store: every set slot in slot order.
    void RefreshVariables();
    /// The edit dialog on the first free slot; nothing when all slots are set.
    void AddVariable();
    /// The edit dialog on the selected row's variable, at the mouse pointer.
    void ModifyVariable();
    /// "unset name" for the selected row.
    void DeleteVariable();
    /// Column 0 by name (case ignored), column 1 by value; ascending and descending alternate per click.
    void SortColumn(int column);

    void SetEditPresenter(EditPresenter presenter) { m_presenter = std::move(presenter); }
    VarlistCtrl* GetList() const { return m_list; }

private:
    void CreateControls();
    /// Runs the edit dialog for a slot, refreshes when it changed the store, restores a row's selection.
    void EditSlot(int slot, wxWindow* parent, const wxPoint& position, long row);
    void OnButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnShow(wxShowEvent& event);

    Interpreter& m_interpreter;
    VarlistCtrl* m_list = nullptr;
    bool m_ascending = true;
    EditPresenter m_presenter;

    wxDECLARE_EVENT_TABLE();
};
