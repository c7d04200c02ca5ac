// SPDX-License-Identifier: MIT
// Names and signatures of the calculator's functions and constants (docs/functions.md), for the console's
// autocompletion and call tips. GUI-free.
#pragma once

#include <string>
#include <vector>

/// One function or constant of the math library.
struct FunctionSignature {
    const wchar_t* name;
    /// What the call tip shows, e.g. "pow(x, y)"; constants show their name.
    const wchar_t* signature;
    /// One line of what it computes.
    const wchar_t* summary;
    bool constant;
};

/// The whole table, sorted by name.
const std::vector<FunctionSignature>& functionSignatures();
/// The entry of a name (exact, case-sensitive), or null.
const FunctionSignature* findFunctionSignature(const std::wstring& name);
/// Names that start with prefix and are longer than it, sorted; empty for prefixes under minLength.
std::vector<std::wstring> completionsFor(const std::wstring& prefix, std::size_t minLength = 2);
