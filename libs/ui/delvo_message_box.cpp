// SPDX-License-Identifier: MIT
// DelvoMessageBox: a wxMessageDialog with custom labels, or the injected responder.
#include "libs/ui/delvo_message_box.h"

#include <utility>

#include <wx/msgdlg.h>

namespace {

// The library's one piece of state: who answers message boxes (tests install their own).
MessageBoxResponder& responder() {
    static MessageBoxResponder instance;
    return instance;
}

// Closing a box without a Cancel button (Escape, close box) counts as its "No", or as "OK" for a notice.
int toFlag(int modalResult, long style) {
    switch (modalResult) {
        case wxID_YES: return wxYES;
        case wxID_NO: return wxNO;
        case wxID_OK: return wxOK;
        default: break;
    }
    if (style & wxCANCEL) return wxCANCEL;
    return (style & wxYES_NO) == wxYES_NO ? wxNO : wxOK;
}

int showDialog(const MessageBoxRequest& request) {
    // Our style numbers (0x104, 0x204, 0x4, 0x48A) are the same bits as wx 3.2's flags:
    // wxOK 0x4, wxYES_NO 0xA, wxNO_DEFAULT 0x80, wxICON_EXCLAMATION 0x100, wxICON_HAND 0x200, wxICON_QUESTION 0x400.
    wxMessageDialog dialog(request.parent, request.message, request.caption, request.style);
    const bool yesNo = (request.style & wxYES_NO) == wxYES_NO;
    const bool cancel = (request.style & wxCANCEL) != 0;
    if (yesNo) {
        const wxString yes = request.label1.empty() ? wxString(_("&Yes")) : request.label1;
        const wxString no = request.label2.empty() ? wxString(_("&No")) : request.label2;
        if (cancel && !request.label3.empty()) {
            dialog.SetYesNoCancelLabels(yes, no, request.label3);
        } else {
            dialog.SetYesNoLabels(yes, no);
        }
    } else if (cancel) {
        const wxString ok = request.label1.empty() ? wxString(_("OK")) : request.label1;
        const wxString no = request.label2.empty() ? wxString(_("Cancel")) : request.label2;
        dialog.SetOKCancelLabels(ok, no);
    } else if (!request.label1.empty()) {
        dialog.SetOKLabel(request.label1);
    }
    return toFlag(dialog.ShowModal(), request.style);
}

}  // namespace

void setMessageBoxResponder(MessageBoxResponder newResponder) { responder() = std::move(newResponder); }

int DelvoMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent,
                    const wxString& label1, const wxString& label2, const wxString& label3) {
    MessageBoxRequest request;
    request.message = message;
    request.caption = caption;
    request.style = style;
    request.parent = parent;
    request.label1 = label1;
    request.label2 = label2;
    request.label3 = label3;
    if (responder()) return responder()(request);
    return showDialog(request);
}
