// SPDX-License-Identifier: MIT
// Windows: the system hands out the clipboard's contents itself (it asks a program that renders them late on
// its own), so each read answers at once through the toolkit's clipboard.
#include "console/clipboard_reader.h"

#include <wx/clipbrd.h>

struct ClipboardReader::State {};

namespace {

bool clipboardHasText(wxClipboard& clipboard) {
    return clipboard.IsSupported(wxDF_UNICODETEXT) || clipboard.IsSupported(wxDF_TEXT);
}

}  // namespace

ClipboardReader::ClipboardReader() = default;

ClipboardReader::~ClipboardReader() = default;

void ClipboardReader::requestText(Done done) {
    wxClipboard* clipboard = wxTheClipboard;
    clipboard->UsePrimarySelection(false);
    if (!clipboard->Open()) {
        done(ClipboardAnswer::NoText, wxString());
        return;
    }
    const bool offered = clipboardHasText(*clipboard);
    wxTextDataObject data;
    const bool fetched = offered && clipboard->GetData(data);
    clipboard->Close();
    done(fetched ? ClipboardAnswer::Text : ClipboardAnswer::NoText, fetched ? data.GetText() : wxString());
}

std::optional<bool> ClipboardReader::offersText() {
    wxClipboard* clipboard = wxTheClipboard;
    clipboard->UsePrimarySelection(false);
    if (!clipboard->Open()) return std::nullopt;
    const bool offered = clipboardHasText(*clipboard);
    clipboard->Close();
    return offered;
}
