// SPDX-License-Identifier: MIT
// The Insert menu and the toolbar pop-up of functions and constants.
#include "console/functions_menu.h"

#include <wx/log.h>
#include <wx/menu.h>

#include "console/command_ids.h"
#include "engine/function_table.h"
#include "engine/user_functions.h"
#include "libs/ui/window_icons.h"

namespace {

// The menu's entries in order; the ids do not follow the menu order (sin 7037, cos 7038).
const FunctionEntry kTop1[] = {
    {ID_INSERT_EXP, L"exp", L"exp()", 4},
    {ID_INSERT_LN, L"ln", L"ln()", 3},
};
const FunctionEntry kTop2[] = {
    {ID_INSERT_SQRT, L"sqrt", L"sqrt()", 5},
    {ID_INSERT_POW, L"pow", L"pow(,)", 4},
};
const FunctionEntry kTrigonometric[] = {
    {ID_INSERT_COS, L"cos", L"cos()", 4},    {ID_INSERT_SIN, L"sin", L"sin()", 4},
    {ID_INSERT_TAN, L"tan", L"tan()", 4},    {ID_INSERT_ACOS, L"acos", L"acos()", 5},
    {ID_INSERT_ASIN, L"asin", L"asin()", 5}, {ID_INSERT_ATAN, L"atan", L"atan()", 5},
};
const FunctionEntry kTop3[] = {
    {ID_INSERT_ABS, L"abs", L"abs()", 4},
    {ID_INSERT_CEIL, L"ceil", L"ceil()", 5},
    {ID_INSERT_INT, L"int", L"int()", 4},
};
// The text after the tab is shown in the accelerator column as a hint, not a shortcut.
const FunctionEntry kConstants[] = {
    {ID_INSERT_PI, L"pi\t3.14159...", L"pi", 2},
    {ID_INSERT_ELECTRON_CHARGE, L"Electron charge\t_q", L"_q", 2},
    {ID_INSERT_ELECTRON_MASS, L"Electron mass\t_m", L"_m", 2},
    {ID_INSERT_BOLTZMANN, L"Boltzmann\t_k", L"_k", 2},
    {ID_INSERT_PLANCK, L"Planck\t_h", L"_h", 2},
    {ID_INSERT_SPEED_OF_LIGHT, L"Speed of Light\t_c", L"_c", 2},
    {ID_INSERT_PERMITTIVITY, L"Permittivity\t_e", L"_e", 2},
    {ID_INSERT_AVOGADRO, L"Avogadro\t_n", L"_n", 2},
};

/// The label as the menu shows it. wxGTK's accelerator column takes only real shortcuts and drops any
/// other text after the tab, so there the hint follows the name in parentheses instead.
wxString displayLabel(const wchar_t* label) {
    wxString text(label);
#ifdef __WXGTK__
    const int tab = text.Find(wxS('\t'));
    if (tab != wxNOT_FOUND) text = text.Left(tab) + wxS(" (") + text.Mid(tab + 1) + wxS(")");
#endif
    return text;
}

template <size_t N>
void appendEntries(wxMenu* menu, const FunctionEntry (&entries)[N]) {
    for (const FunctionEntry& entry : entries) {
        auto* item = new wxMenuItem(menu, entry.id, displayLabel(entry.label), wxEmptyString, wxITEM_NORMAL);
        if (entry.id == ID_INSERT_EXP) item->SetBitmap(windowIcon(WindowIcon::Exp));
        if (entry.id == ID_INSERT_COS) item->SetBitmap(windowIcon(WindowIcon::Cos));
        if (entry.id == ID_INSERT_PI) item->SetBitmap(windowIcon(WindowIcon::Pi));
        menu->Append(item);
    }
}

template <size_t N>
const FunctionEntry* findIn(const FunctionEntry (&entries)[N], int id) {
    for (const FunctionEntry& entry : entries)
        if (entry.id == id) return &entry;
    return nullptr;
}

/// The categories of More Functions: every function; constants have their own submenu, commands are lines.
bool inMoreFunctions(FunctionCategory category) {
    return category != FunctionCategory::Constants && category != FunctionCategory::Commands;
}

/// The first form of a signature: "gauss(x)" of "gauss(x)  gauss(x, mu, sigma)".
wxString firstForm(const wchar_t* signature) {
    const wxString text(signature);
    const int close = text.Find(wxS(')'));
    return close == wxNOT_FOUND ? text : text.Left(close + 1);
}

/// "name(" with a comma between every two parameters and ")", the caret after "(": what typing a call starts
/// with. No parameter: the caret after ")"; a list of any length ("..."): no commas.
Insertion callTemplate(const wxString& name, const wxString& parameters) {
    Insertion insertion;
    const wxString inner = parameters.AfterFirst(wxS('(')).BeforeLast(wxS(')'));
    const size_t commas = inner.Contains(wxS("...")) ? 0 : inner.Freq(wxS(','));
    insertion.text = name + wxS("(") + wxString(wxS(','), commas) + wxS(")");
    insertion.offset = inner.empty() ? static_cast<int>(insertion.text.length()) : static_cast<int>(name.length()) + 1;
    return insertion;
}

void appendMoreFunctions(wxMenu* menu) {
    auto* more = new wxMenu;
    const std::vector<FunctionSignature>& table = functionSignatures();
    int categoryId = ID_INSERT_CATEGORY_FIRST;
    for (FunctionCategory category : functionCategories()) {
        if (!inMoreFunctions(category) || categoryId > ID_INSERT_CATEGORY_LAST) continue;
        auto* submenu = new wxMenu;
        for (size_t i = 0; i < table.size() && ID_INSERT_TABLE_FIRST + static_cast<int>(i) <= ID_INSERT_TABLE_LAST; ++i)
            if (table[i].category == category)
                submenu->Append(ID_INSERT_TABLE_FIRST + static_cast<int>(i), firstForm(table[i].signature),
                                wxString(table[i].summary));
        if (submenu->GetMenuItemCount() == 0) {
            delete submenu;
            continue;
        }
        more->Append(categoryId++, functionCategoryLabel(category), submenu);
    }
    menu->Append(ID_INSERT_MORE, wxS("More Functions"), more);
}

}  // namespace

