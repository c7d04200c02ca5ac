// SPDX-License-Identifier: MIT
// The interpreter: entry checks, fixed commands, variables, formatting, plot and solve.
#include "engine/interpreter.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "engine/interpreter_line.h"
#include "engine/messages.h"
#include "engine/plot_host.h"
#include "engine/plot_solve.h"
#include "engine/solve_function.h"
#include "engine/preprocess.h"
#include "engine/variables.h"
#include "engine/window_commands.h"

namespace {

constexpr int kSolveNumberMax = 185; // solve numbers in auto mode (182 otherwise)
const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";

std::wstring lower(std::wstring text) {
    for (auto& c : text) c = std::towlower(c);
    return text;
}

bool equalsAny(const std::wstring& lowered, std::initializer_list<const wchar_t*> words) {
    for (const wchar_t* w : words)
        if (lowered == w) return true;
    return false;
}

}  // namespace

Interpreter::Interpreter() {
    m_param.setReltol(1e-6);
    m_param.setMaxiter(4096);
    m_param.flag = 0;
    m_engine.setting = 0;
    m_engine.setVariableSource(&vars.varValue);
    resetVariableStore();
}

Interpreter::~Interpreter() { m_param.parser = nullptr; }

void Interpreter::resetVariableStore() {
    vars.reset();
    ansValue = 0;
    ansSet = false;
}

bool Interpreter::fail(Line& line, const wchar_t* message) {
    if (verbose) *line.out = message;
    return false;
}

bool Interpreter::failAt(Line& line, const wchar_t* message, size_t begin, size_t end, const std::wstring& reason) {
    m_errorSpot = spotOf(line.origin, begin, end, reason);
    return fail(line, message);
}

bool Interpreter::evaluateLine(const std::wstring& line, std::wstring* out, double* value,
                               const std::wstring* format) {
    if (!out) return false;
    out->clear();
    if (value) *value = 0;
    m_errorSpot = ErrorSpot{};
    m_solveNote.clear();
    Line work{line, out, value, format, line, {}, Mode::Expression, {}, -1, false, 0, 0, {}, 0};
    work.origin.reset(line.size());
    const bool result = run(work);
    if (out->size() > static_cast<size_t>(kLineMax)) out->resize(kLineMax);
    return result;
}

bool Interpreter::run(Line& line) {
    std::wstring& text = line.text;
    // Entry checks on the line as received.
    if (text.empty()) return fail(line, msg::kEmptyExpression);
    if (text.size() > kEntryMax) return fail(line, msg::kTooLong);
    if (text.find(L'"') != std::wstring::npos) return fail(line, msg::kContainsQuote);
    // A comment, in lines of three characters or more.
    if (text.size() >= 3) {
        const size_t hash = text.find(L'#');
        if (hash != std::wstring::npos && hash != text.size() - 1) {
            text.erase(hash);
            line.origin.truncate(hash);
            if (text.empty()) return fail(line, msg::kEmptyExpression);
        }
    }
    // One trailing ";" is dropped (the text is not empty here).
    if (text.back() == L';') text.pop_back();
    line.origin.truncate(text.size());
    // The entry check's length limit still holds: the comment and the ";" only shortened the text.
    if (text.empty()) return fail(line, msg::kEmptyExpression);

    bool result = false;
    if (fixedCommand(line, &result)) return result;
    std::vector<bool> kept(text.size());
    for (size_t i = 0; i < text.size(); ++i) kept[i] = !std::wcschr(L" \t\r\n", text[i]);
    line.origin.keep(kept);
    lm_removeSpace(text);
    // Plot and solve, in lower case only; then a definition; user functions are written out in everything else.
    if (text.compare(0, 5, L"plot(") == 0) return expandLine(line) && plotCommand(line);
    DefinitionHead head;
    if (text.compare(0, 6, L"solve(") == 0) {
        if (!expandLine(line) || !startSolveCommand(line)) return false;
    } else if (parseDefinitionHead(text, &head)) {
        return defineFunction(line, head);
    } else if (!expandLine(line)) {
        return false;
    }
    if (scanLine(line, &result)) return result;
    if (!prepareExpression(line)) return false;
    return evaluate(line);
}

