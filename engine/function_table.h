// SPDX-License-Identifier: MIT
// The calculator's functions, constants and function-like commands: name, signature, summary and category.
// The one table behind the functions menu, autocompletion and call tips, checked against the math library,
// docs/functions.md and the manual by the tests. GUI-free.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class UserFunctions;

/// Where a function sits in the functions menu and the manual.
enum class FunctionCategory {
    Powers,
    Trigonometric,
    Hyperbolic,
    Rounding,
    WholeNumbers,
    Statistics,
    Special,
    Bitwise,
    Other,
    Constants,
    Commands,
};

/// The categories in menu order.
const std::vector<FunctionCategory>& functionCategories();
/// The category's title in a menu: "Trigonometric", "Bit operations" ...
const wchar_t* functionCategoryLabel(FunctionCategory category);

/// One function, constant or command of the table.
struct FunctionSignature {
    const wchar_t* name;
    /// What the call tip shows, e.g. "pow(x, y)"; constants show their name.
    const wchar_t* signature;
    /// One line of what it computes.
    const wchar_t* summary;
    bool constant;
    FunctionCategory category;
};

/// The whole table, sorted by name.
const std::vector<FunctionSignature>& functionSignatures();
/// The entries of one category, in menu order.
std::vector<const FunctionSignature*> functionsIn(FunctionCategory category);
/// The entry of a name (exact, case-sensitive), or null.
const FunctionSignature* findFunctionSignature(const std::wstring& name);
/// Names that start with prefix and are longer than it, sorted, the user's functions among them when given;
/// empty for prefixes under minLength.
std::vector<std::wstring> completionsFor(const std::wstring& prefix, std::size_t minLength = 2,
                                         const UserFunctions* user = nullptr);
