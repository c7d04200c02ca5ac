// SPDX-License-Identifier: MIT
// Our math library: parsing, evaluation, roots, number text.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

/// The 26 variable values a..z, in slot order.
using lmValues = std::array<double, 26>;

class lmParser;

/// Why init refused a text; the position of lmDelvo::errorPosition is where the reading stopped.
enum class lmSyntaxReason {
    None,
    MissingParenthesis,     ///< an opening parenthesis is never closed
    UnexpectedParenthesis,  ///< a parenthesis where none may stand ("()", "2)")
    UnknownName,            ///< a name that is no function, constant or variable
    CallExpected,           ///< a function's name without "(" ("sin+1")
    ValueExpected,          ///< an operator, a comma or the end where a value must follow
    OperatorExpected,       ///< a value, name or function right after a value ("2pi", "sin(1)cos(2)")
    UnexpectedComma,        ///< a comma outside a function's arguments
    TooManyArguments,       ///< a function given more arguments than it takes
    TooFewArguments,        ///< a function given fewer arguments than it takes
    UnexpectedCharacter,    ///< a character the grammar does not know
    Assignment,             ///< a single "=" inside an expression
    Other,                  ///< any other refusal
};

/// A value the functions refused to compute from their arguments (the result is then nan).
enum class lmValueProblem {
    None,
    NotWhole,    ///< a function of whole numbers was given a fraction (gcd, ncr, band ...)
    OutOfRange,  ///< a bit operation's operand or shift count is beyond 64 bits
};

/// The engine: error state and the prepared parser that every lmParser reuses (set up once, not per line).
class lmDelvo {
public:
    lmDelvo();
    ~lmDelvo();
    lmDelvo(const lmDelvo&) = delete;
    lmDelvo& operator=(const lmDelvo&) = delete;

    /// Sets the error code to 0, empties the three message texts and forgets the error position and reason.
    void clearError();
    /// Error code of the last evaluation; not 0 means failure.
    int errorCode = 0;
    /// Message texts (at most 255, 255 and 63 characters).
    std::wstring message1, message2, message3;
    /// Where init stopped reading the expression (index into its text), -1 when it did not fail.
    int errorPosition = -1;
    /// Why init refused the expression; None when it did not.
    lmSyntaxReason errorReason = lmSyntaxReason::None;
    /// Why the last evaluation set error code 2 through a function's arguments; None otherwise.
    lmValueProblem valueProblem = lmValueProblem::None;
    /// The extra integer setting that start-up sets to 0.
    int setting = 0;

    /// True when name (exact, case-sensitive) is one of the functions or constants the parser knows.
    bool knowsFunction(const std::wstring& name) const;
    /// Every function and constant name the parser knows, sorted.
    std::vector<std::wstring> functionNames() const;

    /// Where evalfx takes the values of the variables other than x from (null: all 0). Not owned.
    void setVariableSource(const lmValues* values) { m_variables = values; }
    const lmValues* variableSource() const { return m_variables; }

    struct Impl;
    Impl& impl() { return *m_impl; }
    const Impl& impl() const { return *m_impl; }

private:
    const lmValues* m_variables = nullptr;
    std::unique_ptr<Impl> m_impl;
};

/// Parameter record of the root finder.
class lmParam {
public:
    void setReltol(double reltol) { m_reltol = reltol; }
    double getReltol() const { return m_reltol; }
    void setMaxiter(int maxiter) { m_maxiter = maxiter; }
    int getMaxiter() const { return m_maxiter; }

    /// Byte flag cleared at start-up.
    unsigned char flag = 0;
    /// Function evaluations used by the last lm_solveFz; above the limit (or -1) means no root was found.
    int iterations = 0;
    /// The parser that the solve callback evaluates; null when none. Not owned.
    lmParser* parser = nullptr;
    /// The largest finite |f(x)| that the last lm_guessFz and the lm_solveFz after it met: the function's size
    /// on the interval, against which a residual |f(root)| is judged small or not.
    double valueScale = 0;

private:
    double m_reltol = 1e-6;
    int m_maxiter = 4096;
};

/// One expression: init, then eval or evalfx, then release. Never throws.
class lmParser {
public:
    /// engine is required; param may be null.
    lmParser(lmDelvo* engine, lmParam* param);
    ~lmParser();
    lmParser(const lmParser&) = delete;
    lmParser& operator=(const lmParser&) = delete;

    /// Parses the expression; above 0 means accepted. "name=" (display of a variable) is accepted.
    int init(const std::wstring& expression);
    /// Evaluates with the variables named by letters ("abc...z", not null) set to values; sets the engine's error
    /// code on failure.
    double eval(const char* letters, const lmValues& values);
    /// Evaluates the initialised expression with x set, the other variables from the engine's variable source.
    double evalfx(double x);
    /// Gives back what init took; the parser may then be deleted.
    void release();

    struct State;

private:
    std::unique_ptr<State> m_state;
};

/// Function of the root finder: evaluates param->parser at x (0 when it is null).
using lmSolveCallback = double (*)(double x, lmParam* param);

/// May narrow [a, b] in place to a sign-changing bracket; 1 when it found one (or a zero at an end), else 0.
/// Starts param->valueScale.
int lm_guessFz(lmSolveCallback f, double* a, double* b, lmParam* param);
/// Returns a root of f in [a, b]; sets param->iterations (see lmParam::iterations) and raises param->valueScale.
double lm_solveFz(lmSolveCallback f, double a, double b, lmParam* param);
/// True when the last lm_solveFz on param found a root (a sign change or an exact zero within the limit).
bool lm_solveSucceeded(const lmParam* param);
/// True when the last lm_solveFz on param stopped at the iteration limit before it found a root.
bool lm_solveRanOut(const lmParam* param);
/// The x of the smallest f in [a, b] (Brent's minimiser, at most param's iteration limit); *fmin gets f there.
/// nan when a or b is not finite.
double lm_minimizeFx(lmSolveCallback f, double a, double b, lmParam* param, double* fmin);

/// Removes blanks, tabs, carriage returns and line feeds in place; returns the new length.
int lm_removeSpace(std::wstring& text);
/// Writes value in automatic notation (at most 15 significant digits) into out, at most maxLength characters.
void lm_reformatAuto(double value, std::wstring& out, int maxLength);
/// Tidies a printf-formatted number in place ("3.500000000000" -> "3.5", "1.50000000e+10" -> "1.5e+10").
void lm_reformat(std::wstring& text, bool tidy = true);
/// The value of a decimal number text (0 when it does not start with a number).
double lm_toDouble(const std::wstring& text);