namespace {

enum class Command {
    None, Author, Version, Clear, Stop, Help, Exit, Save, FormatDouble, FormatSingle, FormatInt, FormatAuto,
    FormatQuery, TolQuery, IterQuery, Degrees, Radians, Gradians, AngleQuery, FunctionQuery, Unset, SetQuery, Reset
};

/// The fixed command a whole line is (any case, blanks as typed), in the order they are matched.
Command commandOf(const std::wstring& command) {
    static const struct {
        const wchar_t* text;
        Command command;
    } kCommands[] = {
        {L"author", Command::Author},
        {L"version", Command::Version},
        {L"release", Command::Version},
        {L"cls", Command::Clear},
        {L"clear", Command::Clear},
        {L"stop", Command::Stop},
        {L"help", Command::Help},
        {L"exit", Command::Exit},
        {L"quit", Command::Exit},
        {L"save", Command::Save},
        {L"format double", Command::FormatDouble},
        {L"format long", Command::FormatDouble},
        {L"format single", Command::FormatSingle},
        {L"format short", Command::FormatSingle},
        {L"format int", Command::FormatInt},
        {L"format auto", Command::FormatAuto},
        {L"format ?", Command::FormatQuery},
        {L"format?", Command::FormatQuery},
        {L"tol ?", Command::TolQuery},
        {L"tol?", Command::TolQuery},
        {L"iter ?", Command::IterQuery},
        {L"iter?", Command::IterQuery},
        {L"deg", Command::Degrees},
        {L"rad", Command::Radians},
        {L"grad", Command::Gradians},
        {L"angle ?", Command::AngleQuery},
        {L"angle?", Command::AngleQuery},
        {L"fun ?", Command::FunctionQuery},
        {L"fun?", Command::FunctionQuery},
    };
    for (const auto& entry : kCommands)
        if (command == entry.text) return entry.command;
    if (command.find(L"unset ") != std::wstring::npos || command.find(L"del ") != std::wstring::npos)
        return Command::Unset;
    if (equalsAny(command, {L"set ?", L"set?"})) return Command::SetQuery;
    if (command == L"reset") return Command::Reset;
    return Command::None;
}

}  // namespace

bool isFixedCommand(const std::wstring& text) { return commandOf(lower(text)) != Command::None; }

bool Interpreter::fixedCommand(Line& line, bool* result) {
    const std::wstring command = lower(line.text);
    std::wstring& out = *line.out;
    *result = true;
    auto done = [&] { if (verbose) out = msg::kDone; };
    switch (const Command matched = commandOf(command); matched) {
    case Command::None:
        return false;
    case Command::Author:
        out = msg::kAuthor;
        break;
    case Command::Version:
        out = msg::kVersion;
        break;
    case Command::Clear:
        if (m_window) m_window->clearConsole();
        break;
    case Command::Stop:
        done();
        break;
    case Command::Help:
        if (m_window) m_window->showHelp();
        done();
        break;
    case Command::Exit:
        if (m_window) m_window->shutDown();
        break;
    case Command::Save:
        if (m_window) m_window->saveConsole();
        done();
        break;
    case Command::FormatDouble:
        format = NumberFormat{NumberFormat::kFixed, L"%.12f", L"%.8e"};
        done();
        break;
    case Command::FormatSingle:
        format = NumberFormat{NumberFormat::kFixed, L"%.6f", L"%.4e"};
        done();
        break;
    case Command::FormatInt:
        format.mode = NumberFormat::kInt;
        done();
        break;
    case Command::FormatAuto:
        format.mode = NumberFormat::kAuto;
        done();
        break;
    case Command::FormatQuery:
        if (format.mode == NumberFormat::kFixed) out = format.fixedFormat == L"%.6f" ? L"single" : L"double";
        else out = format.mode == NumberFormat::kInt ? L"int" : L"auto";
        break;
    case Command::TolQuery:
        lm_reformatAuto(m_param.getReltol(), out, kLineMax);
        break;
    case Command::IterQuery:
        out = std::to_wstring(m_param.getMaxiter());
        break;
    case Command::Degrees:
    case Command::Radians:
    case Command::Gradians: {
        m_angleUnit = matched == Command::Degrees   ? AngleUnit::Degrees
                      : matched == Command::Gradians ? AngleUnit::Gradians
                                                     : AngleUnit::Radians;
        if (verbose) out = angleUnitNotice(m_angleUnit);
        break;
    }
    case Command::AngleQuery:
        out = angleUnitName(m_angleUnit);
        break;
    case Command::FunctionQuery:
        out = listFunctions(m_functions, kLineMax);
        if (out.empty()) *result = fail(line, msg::kNoFunction);
        break;
    case Command::Unset: {
        size_t at = command.find(L"unset ");
        at = at != std::wstring::npos ? at + 6 : command.find(L"del ") + 4;
        // A function goes before a variable of the same name (f and f(x) may both exist).
        const std::wstring name = line.text.substr(at);
        if (m_functions.remove(name) || removeVariable(vars, name)) done();
        break;
    }
    case Command::SetQuery:
        out = listVariables(vars);
        if (out.empty()) {
            // The one exception to false on failure: with verbose off the empty listing succeeds.
            fail(line, msg::kVariableNotSet);
            *result = !verbose;
        }
        break;
    case Command::Reset:
        vars.reset();
        m_functions.clear();
        done();
        break;
    }
    return true;
}

