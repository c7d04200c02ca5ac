// SPDX-License-Identifier: MIT
#include "engine/variables.h"

#include <array>
#include <cwctype>

#include "engine/messages.h"

namespace {

bool isLetterOrDigit(wchar_t c) { return std::iswalpha(c) || std::iswdigit(c); }
/// Neighbour test of the reference check: a letter, a digit, "_" and, for the checks that name it, "=".
bool joins(wchar_t c, bool withEquals) { return isLetterOrDigit(c) || c == L'_' || (withEquals && c == L'='); }

std::wstring lower(std::wstring text) {
    for (auto& c : text) c = std::towlower(c);
    return text;
}

constexpr std::array<const wchar_t*, 27> kReservedWords = {
    L"ans",  L"solve",   L"plot",      L"rad",  L"radian",  L"deg",         L"degree", L"gradian", L"grad",
    L"unit", L"reset",   L"set",       L"unset", L"name",   L"release",     L"copyright", L"version",
    L"description", L"var", L"format", L"new",  L"save",    L"quit",        L"exit",   L"author",  L"reserved",
    L"pi"};

}  // namespace

ReferenceCheck checkReference(VariableStore& store, const std::wstring& line, size_t i) {
    const wchar_t letter = std::towlower(line[i]);
    if (letter < L'a' || letter > L'z') return ReferenceCheck::Ok;
    const size_t last = line.size() - 1;
    bool standalone;
    if (i == 0) standalone = line.size() == 1 || !joins(line[1], true);
    else if (i == last) standalone = !joins(line[i - 1], false);
    else standalone = !joins(line[i - 1], true) && !joins(line[i + 1], true);
    const int slot = letter - L'a';
    if (!standalone || store.varSet[slot]) return ReferenceCheck::Ok;
    if (i == last) return ReferenceCheck::NotSet;
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        if (store.varSet[k] && store.varName[k].size() == 1 && store.varName[k][0] == letter) {
            // The variable's value went to another slot (dropOldestVariable): it comes back to its own.
            store.varValue[slot] = store.varValue[k];
            store.varSet[slot] = true;
            store.varSet[k] = false;
            return ReferenceCheck::Ok;
        }
    }
    return letter == L'x' ? ReferenceCheck::UnsetX : ReferenceCheck::NotSet;
}

bool isReservedName(const std::wstring& name) {
    if (name.size() == 2 && name[0] == L'_') return true;
    const std::wstring lowered = lower(name);
    for (const wchar_t* word : kReservedWords)
        if (lowered == word) return true;
    return false;
}

const wchar_t* assignmentNameError(const std::wstring& name) {
    if (isReservedName(name)) return msg::kNameReserved;
    // An empty name reads its terminator here, no letter.
    if (!std::iswalpha(name[0])) return msg::kInvalidName;
    for (wchar_t c : name)
        if (!isLetterOrDigit(c)) return msg::kInvalidName;
    return nullptr;
}

int resolveTarget(VariableStore& store, const std::wstring& name) {
    if (name.size() == 1) {
        const int slot = name[0] - L'a';
        return slot >= 0 && slot < VariableStore::kSlots && store.varSet[slot] ? slot : -1;
    }
    if (store.varCount <= 0) return -1;
    // Only a set slot carries a longer name: removal, tol and iter, and a full store's drop give a slot its
    // letter back.
    for (int k = 0; k < VariableStore::kSlots; ++k)
        if (store.varName[k] == name) return k;
    return -1;
}

bool replaceVariableNames(const VariableStore& store, std::wstring& expression, TextOrigin* origin,
                          const lmDelvo* engine) {
    bool replaced = false;
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        const std::wstring& name = store.varName[k];
        if (name.size() < 2) continue;
        const bool function = engine && engine->knowsFunction(name);
        size_t pos = 0;
        while ((pos = expression.find(name, pos)) != std::wstring::npos) {
            const size_t end = pos + name.size();
            const bool before = pos > 0 && std::iswalpha(expression[pos - 1]);
            const bool after = end < expression.size() && std::iswalpha(expression[end]);
            const bool called = function && end < expression.size() && expression[end] == L'(';
            if (before || after || called) {
                ++pos;
                continue;
            }
            expression.replace(pos, name.size(), 1, wchar_t(L'a' + k));
            if (origin) origin->replace(pos, name.size(), 1);
            replaced = true;
            ++pos;
        }
    }
    return replaced;
}

bool removeVariable(VariableStore& store, const std::wstring& name) {
    const std::wstring wanted = lower(name);
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        if (lower(store.varName[k]) != wanted) continue;
        store.varSet[k] = false;
        store.varName[k] = std::wstring(1, wchar_t(L'a' + k));
        --store.varCount;
        return true;
    }
    return false;
}

std::wstring listVariables(const VariableStore& store) {
    std::wstring out;
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        if (!store.varSet[k]) continue;
        if (out.size() > 349) {
            out += L"...,";
            break;
        }
        out += store.varName[k] + L",";
    }
    if (out.size() < 2) return {};
    out.pop_back();
    return out;
}
