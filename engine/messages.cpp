// SPDX-License-Identifier: MIT
#include "engine/messages.h"

#include "engine/interpreter.h"
#include "engine/plot_solve.h"
#include "engine/user_functions.h"

namespace {

std::wstring n(long long number) { return std::to_wstring(number); }

}  // namespace

const std::vector<MessageEntry>& engineMessages() {
    using P = MessagePlace;
    using F = UserFunctions;
    static const std::vector<MessageEntry> table = {
        {msg::kEmptyExpression, P::Reply,
         L"A statement holds nothing to compute: only a comment, an assignment without a value (\"=3\"), a function "
         L"definition without a body.",
         L"Type the expression, or remove the stray \"=\" or \"#\"."},
        {msg::kTooLong, P::Reply,
         L"A statement is longer than " + n(Interpreter::kEntryMax) +
             L" characters, or its expression (the statement, or what follows the \"=\" of an assignment) holds "
             L"more than " +
             n(Interpreter::kExpressionMax) + L" characters without its blanks, or more than " +
             n(Interpreter::kScanMax) + L" once your functions in it are written out.",
         L"Split the calculation: \"t = first part\", then \"t * second part\"."},
        {msg::kContainsQuote, P::Reply, L"The line holds a double quote (\").",
         L"Remove it; plot and solve take their function in single quotes, if at all."},
        {msg::kVariableNotSet, P::Reply,
         L"A letter or name that has no value is used (x only in a solve); \"q=\" for a variable never assigned; "
         L"\"set?\" with no variable in use.",
         L"Assign it first (\"q = 2\"), or correct the name; the underline shows which one."},
        {msg::kNameTooLong, P::Reply,
         L"The name before \"=\" has " + n(VariableStore::kMaxNameLength + 1) + L" characters or more.",
         L"Use a name of at most " + n(VariableStore::kMaxNameLength) + L" letters and digits."},
        {msg::kNameReserved, P::Reply,
         L"An assignment to pi, a constant (_c), ans or a command word (reset, format, deg ...), or a function "
         L"of your own named after a built-in one.",
         L"Choose another name."},
        {msg::kInvalidName, P::Reply,
         L"The name before \"=\" does not begin with a letter or holds other characters than letters and digits "
         L"(\"2a=1\", \"a_b=1\", also \"1<=2\", where \"=\" reads as an assignment); or a letter is assigned whose "
         L"place a longer name holds.",
         L"Use letters and digits, a letter first; compare with \"==\", \"<\" and \">\"."},
        {msg::kInvalidExpression, P::Reply,
         L"The expression cannot be read or computed: a missing parenthesis or operand, an unknown name, a "
         L"solve without x.",
         L"Rest the mouse on the underline, or press F2 there, for the reason."},
        {msg::kAnsNotSet, P::Reply, L"\"ans\" is used before any result.", L"Compute something first."},
        {msg::kNoMemory, P::Reply, L"The system ran out of memory.", L"Close other programs and try again."},
        {msg::kPlotSyntax, P::Reply, L"\"plot(\" is not followed by a function, a comma or \")\".",
         L"Write plot(f(x)), plot(f(x), xmin, xmax) or plot(f(x), xmin, xmax, points)."},
        {msg::kPlotInterval, P::Reply, L"xmin or xmax is missing or not a plain number, or xmax is not above xmin.",
         L"Give two numbers, the smaller first: plot(x^2, -3, 3)."},
        {msg::kPlotPoints, P::Reply,
         L"The point count is not a whole number from 1 to " + n(kPlotPointsAskedMax) + L", or more follows it.",
         L"Give a whole number; counts below " + n(kPlotPointsMin) + L" and above " + n(kPlotPointsMax) +
             L" are taken as " + n(kPlotPointsMin) + L" and " + n(kPlotPointsMax) + L"."},
        {msg::kCannotPlot, P::Reply, L"No plot window can be opened: in batch mode, or without a display.",
         L"Plot in the window."},
        {msg::kInvalidPlot, P::Reply, L"The plot window cannot read the function.",
         L"Check the function: it must be an expression in x that the console accepts."},
        {msg::kSolveSyntax, P::Reply, L"\"solve(\" is not followed by a function, a comma or \")\".",
         L"Write solve(f(x)) or solve(f(x), a, b)."},
        {msg::kSolveInterval, P::Reply, L"a or b is missing or not a plain number, or b is not above a.",
         L"Give two numbers, the smaller first: solve(x^2-2, 0, 3)."},
        {msg::kUnknownFunction, P::Reply, L"A name followed by \"(\" is no function, built-in or your own.",
         L"Check the spelling; Insert > More Functions lists them all."},
        {msg::kArgumentCount, P::Reply, L"Your function is called with more or fewer arguments than it has parameters.",
         L"fun? shows its definition."},
        {msg::kRecursiveFunction, P::Reply, L"A definition calls itself, directly or through another function.",
         L"Write the body out without the call."},
        {msg::kTooManyFunctions, P::Reply, n(F::kMaxFunctions) + L" functions of your own exist already.",
         L"Remove one with \"unset name\"."},
        {msg::kParameterCount, P::Reply, L"A definition has no parameter or more than " + n(F::kMaxParameters) + L".",
         L"Give 1 to " + n(F::kMaxParameters) + L": f(x, y) = x*y."},
        {msg::kInvalidParameter, P::Reply,
         L"A parameter is named twice, or after a function, constant or command word.", L"Choose other names."},
        {msg::kFunctionNameTooLong, P::Reply,
         L"A function's name has " + n(F::kMaxNameLength + 1) + L" characters or more.",
         L"Use at most " + n(F::kMaxNameLength) + L"."},
        {msg::kNoFunction, P::Reply, L"\"fun?\" while no function of your own exists.", L"Define one: f(x) = x^2+1."},
        {msg::kNotWhole, P::Reply, L"gcd, lcm, ncr, npr or a bit operation is given a fraction.",
         L"Round first: gcd(round(a), 6)."},
        {msg::kOutOfRange, P::Reply,
         L"A bit operation is given a number outside -2^63 to 2^64-1, or a shift count outside 0 to 63.",
         L"Keep the operands within 64 bits."},
        {msg::kDone, P::Reply, L"A command that has no value succeeded (verbose mode).", L"Nothing."},
        {msg::kAnglesIn, P::Reply, L"deg, rad, grad or Options > Angle chose the angle unit (verbose mode).",
         L"Nothing; angle? tells the unit at any time."},
        {msg::kNoRootNoSignChange, P::SolveNote,
         L"The solve answered, but f has the same sign at every point the search tried: there may be no root "
         L"there, or two close together.",
         L"Plot f to see where it crosses 0 and solve on an interval around that place."},
        {msg::kNoRootAcrossPole, P::SolveNote,
         L"f changes sign on the interval only where it is not continuous, as 1/x does at 0.",
         L"Choose an interval on one side of the pole."},
        {msg::kNoRootJump, P::SolveNote,
         L"The search closed in on a place where f jumps over 0 (a pole or a step, such as floor(x)-0.5).",
         L"There is no root at that place; look elsewhere."},
        {msg::kNoRootIterations, P::SolveNote, L"The iteration limit ended the search before it converged.",
         L"Raise it (iter=10000) or narrow the interval."},
        {msg::kEmptyFunction, P::SolverDialog, L"The function field is empty or holds blanks only.",
         L"Type a function of x."},
        {msg::kNoX, P::SolverDialog, L"The function holds no lower-case x.", L"Write it in x: x^2-2."},
        {msg::kInvalidInterval, P::SolverDialog, L"The two ends of the interval are equal, or nearly so.",
         L"Give an interval: -10 and 10."},
        {msg::kInvalidFunction, P::SolverDialog, L"The function cannot be read.",
         L"Try it in the console first: the underline shows where it goes wrong."},
        {msg::kNoRealSolution, P::SolverDialog,
         L"No zero was found on the interval, for the reasons the console "
         L"gives in its note under a solve.",
         L"Plot the function; solve on an interval where it crosses 0."},
    };
    return table;
}

std::wstring fillMessage(const std::wstring& pattern, std::initializer_list<std::wstring> values) {
    std::wstring text;
    auto value = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t close = pattern[i] == L'{' ? pattern.find(L'}', i) : std::wstring::npos;
        if (close == std::wstring::npos || value == values.end()) {
            text += pattern[i];
            continue;
        }
        text += *value++;
        i = close;
    }
    return text;
}