bool Interpreter::plotCommand(Line& line) {
    preprocessExpression(LastAnswer{ansValue, ansSet}, line.text, &line.origin);
    PlotRequest request;
    CommandStop stop;
    if (const wchar_t* error =
            parsePlotCommand(line.text, request, stop, trigonometricPlotHalfWidth(m_angleUnit)))
        return failAt(line, error, stop.begin, stop.end, stop.reason);
    // The curve is drawn in the unit of the moment and keeps it.
    TextOrigin origin = line.origin;
    origin.slice(stop.functionAt, request.function.size(), 0);
    applyAngleUnit(m_angleUnit, request.function, &origin);
    if (plotId > 0 && !(m_plots && m_plots->plotExists(plotId))) plotId = 0;
    if (plotId <= 0) plotId = m_plots ? m_plots->plotNew() : 0;
    if (plotId <= 0) return fail(line, msg::kCannotPlot);
    // The legend names the curve as it was typed ("f(x)", "2pi*x"), not as it is evaluated.
    const TextSpan typed = origin.cover(0, request.function.size());
    std::wstring label = line.typed.substr(static_cast<size_t>(typed.begin),
                                           static_cast<size_t>(std::max(0, typed.end - typed.begin)));
    lm_removeSpace(label);
    if (!m_plots->plotAdd(plotId, request.function, request.points, request.xmin, request.xmax, vars.varValue,
                          label)) {
        locateInCommand(line, request.function, origin);
        return fail(line, msg::kInvalidPlot);
    }
    return true;
}

void Interpreter::locateInCommand(Line& line, const std::wstring& function, const TextOrigin& origin) {
    // The plot window refused the function: the parser says where, within the function's place in the line.
    if (function.empty()) return;
    m_engine.clearError();
    lmParser parser(&m_engine, &m_param);
    if (parser.init(function) <= 0 && m_engine.errorReason != lmSyntaxReason::None)
        m_errorSpot = locateSyntaxError(line.typed, function, origin, m_engine.errorPosition, m_engine.errorReason);
    parser.release();
}

bool Interpreter::startSolveCommand(Line& line) {
    SolveRequest request;
    CommandStop stop;
    if (const wchar_t* error = parseSolveCommand(line.text, request, stop))
        return failAt(line, error, stop.begin, stop.end, stop.reason);
    // The interval travels in a and b, marked in use without being counted.
    vars.varValue[0] = request.a;
    vars.varValue[1] = request.b;
    vars.varSet[0] = vars.varSet[1] = true;
    line.origin.slice(stop.functionAt, request.function.size(), 5);
    // Within the line limit: the function is shorter than the line by "solve(" and ")" at least.
    line.text = request.function + L" -> 0";
    return true;
}

