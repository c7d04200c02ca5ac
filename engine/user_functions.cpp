// SPDX-License-Identifier: MIT
#include "engine/user_functions.h"

#include <algorithm>
#include <utility>

#include "engine/messages.h"

namespace {

bool isLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
/// Characters of a name or a number, as the math library reads them.
bool isWordChar(wchar_t c) { return isLetter(c) || isDigit(c) || c == L'_' || c == L'.'; }

std::wstring lowered(std::wstring text) {
    for (auto& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

/// A name of the console language at i: a letter, then letters and digits. Its end, or i when there is none.
size_t nameEnd(const std::wstring& text, size_t i) {
    if (i >= text.size() || !isLetter(text[i])) return i;
    size_t end = i + 1;
    while (end < text.size() && (isLetter(text[end]) || isDigit(text[end]))) ++end;
    return end;
}

/// The ")" that closes the "(" at open, or npos.
size_t closingParenthesis(const std::wstring& text, size_t open) {
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == L'(') ++depth;
        else if (text[i] == L')' && --depth == 0) return i;
    }
    return std::wstring::npos;
}

/// The arguments between open and close as [begin, end) stretches, split at commas outside parentheses.
std::vector<std::pair<size_t, size_t>> argumentStretches(const std::wstring& text, size_t open, size_t close) {
    std::vector<std::pair<size_t, size_t>> args;
    if (close == open + 1) return args;
    int depth = 0;
    size_t begin = open + 1;
    for (size_t i = open + 1; i < close; ++i) {
        if (text[i] == L'(') ++depth;
        else if (text[i] == L')') --depth;
        else if (text[i] == L',' && depth == 0) {
            args.emplace_back(begin, i);
            begin = i + 1;
        }
    }
    args.emplace_back(begin, close);
    return args;
}

/// An argument that can stand in a body without parentheses: a plain decimal number, a single letter, or one
/// already in parentheses.
bool isBare(const std::wstring& arg) {
    if (arg.size() == 1 && isLetter(arg[0])) return true;
    if (!arg.empty() && arg[0] == L'(' && closingParenthesis(arg, 0) == arg.size() - 1) return true;
    if (arg.empty() || std::count(arg.begin(), arg.end(), L'.') > 1) return false;
    return std::all_of(arg.begin(), arg.end(), [](wchar_t c) { return isDigit(c) || c == L'.'; }) && arg != L".";
}

std::wstring quoted(const std::wstring& text) { return L"'" + text + L"'"; }

/// One expansion: the functions on the way down (recursion) and the first failure.
class Expander {
public:
    Expander(const ExpansionContext& context, ExpansionError* error) : m_context(context), m_error(error) {
        if (context.defining) m_stack.push_back(*context.defining);
    }

    /// Expands in (whose characters came from inOrigin) into out and outOrigin.
    bool expand(const std::wstring& in, const TextOrigin& inOrigin, std::wstring& out, TextOrigin& outOrigin) {
        out.clear();
        outOrigin.clear();
        for (size_t i = 0; i < in.size();) {
            if (!isWordChar(in[i])) {
                out += in[i];
                outOrigin.append(inOrigin.at(i));
                ++i;
                continue;
            }
            size_t end = i;
            while (end < in.size() && isWordChar(in[end])) ++end;
            const bool called = (isLetter(in[i]) || in[i] == L'_') && end < in.size() && in[end] == L'(';
            const std::wstring name = in.substr(i, end - i);
            if (called) {
                if (const UserFunction* function = m_context.functions.find(lowered(name))) {
                    const size_t close = closingParenthesis(in, end);
                    if (close == std::wstring::npos)
                        return fail(msg::kInvalidExpression, inOrigin.at(end), L"missing closing parenthesis");
                    if (!expandCall(*function, in, inOrigin, i, end, close, out, outOrigin)) return false;
                    i = close + 1;
                    continue;
                }
                const std::wstring key = lowered(name);
                // plot( and solve( are commands, which the interpreter reads before it gets here.
                if (!m_context.engine.knowsFunction(key) && key != L"plot" && key != L"solve")
                    return fail(msg::kUnknownFunction, inOrigin.cover(i, end), L"unknown function " + quoted(name));
            }
            out += name;
            outOrigin.append(inOrigin, i, end - i);
            i = end;
            if (out.size() > m_context.maxLength) return tooLong(inOrigin.cover(0, in.size()));
        }
        if (out.size() > m_context.maxLength) return tooLong(inOrigin.cover(0, in.size()));
        return true;
    }

private:
    bool fail(const wchar_t* message, TextSpan span, const std::wstring& reason) {
        if (m_error) *m_error = ExpansionError{message, span, reason};
        return false;
    }

    bool tooLong(TextSpan span) {
        return fail(msg::kTooLong, span, L"too long once its functions are written out");
    }

