// SPDX-License-Identifier: MIT
// The About box information from the program identity.
#include "console/about_box.h"

#include <wx/icon.h>

#include "libs/ui/window_icons.h"

const wchar_t* const ProgramIdentity::kLicence =
    L"DelvoCalculator is free to use and to give away unchanged.\n"
    L"It comes without any warranty: the author is not liable for any damage\n"
    L"arising from its use. The results of a calculation are to be checked\n"
    L"by the user before being relied upon.";

wxAboutDialogInfo makeAboutInfo(const wxString& description, const wxString& webSite) {
    wxAboutDialogInfo info;
    info.SetName(ProgramIdentity::kName);
    info.SetVersion(ProgramIdentity::kVersion);
    info.SetDescription(description);
    info.SetCopyright(ProgramIdentity::kCopyright);
    info.SetWebSite(webSite, wxEmptyString);
    info.SetLicence(ProgramIdentity::kLicence);
    wxIcon icon;
    icon.CopyFromBitmap(programIcon(64));
    info.SetIcon(icon);
    return info;
}