bool FindInsertion(int id, const UserFunctions* user, Insertion* insertion) {
    if (const FunctionEntry* entry = findFunctionEntry(id)) {
        *insertion = {entry->text, entry->offset};
        return true;
    }
    const std::vector<FunctionSignature>& table = functionSignatures();
    if (id >= ID_INSERT_TABLE_FIRST && id <= ID_INSERT_TABLE_LAST &&
        static_cast<size_t>(id - ID_INSERT_TABLE_FIRST) < table.size()) {
        const FunctionSignature& entry = table[static_cast<size_t>(id - ID_INSERT_TABLE_FIRST)];
        if (!inMoreFunctions(entry.category)) return false;
        *insertion = callTemplate(entry.name, firstForm(entry.signature));
        return true;
    }
    if (user && id >= ID_INSERT_USER_FIRST && id <= ID_INSERT_USER_LAST &&
        static_cast<size_t>(id - ID_INSERT_USER_FIRST) < user->list().size()) {
        const UserFunction& function = user->list()[static_cast<size_t>(id - ID_INSERT_USER_FIRST)];
        wxString parameters = wxS("(");
        for (size_t i = 0; i < function.parameters.size(); ++i) parameters << (i > 0 ? wxS(",") : wxS("")) << wxS("p");
        *insertion = callTemplate(function.name, parameters + wxS(")"));
        return true;
    }
    return false;
}

void FillUserFunctionsMenu(wxMenu* menu, const UserFunctions* user) {
    if (!menu) return;
    while (menu->GetMenuItemCount() > 0) menu->Destroy(menu->FindItemByPosition(0));
    const size_t count = user ? user->list().size() : 0;
    for (size_t i = 0; i < count && ID_INSERT_USER_FIRST + static_cast<int>(i) <= ID_INSERT_USER_LAST; ++i)
        menu->Append(ID_INSERT_USER_FIRST + static_cast<int>(i), wxString(user->list()[i].definition()));
    // A fixed id: the pop-up and the Insert menu read the same.
    if (count == 0) menu->Append(ID_INSERT_USER_LAST, wxS("None yet: type f(x) = x^2+1"))->Enable(false);
}

const FunctionEntry* findFunctionEntry(int id) {
    for (const FunctionEntry* found :
         {findIn(kTop1, id), findIn(kTop2, id), findIn(kTrigonometric, id), findIn(kTop3, id), findIn(kConstants, id)})
        if (found) return found;
    return nullptr;
}

void FillFunctionsMenu(wxMenu* menu, const UserFunctions* user) {
    if (!menu) return;
    // The constants' hints after the tab are not shortcuts; the toolkit's complaint about them is expected.
    wxLogNull quiet;
    while (menu->GetMenuItemCount() > 0) menu->Destroy(menu->FindItemByPosition(0));

    appendEntries(menu, kTop1);
    menu->AppendSeparator();
    appendEntries(menu, kTop2);
    menu->AppendSeparator();
    auto* trigonometric = new wxMenu;
    appendEntries(trigonometric, kTrigonometric);
    menu->Append(ID_INSERT_TRIGONOMETRIC, L"Trigonometric", trigonometric);
    menu->AppendSeparator();
    appendEntries(menu, kTop3);
    menu->AppendSeparator();
    auto* constants = new wxMenu;
    appendEntries(constants, kConstants);
    menu->Append(ID_INSERT_CONSTANTS, L"Constants", constants);
    menu->AppendSeparator();
    appendMoreFunctions(menu);
    auto* yours = new wxMenu;
    FillUserFunctionsMenu(yours, user);
    menu->Append(ID_INSERT_USER, wxS("Your Functions"), yours);
}
