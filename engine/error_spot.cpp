// SPDX-License-Identifier: MIT
#include "engine/error_spot.h"

#include <algorithm>
#include <vector>

namespace {

bool isNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
           c == L'.';
}

/// The token of expression at pos: a run of name or number characters, else the single character.
size_t tokenEnd(const std::wstring& expression, size_t pos) {
    size_t end = pos;
    while (end < expression.size() && isNameChar(expression[end])) ++end;
    return end > pos ? end : pos + 1;
}

/// The innermost opening parenthesis never closed, or the end when all are closed.
size_t unclosedParenthesis(const std::wstring& expression) {
    std::vector<size_t> open;
    for (size_t i = 0; i < expression.size(); ++i) {
        if (expression[i] == L'(') open.push_back(i);
        else if (expression[i] == L')' && !open.empty()) open.pop_back();
    }
    return open.empty() ? expression.size() : open.back();
}

/// The typed characters of [begin, end), clamped to the typed line: the origin of a rewritten text may run
/// past a line that lost characters on the way.
std::wstring piece(const std::wstring& typed, int begin, int end) {
    const size_t from = std::min(static_cast<size_t>(std::max(begin, 0)), typed.size());
    const size_t to = std::min(static_cast<size_t>(std::max(end, 0)), typed.size());
    return typed.substr(from, std::max(to, from) - from);
}

/// The name of the function whose argument list holds pos: the name before the innermost open "(" before pos.
std::wstring enclosingFunction(const std::wstring& typed, const std::wstring& expression, const TextOrigin& origin,
                               size_t pos) {
    int depth = 0;
    size_t from = std::min(pos, expression.size());
    // Right after an empty call ("max()": muParser stops after it), that call's arguments are the ones counted.
    if (from >= 2 && expression.compare(from - 2, 2, L"()") == 0) --from;
    for (size_t i = from; i-- > 0;) {
        if (expression[i] == L')') ++depth;
        else if (expression[i] == L'(' && depth-- == 0) {
            size_t start = i;
            while (start > 0 && isNameChar(expression[start - 1])) --start;
            if (start == i) return {};
            const TextSpan first = origin.at(start), last = origin.at(i - 1);
            return piece(typed, first.begin, last.end);
        }
    }
    return {};
}

std::wstring quoted(const std::wstring& text) { return L"'" + text + L"'"; }


}  // namespace

ErrorSpot spotOf(const TextOrigin& origin, size_t begin, size_t end, const std::wstring& reason) {
    ErrorSpot spot;
    if (origin.size() == 0) return spot;
    const TextSpan span = origin.cover(begin, end);
    spot.start = span.begin;
    spot.length = std::max(1, span.end - span.begin);
    spot.reason = reason;
    return spot;
}

ErrorSpot locateSyntaxError(const std::wstring& typed, const std::wstring& expression, const TextOrigin& origin,
                            int position, lmSyntaxReason reason) {
    const size_t size = expression.size();
    if (size == 0) return {};
    size_t pos = std::min(static_cast<size_t>(std::max(position, 0)), size);
    if (reason == lmSyntaxReason::MissingParenthesis) pos = unclosedParenthesis(expression);
    const bool atEnd = pos >= size;
    const size_t at = std::min(pos, size - 1);
    const size_t end = atEnd ? size : tokenEnd(expression, at);
    ErrorSpot spot = spotOf(origin, at, end, {});
    if (!spot.known() || static_cast<size_t>(spot.start) >= typed.size()) return {};
    spot.length = std::min(spot.length, static_cast<int>(typed.size()) - spot.start);
    const std::wstring token = piece(typed, spot.start, spot.start + spot.length);
    const std::wstring before = pos > 0 ? quoted(piece(typed, origin.at(pos - 1).begin, origin.at(pos - 1).end))
                                        : std::wstring();
    switch (reason) {
    case lmSyntaxReason::MissingParenthesis:
        spot.reason = L"missing closing parenthesis";
        break;
    case lmSyntaxReason::UnexpectedParenthesis:
        if (token == L"(" && pos > 0) spot.reason = L"operator expected before '('";
        else if (token != L")" || pos == 0) spot.reason = L"unexpected " + quoted(token);
        else if (unclosedParenthesis(expression.substr(0, pos)) == pos) spot.reason = L"')' without an opening parenthesis";
        else spot.reason = L"value expected after " + before;
        break;
    case lmSyntaxReason::UnknownName:
        spot.reason = L"unknown name " + quoted(token);
        break;
    case lmSyntaxReason::CallExpected:
        spot.reason = L"'(' expected after " + quoted(token);
        break;
    case lmSyntaxReason::ValueExpected:
        if (atEnd) spot.reason = L"value expected after " + quoted(token);
        else if (pos == 0) spot.reason = L"value expected before " + quoted(token);
        else spot.reason = L"value expected after " + before;
        break;
    case lmSyntaxReason::OperatorExpected:
        spot.reason = L"operator expected before " + quoted(token);
        break;
    case lmSyntaxReason::UnexpectedComma:
        spot.reason = L"',' outside a function's arguments";
        break;
    case lmSyntaxReason::TooManyArguments:
    case lmSyntaxReason::TooFewArguments: {
        const std::wstring name = enclosingFunction(typed, expression, origin, pos);
        spot.reason = std::wstring(reason == lmSyntaxReason::TooManyArguments ? L"too many" : L"too few") +
                      L" arguments" + (name.empty() ? std::wstring() : L" for " + quoted(name));
        break;
    }
    case lmSyntaxReason::UnexpectedCharacter:
        spot.reason = L"unexpected character " + quoted(token);
        break;
    case lmSyntaxReason::Assignment:
        spot.reason = L"a single '=' cannot stand inside an expression";
        break;
    default:
        spot.reason = L"the expression cannot be read here";
        break;
    }
    return spot;
}
