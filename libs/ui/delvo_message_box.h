// SPDX-License-Identifier: MIT
// The program's message box, with one injectable responder so that tests answer it.
#pragma once

#include <functional>

#include <wx/string.h>

class wxWindow;

/// What DelvoMessageBox was asked to show.
struct MessageBoxRequest {
    wxString message;
    wxString caption;
    /// Toolkit message-box flags (wxOK, wxYES_NO, wxNO_DEFAULT, wxICON_*).
    long style = 0;
    wxWindow* parent = nullptr;
    /// Button labels: yes/OK, no, cancel; empty means the default label.
    wxString label1, label2, label3;
};

/// Answers a request with wxYES, wxNO, wxOK or wxCANCEL.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

/// Replaces the responder; an empty one restores the default (a modal wxMessageDialog).
void setMessageBoxResponder(MessageBoxResponder responder);

/// Shows the message and returns wxYES (2), wxNO (8), wxOK (4) or wxCANCEL (16).
/// Styles: 0x104 OK + exclamation, 0x204 OK + stop, 0x4 OK, 0x48A Yes/No + No default + question.
int DelvoMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent,
                    const wxString& label1 = wxString(), const wxString& label2 = wxString(),
                    const wxString& label3 = wxString());