    /// The call of function at nameAt whose parentheses are at open and close.
    bool expandCall(const UserFunction& function, const std::wstring& in, const TextOrigin& inOrigin, size_t nameAt,
                    size_t open, size_t close, std::wstring& out, TextOrigin& outOrigin) {
        const TextSpan call = inOrigin.cover(nameAt, close + 1);
        // The functions on the stack differ from each other, so it never holds more than there are functions.
        if (std::find(m_stack.begin(), m_stack.end(), function.name) != m_stack.end())
            return fail(msg::kRecursiveFunction, call, quoted(function.name) + L" would call itself");
        const auto stretches = argumentStretches(in, open, close);
        const size_t wanted = function.parameters.size();
        if (stretches.size() != wanted)
            return fail(msg::kArgumentCount, call,
                        quoted(function.name) + L" takes " + std::to_wstring(wanted) +
                            (wanted == 1 ? L" argument" : L" arguments"));
        // Arguments first, outside this function: f(f(2)) is no recursion.
        std::vector<std::wstring> args(wanted);
        std::vector<TextOrigin> argOrigins(wanted);
        // Where the "(" or "," before each argument and the "," or ")" after it were typed.
        std::vector<std::pair<TextSpan, TextSpan>> ends(wanted);
        for (size_t k = 0; k < wanted; ++k) {
            const auto [begin, end] = stretches[k];
            if (begin == end) return fail(msg::kInvalidExpression, inOrigin.at(begin), L"argument missing");
            TextOrigin origin;
            origin.append(inOrigin, begin, end - begin);
            if (!expand(in.substr(begin, end - begin), origin, args[k], argOrigins[k])) return false;
            ends[k] = {inOrigin.at(begin - 1), inOrigin.at(end)};
        }
        // The body with the arguments in place of the parameters.
        std::wstring body;
        TextOrigin bodyOrigin;
        const std::wstring& text = function.body;
        for (size_t i = 0; i < text.size();) {
            const size_t end = nameEnd(text, i);
            const bool afterWord = i > 0 && isWordChar(text[i - 1]);
            if (end == i || afterWord) {
                body += text[i];
                bodyOrigin.append(call);
                ++i;
                continue;
            }
            const auto parameter =
                std::find(function.parameters.begin(), function.parameters.end(), text.substr(i, end - i));
            const bool alone = end == text.size() || (!isWordChar(text[end]) && text[end] != L'(');
            if (parameter != function.parameters.end() && alone) {
                const size_t k = static_cast<size_t>(parameter - function.parameters.begin());
                const bool bare = isBare(args[k]);
                // The parentheses around an argument stand for the call's own around it.
                if (!bare) {
                    body += L'(';
                    bodyOrigin.append(ends[k].first);
                }
                body += args[k];
                bodyOrigin.append(argOrigins[k], 0, args[k].size());
                if (!bare) {
                    body += L')';
                    bodyOrigin.append(ends[k].second);
                }
            } else {
                body.append(text, i, end - i);
                bodyOrigin.append(call, end - i);
            }
            i = end;
        }
        m_stack.push_back(function.name);
        std::wstring expanded;
        TextOrigin expandedOrigin;
        const bool ok = expand(body, bodyOrigin, expanded, expandedOrigin);
        m_stack.pop_back();
        if (!ok) return false;
        out += L'(' + expanded + L')';
        outOrigin.append(call);
        outOrigin.append(expandedOrigin, 0, expanded.size());
        outOrigin.append(call);
        return out.size() <= m_context.maxLength || tooLong(call);
    }

    const ExpansionContext& m_context;
    ExpansionError* m_error;
    std::vector<std::wstring> m_stack;
};

}  // namespace

std::wstring UserFunction::definition() const {
    std::wstring text = name + L"(";
    for (size_t k = 0; k < parameters.size(); ++k) text += (k ? L"," : L"") + parameters[k];
    return text + L")=" + body;
}

const UserFunction* UserFunctions::find(const std::wstring& name) const {
    for (const UserFunction& function : m_list)
        if (function.name == name) return &function;
    return nullptr;
}

void UserFunctions::define(const UserFunction& function) {
    for (UserFunction& existing : m_list) {
        if (existing.name == function.name) {
            existing = function;
            return;
        }
    }
    m_list.push_back(function);
}

bool UserFunctions::remove(const std::wstring& name) {
    const std::wstring wanted = lowered(name);
    const auto it = std::find_if(m_list.begin(), m_list.end(), [&](const UserFunction& f) { return f.name == wanted; });
    if (it == m_list.end()) return false;
    m_list.erase(it);
    return true;
}

std::wstring listFunctions(const UserFunctions& functions, size_t maxLength) {
    const std::wstring separator = L"; ", cut = L"...";
    const auto& list = functions.list();
    std::wstring out;
    for (size_t k = 0; k < list.size(); ++k) {
        const std::wstring entry = (k ? separator : L"") + list[k].definition();
        // Room for "; ..." stays while more entries follow.
        const size_t reserve = k + 1 < list.size() ? separator.size() + cut.size() : 0;
        if (out.size() + entry.size() + reserve > maxLength) {
            out += (k ? separator : L"") + cut;
            break;
        }
        out += entry;
    }
    return out;
}

bool parseDefinitionHead(const std::wstring& text, DefinitionHead* head) {
    size_t i = nameEnd(text, 0);
    if (i == 0 || i >= text.size() || text[i] != L'(') return false;
    DefinitionHead parsed;
    parsed.name = text.substr(0, i);
    ++i;
    if (i < text.size() && text[i] == L')') {
        ++i;
    } else {
        for (;;) {
            const size_t end = nameEnd(text, i);
            if (end == i || end >= text.size()) return false;
            parsed.parameters.push_back(text.substr(i, end - i));
            i = end + 1;
            if (text[end] == L')') break;
            if (text[end] != L',') return false;
        }
    }
    if (i >= text.size() || text[i] != L'=' || (i + 1 < text.size() && text[i + 1] == L'=')) return false;
    parsed.bodyAt = i + 1;
    if (head) *head = std::move(parsed);
    return true;
}

bool expandCalls(const ExpansionContext& context, std::wstring& text, TextOrigin& origin, ExpansionError* error) {
    Expander expander(context, error);
    std::wstring out;
    TextOrigin outOrigin;
    if (!expander.expand(text, origin, out, outOrigin)) return false;
    if (out == text) return true;  // no call: the text and where it came from stay as they were
    text = std::move(out);
    origin = std::move(outOrigin);
    return true;
}
