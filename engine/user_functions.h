// SPDX-License-Identifier: MIT
// The user's own functions, f(x) = x^2+1, and their expansion into plain expression text.
#pragma once

#include <string>
#include <vector>

#include "engine/text_origin.h"
#include "libs/math/lm_math.h"

/// A function defined in the console: name, one to four parameters and the body, in lower case without blanks.
struct UserFunction {
    std::wstring name;
    std::vector<std::wstring> parameters;
    std::wstring body;
    /// The definition as the console lists it: "g(x,y)=hypot(x,y)".
    std::wstring definition() const;
};

/// The defined functions in the order they were first defined; a name is defined at most once.
class UserFunctions {
public:
    /// Most functions defined at once.
    static constexpr int kMaxFunctions = 64;
    /// Longest name of a function or a parameter, as for variables.
    static constexpr int kMaxNameLength = 15;
    static constexpr int kMaxParameters = 4;
    /// Longest body, as for a typed expression.
    static constexpr int kMaxBody = 250;

    const std::vector<UserFunction>& list() const { return m_list; }
    bool empty() const { return m_list.empty(); }
    /// The function of that name (lower case), or null.
    const UserFunction* find(const std::wstring& name) const;
    /// Replaces the function of the same name, or adds it at the end.
    void define(const UserFunction& function);
    /// Removes the function of that name (any case); false when there is none.
    bool remove(const std::wstring& name);
    void clear() { m_list.clear(); }

private:
    std::vector<UserFunction> m_list;
};

/// The definitions separated by "; " ("f(x)=x^2+1; area(r)=pi*r^2"), ending in "; ..." where the next would not
/// fit within maxLength; empty when there is none.
std::wstring listFunctions(const UserFunctions& functions, size_t maxLength);

/// The head of a definition "name(p1,...,pn)=": name and parameters as written, and where the body begins.
struct DefinitionHead {
    std::wstring name;
    std::vector<std::wstring> parameters;
    size_t bodyAt = 0;
};

/// True when the blank-free text has the form name(p1,...)=body, names being a letter followed by letters and
/// digits (no parameter at all is allowed, so that the caller can say why it is refused), and the "=" is not
/// the first of "==".
bool parseDefinitionHead(const std::wstring& text, DefinitionHead* head);

/// Why an expansion failed: the message, the stretch of the typed line (through the origin) and the reason.
struct ExpansionError {
    const wchar_t* message = nullptr;
    TextSpan span;
    std::wstring reason;
};

/// What an expansion works with: the functions, the math library's names and the longest text allowed.
struct ExpansionContext {
    const UserFunctions& functions;
    const lmDelvo& engine;
    size_t maxLength;
    /// The function being defined: a call of it within its own expansion is recursion.
    const std::wstring* defining = nullptr;
};

/// Replaces every call of a user function in text (names in any case) by its body in parentheses, each
/// parameter replaced by its argument (in parentheses unless it is a number, a single letter or already in
/// parentheses); calls within
/// bodies and arguments are expanded too. A name followed by "(" that is neither a user function nor one of the
/// math library's is refused, as are a wrong number of arguments, recursion and a result longer than
/// maxLength. origin follows the text: a body's characters stand for the whole call, an argument's for itself.
/// On failure text and origin are unchanged.
bool expandCalls(const ExpansionContext& context, std::wstring& text, TextOrigin& origin, ExpansionError* error);
