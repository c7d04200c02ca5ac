// SPDX-License-Identifier: MIT
// The interpreter's user functions: definitions, their checks, and writing calls out before a line is read.
#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "engine/interpreter.h"
#include "engine/interpreter_line.h"
#include "engine/messages.h"
#include "engine/preprocess.h"
#include "engine/variables.h"

namespace {

std::wstring lower(std::wstring text) {
    for (auto& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

/// What a body's parameters stand for while it is checked: an argument in parentheses, as most arguments are.
const wchar_t* const kSampleArgument = L"(1)";
/// Longest body written out with sample arguments; only its reading is checked, the length of calls apart.
constexpr size_t kSampleMax = 16 * Interpreter::kLineMax;

}  // namespace

bool Interpreter::failExpansion(Line& line, const ExpansionError& error) {
    m_errorSpot = ErrorSpot{error.span.begin, std::max(1, error.span.end - error.span.begin), error.reason};
    return fail(line, error.message);
}

bool Interpreter::expandLine(Line& line) {
    const size_t before = line.text.size();
    ExpansionError error;
    if (!expandCalls(ExpansionContext{m_functions, m_engine, kEntryMax}, line.text, line.origin, &error))
        return failExpansion(line, error);
    line.growth = static_cast<std::ptrdiff_t>(line.text.size()) - static_cast<std::ptrdiff_t>(before);
    return true;
}

bool Interpreter::defineFunction(Line& line, const DefinitionHead& head) {
    const std::wstring text = lower(line.text);
    const size_t nameEnd = head.name.size();
    UserFunction function{text.substr(0, nameEnd), {}, text.substr(head.bodyAt)};
    if (function.name.size() > static_cast<size_t>(UserFunctions::kMaxNameLength))
        return failAt(line, msg::kFunctionNameTooLong, 0, nameEnd, L"at most 15 characters");
    if (isReservedName(function.name) || m_engine.knowsFunction(function.name))
        return failAt(line, msg::kNameReserved, 0, nameEnd, L"'" + head.name + L"' is taken");
    const size_t parametersEnd = head.bodyAt - 2;  // the ")" before "="
    if (head.parameters.empty() || head.parameters.size() > static_cast<size_t>(UserFunctions::kMaxParameters))
        return failAt(line, msg::kParameterCount, nameEnd, parametersEnd + 1, L"1 to 4 parameters");
    size_t at = nameEnd + 1;
    for (const std::wstring& typed : head.parameters) {
        const std::wstring parameter = lower(typed);
        const bool repeated = std::find(function.parameters.begin(), function.parameters.end(), parameter) !=
                              function.parameters.end();
        if (parameter.size() > static_cast<size_t>(UserFunctions::kMaxNameLength) || isReservedName(parameter) ||
            m_engine.knowsFunction(parameter) || repeated)
            return failAt(line, msg::kInvalidParameter, at, at + typed.size(),
                          L"'" + typed + (repeated ? L"' is named twice" : L"' cannot name a parameter"));
        function.parameters.push_back(parameter);
        at += typed.size() + 1;
    }
    const std::wstring& body = function.body;
    if (body.empty()) return failAt(line, msg::kEmptyExpression, head.bodyAt - 1, head.bodyAt, L"the body is missing");
    if (body.size() > static_cast<size_t>(UserFunctions::kMaxBody))
        return failAt(line, msg::kTooLong, head.bodyAt, text.size(), L"a body of at most 250 characters");
    // A "=" would turn the lines that call the function into assignments.
    if (const size_t equals = body.find(L'='); equals != std::wstring::npos)
        return failAt(line, msg::kInvalidExpression, head.bodyAt + equals, head.bodyAt + equals + 1,
                      L"a function's body cannot hold '='");
    if (!m_functions.find(function.name) && m_functions.list().size() >= UserFunctions::kMaxFunctions)
        return failAt(line, msg::kTooManyFunctions, 0, nameEnd, L"at most 64 functions");
    if (!checkBody(line, function, head.bodyAt)) return false;
    m_functions.define(function);
    if (verbose) *line.out = msg::kDone;
    return true;
}

bool Interpreter::checkBody(Line& line, const UserFunction& function, size_t bodyAt) {
    TextOrigin bodyOrigin = line.origin;
    bodyOrigin.slice(bodyAt, function.body.size(), 0);
    // The parameters replaced by a sample argument; what they stand for then reads as at any call.
    std::wstring sample;
    TextOrigin sampleOrigin;
    const std::wstring& body = function.body;
    for (size_t i = 0; i < body.size();) {
        size_t end = i;
        while (end < body.size() && (std::iswalnum(body[end]) || body[end] == L'_' || body[end] == L'.')) ++end;
        if (end == i) {
            sample += body[i];
            sampleOrigin.append(bodyOrigin.at(i));
            ++i;
            continue;
        }
        const std::wstring word = body.substr(i, end - i);
        const bool parameter = std::find(function.parameters.begin(), function.parameters.end(), word) !=
                                   function.parameters.end() &&
                               (end == body.size() || body[end] != L'(');
        if (parameter) {
            sample += kSampleArgument;
            sampleOrigin.append(bodyOrigin.cover(i, end), std::wcslen(kSampleArgument));
        } else {
            sample += word;
            sampleOrigin.append(bodyOrigin, i, end - i);
        }
        i = end;
    }
    // Other functions it calls, and a call of itself through them, with the new definition in place.
    UserFunctions candidate = m_functions;
    candidate.define(function);
    ExpansionError error;
    if (!expandCalls(ExpansionContext{candidate, m_engine, kSampleMax, &function.name}, sample, sampleOrigin, &error))
        return failExpansion(line, error);
    // The shortest call, with one-character arguments, must fit a line.
    std::wstring call = function.name + L"(";
    for (size_t k = 0; k < function.parameters.size(); ++k) call += k ? L",1" : L"1";
    call += L")";
    TextOrigin callOrigin;
    callOrigin.append(bodyOrigin.cover(0, function.body.size()), call.size());
    if (!expandCalls(ExpansionContext{candidate, m_engine, kScanMax}, call, callOrigin, &error))
        return failExpansion(line, error);
    replaceVariableNames(vars, sample, &sampleOrigin, &m_engine);
    preprocessExpression(LastAnswer{1, true}, sample, &sampleOrigin);
    m_engine.clearError();
    lmParser parser(&m_engine, &m_param);
    const bool read = parser.init(sample) > 0;
    parser.release();
    if (read) return true;
    if (m_engine.errorReason != lmSyntaxReason::None)
        m_errorSpot = locateSyntaxError(line.typed, sample, sampleOrigin, m_engine.errorPosition, m_engine.errorReason);
    return fail(line, msg::kInvalidExpression);
}

const wchar_t* Interpreter::evaluationMessage() const {
    switch (m_engine.valueProblem) {
    case lmValueProblem::NotWhole:
        return msg::kNotWhole;
    case lmValueProblem::OutOfRange:
        return msg::kOutOfRange;
    case lmValueProblem::None:  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        break;
    }
    return msg::kInvalidExpression;
    // GCOVR_EXCL_STOP
}

bool Interpreter::expandFunction(const std::wstring& text, std::wstring& expanded, std::wstring& message) const {
    std::wstring function = text;
    lm_removeSpace(function);
    TextOrigin origin;
    origin.reset(function.size());
    ExpansionError error;
    if (!expandCalls(ExpansionContext{m_functions, m_engine, kEntryMax}, function, origin, &error)) {
        message = error.message;
        return false;
    }
    preprocessExpression(LastAnswer{ansValue, ansSet}, function);
    applyAngleUnit(m_angleUnit, function);
    expanded = function;
    message.clear();
    return true;
}