bool Interpreter::scanLine(Line& line, bool* result) {
    const std::wstring& text = line.text;
    std::wstring& expression = line.expression;
    size_t digits = 0, dots = 0, assignAt = 0, arrowAt = 0;
    bool arrowSeen = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c >= L'0' && c <= L'9') ++digits;
        if (c == L'.') ++dots;
        if (c != L'\t' && c != L'\n' && c != L'\r' && c != L' ') {
            expression += static_cast<wchar_t>(std::towlower(c));
            const size_t p = expression.size() - 1;
            // A second "=" cancels the first ("a==b" is an expression), a third sets it again.
            if (c == L'=') assignAt = assignAt == 0 ? p : 0;
            if (!arrowSeen && p >= 2 && expression.compare(p - 2, 3, L"->0") == 0) {
                arrowSeen = true;
                arrowAt = p - 2;
            }
        }
        const ReferenceCheck check = checkReference(vars, text, i);
        if (check == ReferenceCheck::NotSet) {
            *result = failAt(line, msg::kVariableNotSet, i, i + 1, L"'" + text.substr(i, 1) + L"' has no value");
            return true;
        }
        if (check == ReferenceCheck::UnsetX) line.xUsed = true;
    }
    // A plain number shows its own text.
    if (digits + dots == text.size() && dots <= 1) {
        const double number = lm_toDouble(text);
        if (line.value) *line.value = number;
        ansValue = number;
        ansSet = true;
        *line.out = text;
        if (dots == 0) applyOutputBase(*line.out, outputBase);
        *result = true;
        return true;
    }
    line.assignAt = assignAt;
    line.arrowAt = arrowAt;
    return false;
}

bool Interpreter::prepareExpression(Line& line) {
    std::wstring& expression = line.expression;
    const size_t assignAt = line.assignAt;
    // The expression after the scan; limits of the typed text hold for the text before its functions were written out.
    if (expression.empty()) return fail(line, msg::kEmptyExpression);
    if (std::max(expression.size(), line.typedSize(expression)) > kScanMax) return fail(line, msg::kTooLong);
    // The mode: solve, display or assignment.
    if (line.xUsed && line.arrowAt == 0) return fail(line, msg::kVariableNotSet);
    if (line.arrowAt > 0) {
        line.mode = Mode::Solve;
        expression.resize(line.arrowAt);
        line.origin.truncate(line.arrowAt);
    } else if (assignAt > 0) {
        if (assignAt >= 16) return fail(line, msg::kNameTooLong);
        line.mode = expression.size() - 1 == assignAt ? Mode::Display : Mode::Assignment;
        line.name = expression.substr(0, assignAt);
        if (line.mode == Mode::Assignment) {
            if (const wchar_t* error = assignmentNameError(line.name)) return fail(line, error);
            expression.erase(0, assignAt + 1);
            line.origin.erase(0, assignAt + 1);
        }
    }
    // The expression without the assignment's name.
    if (expression.empty()) return fail(line, msg::kEmptyExpression);
    if (line.typedSize(expression) > kExpressionMax) return fail(line, msg::kTooLong);
    // A full store makes room before an assignment.
    if (line.mode == Mode::Assignment && vars.varCount >= VariableStore::kSlots) vars.dropOldestVariable();
    if (line.mode == Mode::Assignment || line.mode == Mode::Display) line.target = resolveTarget(vars, line.name);
    if (line.mode == Mode::Solve) {
        if (expression.find(L'x') == std::wstring::npos)
            return failAt(line, msg::kInvalidExpression, 0, expression.size(), L"no x to solve for");
    } else {
        // Each name becomes its slot's letter: the text only gets shorter, so the limits above still hold.
        replaceVariableNames(vars, expression, &line.origin, &m_engine);
    }
    // Literals, ans, factorials and constants rewritten for the parser.
    preprocessExpression(LastAnswer{ansValue, ansSet}, expression, &line.origin);
    if (expression == L"ans" && !ansSet) return fail(line, msg::kAnsNotSet);
    applyAngleUnit(m_angleUnit, expression, &line.origin);
    return true;
}

void Interpreter::writeResult(Line& line, double value) {
    formatResult(value, *line.out, format.mode == NumberFormat::kAuto ? kLineMax : kResultMax, format, line.format);
    applyOutputBase(*line.out, outputBase);
    if (line.value) *line.value = value;
}

