// SPDX-License-Identifier: MIT
// The command interpreter: one line in, one reply out. GUI-free.
#pragma once

#include <string>

#include "engine/angle_unit.h"
#include "engine/error_spot.h"
#include "engine/number_format.h"
#include "engine/user_functions.h"
#include "engine/variable_store.h"
#include "libs/math/lm_math.h"

class PlotHost;
class WindowCommands;

/// True when the whole text is one of the fixed commands (cls, format ..., unset ..., set?, ...), any case.
bool isFixedCommand(const std::wstring& text);

/// The interpreter and its state: variables, last answer, formats, base, verbose, plot.
class Interpreter {
public:
    /// Longest reply and line: 383 characters (a 384-character buffer with its terminator).
    static constexpr int kLineMax = 383;
    /// Longest line accepted, before and after the ";".
    static constexpr int kEntryMax = 379;
    /// Longest expression text after the scan.
    static constexpr int kScanMax = 377;
    /// Longest expression given to the parser.
    static constexpr int kExpressionMax = 250;
    /// Longest result text in the fixed, exponent and int notations (auto: kLineMax).
    static constexpr int kResultMax = 380;

    /// Creates the engine and parameter record (tolerance 1e-6, 4096 iterations) and empties the store.
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    /// Interprets one line; out receives the reply (at most 383 characters). False: rejected or failed.
    bool evaluateLine(const std::wstring& line, std::wstring* out, double* value = nullptr,
                      const std::wstring* format = nullptr);

    /// The solver dialog's routine: a zero of function (in x) between lower and upper with this interpreter's
    /// engine and parameters, looking at no more than kEntryMax characters of the function. Gives the text the
    /// dialog shows, "x = ...\ny = ..." or a message; x and y receive the zero.
    std::wstring solveFunction(const std::wstring& function, double lower, double upper, double* x, double* y);

    /// Where and why the last evaluateLine failed, in the line it was given (start -1 when not known).
    const ErrorSpot& errorSpot() const { return m_errorSpot; }
    /// Why the solve of the last evaluateLine found no root ("no root here: ..."), to show beside its reply;
    /// empty when it found one or the line was no solve.
    const std::wstring& solveNote() const { return m_solveNote; }

    /// Empties the variable store and forgets the last answer (start-up).
    void resetVariableStore();

    /// The main window, or null (batch mode): cls, help, save and exit then do nothing.
    void setWindowCommands(WindowCommands* window) { m_window = window; }
    /// The plot windows, or null: plot then answers "   ! cannot create plot".
    void setPlotHost(PlotHost* plots) { m_plots = plots; }

    /// The unit of the angle functions; radians at start, changed by "deg", "rad" and "grad".
    AngleUnit angleUnit() const { return m_angleUnit; }
    void setAngleUnit(AngleUnit unit) { m_angleUnit = unit; }

    /// The user's functions (name, parameters, body) in the order they were first defined.
    const UserFunctions& functions() const { return m_functions; }
    /// Removes the user function of that name (any case); false when there is none.
    bool removeFunction(const std::wstring& name) { return m_functions.remove(name); }

    /// The text the math library evaluates for a function of x as typed in the solver dialog (or handed to a
    /// plot): blanks removed, user functions written out, literals, ans and constants rewritten, the angle unit
    /// applied. False, with the console's message in message, when it names an unknown function, calls one
    /// with the wrong number of arguments or grows too long.
    bool expandFunction(const std::wstring& text, std::wstring& expanded, std::wstring& message) const;

    lmDelvo& engine() { return m_engine; }
    const lmDelvo& engine() const { return m_engine; }
    lmParam& param() { return m_param; }

    bool verbose = true;
    /// 0 fixed/exponent, 1 auto, 9 int; formats of mode 0.
    NumberFormat format;
    int outputBase = 10;
    VariableStore vars;
    double ansValue = 0;
    bool ansSet = false;
    int plotId = 0;

private:
    struct Line;
    bool run(Line& line);
    bool fail(Line& line, const wchar_t* message);
    /// Fails like fail() and notes the spot of expression characters [begin, end).
    bool failAt(Line& line, const wchar_t* message, size_t begin, size_t end, const std::wstring& reason);
    /// The fixed commands; true when the text was one (result in *result).
    bool fixedCommand(Line& line, bool* result);
    /// Writes out the user functions a line calls; false: failed (message written).
    bool expandLine(Line& line);
    /// Fails with an expansion's message and spot.
    bool failExpansion(Line& line, const ExpansionError& error);
    /// "name(p1,...)=body": checks and stores the function.
    bool defineFunction(Line& line, const DefinitionHead& head);
    /// The body with "(1)" for each parameter reads as an expression; false: failed (message written).
    bool checkBody(Line& line, const UserFunction& function, size_t bodyAt);
    /// The message of a failed evaluation: the function's refusal of its arguments, or invalid expression.
    const wchar_t* evaluationMessage() const;
    bool plotCommand(Line& line);
    bool startSolveCommand(Line& line);
    /// Notes where the parser stops in a plot command's function text, whose characters came from origin.
    void locateInCommand(Line& line, const std::wstring& function, const TextOrigin& origin);
    /// The normalisation scan and the plain number; true when the call is finished.
    bool scanLine(Line& line, bool* result);
    /// Mode, names, preprocessing. False: failed (message written).
    bool prepareExpression(Line& line);
    /// Evaluation by mode.
    bool evaluate(Line& line);
    bool assign(Line& line, lmParser& parser);
    bool solve(Line& line, lmParser& parser);
    void writeResult(Line& line, double value);

    lmDelvo m_engine;
    lmParam m_param;
    UserFunctions m_functions;
    AngleUnit m_angleUnit = AngleUnit::Radians;
    WindowCommands* m_window = nullptr;
    PlotHost* m_plots = nullptr;
    ErrorSpot m_errorSpot;
    std::wstring m_solveNote;
};
