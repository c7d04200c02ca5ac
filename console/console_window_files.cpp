// SPDX-License-Identifier: MIT
// The main window's console files and help.
#include "console/console_window.h"

#include <cstdio>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include "console/console_edit.h"
#include "console/console_host.h"
#include "console/help_viewer.h"
#include "libs/file/lf_path.h"
#include "libs/ui/delvo_message_box.h"

namespace {

constexpr long kMessageStyle = wxOK | wxICON_EXCLAMATION;  // 0x104
constexpr int kMaxLines = 256;
/// Longest piece read from a file line (a 256-character buffer holds 254 and the line feed).
constexpr int kPieceMax = 254;
const wxString kCaption = wxS("DelvoCalculator");
const wxString kFilter = wxS("Text files (*.txt)|*.txt");

/// Restores the console's selection when a save or open path ends.
class SelectionKeeper {
public:
    explicit SelectionKeeper(ConsoleEdit* m_console)
        : m_console(m_console), m_anchor(m_console->GetAnchor()), m_caret(m_console->GetCurrentPos()) {}
    ~SelectionKeeper() { m_console->SetSelection(m_anchor, m_caret); }

private:
    ConsoleEdit* m_console;
    int m_anchor;
    int m_caret;
};

}  // namespace

void ConsoleWindow::SaveConsole() {
    const int lines = m_console->GetLineCount();
    if (lines == 0 || lines > kMaxLines) {
        DelvoMessageBox(wxS("Cannot save console content."), kCaption, kMessageStyle, this);
        return;
    }
    SelectionKeeper keeper(m_console);
    wxString path;
    {
        wxFileDialog dialog(this, wxS("DelvoCalculator Save As"), wxEmptyString, wxEmptyString, kFilter,
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK) return;
        path = dialog.GetPath();
    }
    std::FILE* file = openFile(path.ToStdWstring(), "w");
    if (!file) {
        DelvoMessageBox(wxS("Cannot save console content."), kCaption, kMessageStyle, this);
        return;
    }
    for (int line = 0; line < lines; ++line) {
        wxString text = m_console->GetLineText(line);
        text.Replace(wxS("\r"), wxEmptyString);
        text.Replace(wxS("\n"), wxEmptyString);
        const wxScopedCharBuffer utf8 = text.utf8_str();
        if (std::fputs(utf8.data(), file) < 0) break;
        if (line + 1 < lines && std::fputc('\n', file) == EOF) break;
    }
    std::fclose(file);
}

void ConsoleWindow::OpenConsoleFile() {
    wxString path;
    {
        SelectionKeeper keeper(m_console);
        wxFileDialog dialog(this, wxS("DelvoCalculator Open"), wxEmptyString, wxEmptyString, kFilter,
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK) return;
        path = dialog.GetPath();
    }
    OpenConsoleFile(path);
}

void ConsoleWindow::OpenConsoleFile(const wxString& path) {
    SelectionKeeper keeper(m_console);
    std::FILE* file = openFile(path.ToStdWstring(), "r");
    if (!file) {
        DelvoMessageBox(wxS("Cannot open file."), kCaption, kMessageStyle, this);
        return;
    }
    char piece[kPieceMax + 2];
    int count = 0;
    while (std::fgets(piece, sizeof piece, file)) {
        if (++count > kMaxLines) break;
        if (piece[0] == '\0') continue;
        wxString text = wxString::FromUTF8(piece);
        // Not UTF-8: the bytes are taken as Latin-1, as a C runtime's text mode would pass them through.
        if (text.empty()) text = wxString(piece, wxConvISO8859_1);
        m_console->SetCommandText(text);
    }
    std::fclose(file);
}

void ConsoleWindow::ShowHelp() {
    const wxString path(m_host.helpPath());
    if (path.empty() || !wxFileName::FileExists(path)) {
        DelvoMessageBox(wxS("Cannot display help file: PDF associated application not found."), kCaption, kMessageStyle,
                        nullptr);
        return;
    }
    if (!showDocument(path.ToStdWstring()))
        DelvoMessageBox(wxS("Cannot display help file. It is located in Quarn/doc."), kCaption, kMessageStyle, nullptr);
}