bool Interpreter::evaluate(Line& line) {
    m_engine.clearError();
    lmParser parser(&m_engine, &m_param);
    bool ok = false;
    if (line.expression.empty() || parser.init(line.expression) <= 0) {
        if (m_engine.errorReason != lmSyntaxReason::None)
            m_errorSpot = locateSyntaxError(line.typed, line.expression, line.origin, m_engine.errorPosition,
                                            m_engine.errorReason);
        ok = fail(line, msg::kInvalidExpression);
    } else if (line.mode == Mode::Expression) {
        const double result = parser.eval(kLetters, vars.varValue);
        if (m_engine.errorCode != 0) {
            const wchar_t* message = evaluationMessage();
            ok = failAt(line, message, 0, line.expression.size(),
                        message == msg::kInvalidExpression ? std::wstring(L"the value cannot be computed")
                                                           : std::wstring(message + 5));
        } else {
            writeResult(line, result);
            ansValue = result;
            ansSet = true;
            ok = true;
        }
    } else if (line.mode == Mode::Assignment) {
        ok = assign(line, parser);
    } else if (line.mode == Mode::Display) {
        if (line.target < 0) {  // resolveTarget finds set variables only
            ok = fail(line, msg::kVariableNotSet);
        } else {
            writeResult(line, vars.varValue[line.target]);
            ok = true;
        }
    } else {
        ok = solve(line, parser);
    }
    parser.release();
    return ok;
}

bool Interpreter::assign(Line& line, lmParser& parser) {
    // An evaluation error rejects the assignment, before any name is written.
    const double result = parser.eval(kLetters, vars.varValue);
    if (m_engine.errorCode != 0) return fail(line, evaluationMessage());
    const std::wstring& name = line.name;
    int target = line.target;
    if (target < 0 && name.size() == 1) {
        if (name[0] < L'a' || name[0] > L'z') return fail(line, msg::kInvalidName);
        target = name[0] - L'a';
        vars.varName[target] = name;
        ++vars.varCount;
    } else if (target < 0) {
        for (int k = 0; k < VariableStore::kSlots - 1 && target < 0; ++k)
            if (!vars.varSet[k]) target = k;
        if (target >= 0) vars.varName[target] = name;
        // With a..y in use the slot at index varCount is the target (kept within a..z), unnamed.
        else target = std::clamp(vars.varCount, 0, VariableStore::kSlots - 1);
        vars.varCount = std::min(vars.varCount + 1, static_cast<int>(VariableStore::kSlots));
    } else if (name.size() == 1 && vars.varName[target].size() > 1) {
        return fail(line, msg::kInvalidName);
    }
    vars.varValue[target] = result;
    writeResult(line, result);
    ansValue = result;
    ansSet = true;
    // tol and iter only set a solver parameter; their slot stays free.
    if (name == L"tol" || name == L"iter") {
        if (name == L"tol") m_param.setReltol(result);
        else m_param.setMaxiter(static_cast<int>(std::clamp(std::trunc(result), -2147483648.0, 2147483647.0)));
        vars.varName[target] = std::wstring(1, wchar_t(L'a' + target));
        vars.varSet[target] = false;
    } else {
        vars.varSet[target] = true;
    }
    return true;
}

bool Interpreter::solve(Line& line, lmParser& parser) {
    const double a = vars.varValue[0], b = vars.varValue[1];
    const ZeroSearch search = findZero(parser, m_param, a, b);
    const double x = search.x, y = search.y;
    m_solveNote = noZeroNote(search, std::min(a, b), std::max(a, b));
    if (line.value) *line.value = x;
    const int limit = format.mode == NumberFormat::kAuto ? kSolveNumberMax : 182;
    std::wstring xText, yText;
    formatResult(x, xText, limit, format, line.format);
    formatResult(y, yText, limit, format, line.format);
    vars.varValue[23] = x;
    vars.varSet[23] = true;
    vars.varValue[24] = y;
    vars.varSet[24] = true;
    *line.out = L"x = " + xText + L"   y = " + yText;
    return true;
}
