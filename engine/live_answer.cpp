// SPDX-License-Identifier: MIT
#include "engine/live_answer.h"

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "engine/interpreter.h"
#include "engine/preprocess.h"
#include "engine/variables.h"

namespace {

const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";

std::wstring trimmed(const std::wstring& text) {
    const wchar_t* blanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isNameChar(wchar_t c) { return std::iswalnum(c) || c == L'_'; }

/// Functions whose value changes from call to call (rand advances its sequence): never shown while typing.
bool callsVolatileFunction(const std::wstring& expression) {
    for (size_t i = 0; i < expression.size();) {
        if (!isNameChar(expression[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < expression.size() && isNameChar(expression[end])) ++end;
        const std::wstring name = expression.substr(i, end - i);
        if (name == L"rand" || name == L"time") return true;
        i = end;
    }
    return false;
}

/// Text the parser refuses in any case: unbalanced parentheses or an operator, comma or "(" at the end.
/// Caught here, half-typed lines cost no parse.
bool obviouslyIncomplete(const std::wstring& expression) {
    int depth = 0;
    for (wchar_t c : expression) {
        if (c == L'(') ++depth;
        else if (c == L')' && --depth < 0) return true;
    }
    return depth != 0 || std::wcschr(L"+-*/^%<>=&|!?:,(~#$", expression.back()) != nullptr;
}

template <typename T>
void mix(std::uint64_t& hash, const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
}

void mixText(std::uint64_t& hash, const std::wstring& text) {
    for (wchar_t c : text) mix(hash, c);
    mix(hash, wchar_t(0));
}

}  // namespace

std::uint64_t interpreterStateStamp(const Interpreter& interpreter) {
    std::uint64_t hash = 14695981039346656037ull;
    const VariableStore& vars = interpreter.vars;
    for (int k = 0; k < VariableStore::kSlots; ++k) {
        mix(hash, vars.varValue[static_cast<size_t>(k)]);
        mix(hash, vars.varSet[static_cast<size_t>(k)]);
        mixText(hash, vars.varName[static_cast<size_t>(k)]);
    }
    mix(hash, vars.varCount);
    mix(hash, interpreter.ansValue);
    mix(hash, interpreter.ansSet);
    mix(hash, interpreter.format.mode);
    mixText(hash, interpreter.format.fixedFormat);
    mixText(hash, interpreter.format.exponentFormat);
    mix(hash, interpreter.outputBase);
    mix(hash, interpreter.angleUnit());
    for (const UserFunction& function : interpreter.functions().list()) mixText(hash, function.definition());
    return hash;
}

LiveAnswer::LiveAnswer() = default;

bool LiveAnswer::answer(const Interpreter& interpreter, const std::wstring& line, std::wstring* out) {
    out->clear();
    const std::uint64_t state = interpreterStateStamp(interpreter);
    for (const Entry& entry : m_cache) {
        if (entry.state == state && entry.line == line && !entry.line.empty()) {
            *out = entry.reply;
            return entry.shown;
        }
    }
    Entry& entry = m_cache[static_cast<size_t>(m_next)];
    m_next = (m_next + 1) % kCacheSize;
    entry.shown = compute(interpreter, line, out);
    if (!entry.shown) out->clear();
    entry.line = line;
    entry.state = state;
    entry.reply = *out;
    return entry.shown;
}

bool LiveAnswer::compute(const Interpreter& interpreter, const std::wstring& line, std::wstring* out) {
    // The console's own reading of the input line: trimmed, ";" between statements, a final ";" hides the reply.
    const std::wstring text = trimmed(line);
    if (text.empty() || text.back() == L';') return false;
    std::wstring statement;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L';', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring piece = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (piece.empty()) continue;
        statement = piece;
        if (!peekStatement(interpreter, piece, out)) return false;
    }
    // A reply that only repeats the typed number is no news.
    std::wstring typed = statement;
    lm_removeSpace(typed);
    return !out->empty() && *out != typed;
}

bool LiveAnswer::peekStatement(const Interpreter& interpreter, std::wstring text, std::wstring* out) {
    out->clear();
    if (text.empty() || text.size() > static_cast<size_t>(Interpreter::kEntryMax)) return false;
    if (text.find(L'"') != std::wstring::npos) return false;
    if (text.size() >= 3) {
        const size_t hash = text.find(L'#');
        if (hash != std::wstring::npos && hash != text.size() - 1) text.erase(hash);
    }
    if (text.empty() || isFixedCommand(text)) return false;
    lm_removeSpace(text);
    if (text.compare(0, 5, L"plot(") == 0 || text.compare(0, 6, L"solve(") == 0) return false;
    // A definition changes state; calls of the user's functions are written out as Enter would.
    if (parseDefinitionHead(text, nullptr)) return false;
    const size_t typedLength = text.size();
    TextOrigin origin;
    origin.reset(text.size());
    const ExpansionContext context{interpreter.functions(), m_engine, Interpreter::kEntryMax};
    if (!expandCalls(context, text, origin, nullptr)) return false;
    const std::ptrdiff_t growth = static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(typedLength);

    // The interpreter's scan, on a copy of the variables (the reference check may move a value between slots).
    m_scratch = interpreter.vars;
    std::wstring expression;
    size_t digits = 0, dots = 0, assignAt = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c >= L'0' && c <= L'9') ++digits;
        if (c == L'.') ++dots;
        expression += static_cast<wchar_t>(std::towlower(c));
        if (c == L'=') assignAt = assignAt == 0 ? expression.size() - 1 : 0;
        if (checkReference(m_scratch, text, i) != ReferenceCheck::Ok) return false;  // unset, or x outside solve
    }
    if (digits + dots == text.size() && dots <= 1) {
        *out = text;
        if (dots == 0) applyOutputBase(*out, interpreter.outputBase);
        return true;
    }
    // Assignments, variable display and solving change or show state: not while typing.
    if (assignAt > 0 || expression.find(L"->0") != std::wstring::npos) return false;
    // The typed text's limit, before its functions were written out.
    const std::ptrdiff_t typedSize = static_cast<std::ptrdiff_t>(expression.size()) - growth;
    if (expression.empty() || typedSize > Interpreter::kExpressionMax) return false;
    replaceVariableNames(m_scratch, expression, nullptr, &m_engine);  // only shortens the text
    preprocessExpression(LastAnswer{interpreter.ansValue, interpreter.ansSet}, expression);
    applyAngleUnit(interpreter.angleUnit(), expression);
    if (expression.empty() || obviouslyIncomplete(expression) || callsVolatileFunction(expression)) return false;

    m_engine.clearError();
    lmParser parser(&m_engine, &m_param);
    if (parser.init(expression) <= 0) return false;
    const double value = parser.eval(kLetters, m_scratch.varValue);
    parser.release();
    if (m_engine.errorCode != 0) return false;
    const NumberFormat& format = interpreter.format;
    formatResult(value, *out, format.mode == NumberFormat::kAuto ? Interpreter::kLineMax : Interpreter::kResultMax,
                 format, nullptr);
    applyOutputBase(*out, interpreter.outputBase);
    return true;
}
