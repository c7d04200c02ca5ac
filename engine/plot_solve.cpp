// SPDX-License-Identifier: MIT
#include "engine/plot_solve.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cwctype>
#include <clocale>
#include <cstdlib>
#include <locale>
#include <sstream>

#include "engine/messages.h"

namespace {

bool isQuote(wchar_t c) { return c == L'\'' || c == L'"'; }

const wchar_t* const kFunctionExpected = L"function expected after the parenthesis";
const wchar_t* const kSeparatorExpected = L"',' or ')' expected after the function";
const wchar_t* const kIntervalExpected = L"two numbers expected, the first below the second";
const wchar_t* const kPointsExpected = L"a whole number of points from 1 to 33554432 expected";

/// Notes where reading stopped; gives back the message.
const wchar_t* stopped(CommandStop& stop, size_t begin, size_t end, const wchar_t* reason, const wchar_t* message) {
    stop.begin = begin;
    stop.end = std::max(end, begin + 1);
    stop.reason = reason;
    return message;
}

/// The plot command's function text after "name(" (pos is within the text); pos ends after it. False: bad syntax.
bool delimitFunction(const std::wstring& text, size_t& pos, std::wstring& function, size_t* functionAt) {
    if (isQuote(text[pos])) ++pos;
    const size_t start = pos;
    *functionAt = start;
    int depth = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (isQuote(c) || (c == L')' && pos == text.size() - 1) || (c == L',' && depth <= 0)) break;
        if (c == L'(') ++depth;
        if (c == L')') --depth;
    }
    function = text.substr(start, pos - start);
    if (pos < text.size() && isQuote(text[pos])) ++pos;
    return pos < text.size() && (text[pos] == L',' || text[pos] == L')');
}

/// The text from pos to the first of the stop characters; false when the end comes first or a fail
/// character comes first. pos moves onto the stop character.
bool field(const std::wstring& text, size_t& pos, const wchar_t* stops, const wchar_t* fails, std::wstring& out) {
    const size_t start = pos;
    for (; pos < text.size(); ++pos) {
        if (std::wcschr(fails, text[pos])) return false;
        if (std::wcschr(stops, text[pos])) {
            out = text.substr(start, pos - start);
            return true;
        }
    }
    return false;
}

/// The toolkit's rule for a number: the whole text must be one ("C" locale).
bool toDouble(const std::wstring& text, double* value) {
    if (text.empty() || std::iswspace(text[0])) return false;
    // The "C" locale whatever the process locale is: numbers always use a full stop.
    std::wistringstream in(text);
    in.imbue(std::locale::classic());
    double number = 0;
    in >> number;
    if (in.fail() || in.peek() != std::char_traits<wchar_t>::eof()) {
        // istream refuses "inf"/"nan"; strtod-style texts are not plot bounds anyway.
        return false;
    }
    *value = number;
    return true;
}

/// The toolkit's rule for a whole number, base 10: the whole text must be one.
bool toLong(const std::wstring& text, long long* value) {
    if (text.empty() || std::iswspace(text[0])) return false;
    errno = 0;
    wchar_t* end = nullptr;
    const long long number = std::wcstoll(text.c_str(), &end, 10);
    if (errno || end != text.c_str() + text.size()) return false;
    *value = number;
    return true;
}

/// Reads ",lo,hi" after the function; lo must be below hi.
bool readInterval(const std::wstring& text, size_t& pos, double& lo, double& hi) {
    ++pos;  // the comma
    std::wstring first, second;
    if (!field(text, pos, L",", L")", first)) return false;
    ++pos;
    if (!field(text, pos, L",)", L"", second)) return false;
    double a = 0, b = 0;
    if (!toDouble(first, &a) || !toDouble(second, &b) || !(b > a)) return false;
    lo = a;
    hi = b;
    return true;
}

}  // namespace

const wchar_t* parsePlotCommand(const std::wstring& text, PlotRequest& request, CommandStop& stop,
                                double trigHalfWidth) {
    size_t pos = 5;  // after "plot("
    if (pos >= text.size()) return stopped(stop, pos - 1, pos, kFunctionExpected, msg::kPlotSyntax);
    if (!delimitFunction(text, pos, request.function, &stop.functionAt))
        return stopped(stop, std::min(pos, text.size() - 1), pos + 1, kSeparatorExpected, msg::kPlotSyntax);
    const std::wstring& f = request.function;
    auto has = [&f](const wchar_t* word) { return f.find(word) != std::wstring::npos; };
    if (has(L"sin") || has(L"cos") || has(L"tan")) request.xmin = -trigHalfWidth, request.xmax = trigHalfWidth;
    else if (has(L"log") || has(L"ln") || has(L"sqrt")) request.xmin = 1, request.xmax = 11;
    else request.xmin = -2, request.xmax = 2;
    request.points = 200;
    if (text[pos] == L')') return nullptr;
    const size_t intervalAt = pos + 1;
    if (!readInterval(text, pos, request.xmin, request.xmax) || !std::isfinite(request.xmax - request.xmin)) {
        // A width beyond the double range cannot be sampled or shown: refused like any other bad interval.
        return stopped(stop, std::min(intervalAt, text.size() - 1), pos, kIntervalExpected, msg::kPlotInterval);
    }
    if (text[pos] == L')') return nullptr;
    ++pos;
    const size_t pointsAt = pos;
    std::wstring points;
    long long count = 0;
    if (!field(text, pos, L")", L",", points) || !toLong(points, &count) || count < 1 || count > kPlotPointsAskedMax)
        return stopped(stop, std::min(pointsAt, text.size() - 1), pos, kPointsExpected, msg::kPlotPoints);
    request.points = static_cast<int>(std::clamp<long long>(count, kPlotPointsMin, kPlotPointsMax));
    return nullptr;
}

const wchar_t* parseSolveCommand(const std::wstring& text, SolveRequest& request, CommandStop& stop) {
    size_t pos = 6;  // after "solve("
    if (pos >= text.size()) return stopped(stop, pos - 1, pos, kFunctionExpected, msg::kSolveSyntax);
    if (!delimitFunction(text, pos, request.function, &stop.functionAt))
        return stopped(stop, std::min(pos, text.size() - 1), pos + 1, kSeparatorExpected, msg::kSolveSyntax);
    request.a = -10;
    request.b = 10;
    if (text[pos] == L')') return nullptr;
    const size_t intervalAt = pos + 1;
    if (!readInterval(text, pos, request.a, request.b))
        return stopped(stop, std::min(intervalAt, text.size() - 1), pos, kIntervalExpected, msg::kSolveInterval);
    return nullptr;
}
