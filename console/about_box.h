// SPDX-License-Identifier: MIT
// The program's identity and the About box information.
#pragma once

#include <wx/aboutdlg.h>

/// The identity table shared by the About box and the update check's new-version box.
namespace ProgramIdentity {
constexpr const wchar_t* kName = L"DelvoCalculator";
constexpr const wchar_t* kVersion = L"Version 1.8 Build 2104";
constexpr const wchar_t* kDescription = L"Mathematical Expression-based Calculator (Quarn component)";
constexpr const wchar_t* kCopyright = L"Copyright (C) 2021 Quarn. All rights reserved.";
constexpr const wchar_t* kWebSite = L"https://www.quarn.example/";
extern const wchar_t* const kLicence;
}  // namespace ProgramIdentity

/// Name, version, description, copyright, web link (empty description), licence and program icon;
/// description and web link as given (the update check's new-version box replaces both).
wxAboutDialogInfo makeAboutInfo(const wxString& description = ProgramIdentity::kDescription,
                                const wxString& webSite = ProgramIdentity::kWebSite);
