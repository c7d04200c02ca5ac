// SPDX-License-Identifier: MIT
// lmParser: one expression on the engine's shared muParser (set per line, never rebuilt).
#include "libs/math/lm_engine_impl.h"

#include <algorithm>
#include <exception>

namespace {

// Error codes of lmDelvo::errorCode (docs/functions.md).
constexpr int kErrorSyntax = 1;      // init refused the text
constexpr int kErrorEvaluation = 2;  // muParser or a function failed while evaluating
constexpr int kErrorNotReady = 3;    // eval/evalfx without an accepted expression

constexpr size_t kMessageLength = 255;
constexpr size_t kShortMessageLength = 63;

std::wstring toWide(const std::string& text, size_t limit) {
    std::wstring wide;
    for (char c : text.substr(0, limit)) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

/// The ASCII text of expression; false for non-ASCII or NUL characters.
bool toAscii(const std::wstring& expression, std::string& text) {
    text.clear();
    text.reserve(expression.size());
    for (wchar_t c : expression) {
        if (c <= 0 || c > 127) return false;
        text.push_back(static_cast<char>(c));
    }
    return true;
}

/// "name=" (the interpreter's display form): letters, digits or '_' and one '=' at the end.
bool isDisplayForm(const std::string& text) {
    if (text.size() < 2 || text.back() != '=') return false;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        const bool nameChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!nameChar) return false;
    }
    return true;
}

/// muParser's assignment "=" would write into the engine's variables; only ==, !=, <=, >= are ours.
/// The position of the first single "=", or -1.
int assignmentPosition(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') continue;
        const char before = i > 0 ? text[i - 1] : '\0';
        if (before == '=' || before == '!' || before == '<' || before == '>') continue;
        if (i + 1 < text.size() && text[i + 1] == '=') {
            ++i;
            continue;
        }
        return static_cast<int>(i);
    }
    return -1;
}

/// The first comma outside parentheses: where a second result begins ("1,2").
int topLevelComma(const std::string& text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        else if (text[i] == ')') --depth;
        else if (text[i] == ',' && depth <= 0) return static_cast<int>(i);
    }
    return static_cast<int>(text.size());  // GCOVR_EXCL_LINE: docs/quality.md, what no test reaches
}

/// The first character that is not ASCII (or is NUL); there is one, toAscii refused the text.
int firstForeignCharacter(const std::wstring& expression) {
    const auto foreign =
        std::find_if(expression.begin(), expression.end(), [](wchar_t c) { return c <= 0 || c > 127; });
    return static_cast<int>(foreign - expression.begin());
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

/// A name the parser does not take at position: a function written without "(" right after a value
/// ("2pi") wants an operator, elsewhere ("sin+1") its parentheses; any other name is unknown.
lmSyntaxReason nameReason(const mu::ParserBase& parser, const std::string& text, size_t position) {
    size_t end = position;
    while (end < text.size() && isNameChar(text[end])) ++end;
    if (parser.GetFunDef().count(text.substr(position, end - position)) == 0) return lmSyntaxReason::UnknownName;
    const char before = position > 0 ? text[position - 1] : '\0';
    const bool afterValue = (before >= '0' && before <= '9') || before == '.' || before == ')';
    return afterValue ? lmSyntaxReason::OperatorExpected : lmSyntaxReason::CallExpected;
}

/// Our reason for one of muParser's error codes at a position of text.
lmSyntaxReason reasonOf(const mu::ParserBase& parser, const mu::ParserError& error, const std::string& text) {
    const int position = error.GetPos();
    const char at = position >= 0 && static_cast<size_t>(position) < text.size() ? text[static_cast<size_t>(position)] : '\0';
    switch (error.GetCode()) {
    case mu::ecUNASSIGNABLE_TOKEN:
        return isNameChar(at) ? nameReason(parser, text, static_cast<size_t>(position))
                              : lmSyntaxReason::UnexpectedCharacter;
    case mu::ecUNEXPECTED_OPERATOR:
    case mu::ecUNEXPECTED_EOF:
    case mu::ecVAL_EXPECTED:
    case mu::ecINTERNAL_ERROR:  // an operator left without its values ("1++")
        return lmSyntaxReason::ValueExpected;
    case mu::ecUNEXPECTED_ARG_SEP:
        return lmSyntaxReason::UnexpectedComma;
    case mu::ecUNEXPECTED_ARG:
    case mu::ecTOO_MANY_PARAMS:
        return lmSyntaxReason::TooManyArguments;
    case mu::ecTOO_FEW_PARAMS:
        return lmSyntaxReason::TooFewArguments;
    case mu::ecUNEXPECTED_VAL:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
        return lmSyntaxReason::OperatorExpected;
    case mu::ecUNEXPECTED_PARENS:
        return lmSyntaxReason::UnexpectedParenthesis;
    case mu::ecMISSING_PARENS:
        return lmSyntaxReason::MissingParenthesis;
    case mu::ecINVALID_CHARACTERS_FOUND:
    case mu::ecMISPLACED_COLON:
    case mu::ecUNEXPECTED_STR:
    case mu::ecUNTERMINATED_STRING:
        return lmSyntaxReason::UnexpectedCharacter;
    default:
        return lmSyntaxReason::Other;
    }
}

}  // namespace

struct lmParser::State {
    lmDelvo* engine = nullptr;
    lmParam* param = nullptr;
    std::string expression;
    /// An expression was accepted and can be evaluated.
    bool ready = false;

    void reportError(int code, const mu::ParserError& error) const {
        engine->errorCode = code;
        if (code == kErrorSyntax) {
            engine->errorPosition = error.GetPos() < 0 ? 0 : error.GetPos();
            engine->errorReason = reasonOf(engine->impl().parser, error, expression);
        }
        engine->message1 = toWide(error.GetMsg(), kMessageLength);
        engine->message2 = toWide(error.GetExpr(), kMessageLength);
        engine->message3 = toWide(error.GetToken(), kShortMessageLength);
    }

    void reportError(int code, const char* message) const {
        engine->errorCode = code;
        engine->message1 = toWide(message, kMessageLength);
    }

    /// A refusal of init found by our own checks, at a position of the text.
    void reportSyntax(const char* message, int position, lmSyntaxReason reason) const {
        reportError(kErrorSyntax, message);
        engine->errorPosition = position;
        engine->errorReason = reason;
    }

    /// Sets this expression into the shared parser unless it is already there.
    void makeCurrent() const {
        lmDelvo::Impl& impl = engine->impl();
        if (impl.owner != this) {
            impl.parser.SetExpr(expression);
            impl.owner = this;
        }
    }

    double evaluate() const {
        try {
            makeCurrent();
            lmValueProblem& problem = engine->impl().problem;
            problem = lmValueProblem::None;
            const double value = engine->impl().parser.Eval();
            if (problem != lmValueProblem::None) {
                reportError(kErrorEvaluation, "a function refused its arguments");
                engine->valueProblem = problem;
            }
            return value;
        } catch (const mu::ParserError& error) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
            reportError(kErrorEvaluation, error);
        } catch (const std::exception& error) {
            reportError(kErrorEvaluation, error.what());
        } catch (...) {
            reportError(kErrorEvaluation, "evaluation failed");
        }
        return 0.0;
        // GCOVR_EXCL_STOP
    }
};

lmParser::lmParser(lmDelvo* engine, lmParam* param) : m_state(std::make_unique<State>()) {
    m_state->engine = engine;
    m_state->param = param;
}

lmParser::~lmParser() {
    release();
}

int lmParser::init(const std::wstring& expression) {
    release();
    State& state = *m_state;
    if (!state.engine->impl().ready) return 0;
    if (!toAscii(expression, state.expression)) {
        state.reportSyntax("invalid character", firstForeignCharacter(expression), lmSyntaxReason::UnexpectedCharacter);
        return 0;
    }
    if (state.expression.empty()) return 0;
    // The display form is accepted without evaluation: the display command does not evaluate it.
    if (isDisplayForm(state.expression)) return 1;
    if (const int at = assignmentPosition(state.expression); at >= 0) {
        state.reportSyntax("assignment is not an expression", at, lmSyntaxReason::Assignment);
        return 0;
    }
    lmDelvo::Impl& impl = state.engine->impl();
    try {
        impl.parser.SetExpr(state.expression);
        impl.owner = &state;
        // muParser parses on the first Eval; errors of the text (and of argument counts) show here.
        impl.parser.Eval();
        if (impl.parser.GetNumResults() != 1) {
            impl.owner = nullptr;
            state.reportSyntax("more than one result", topLevelComma(state.expression), lmSyntaxReason::UnexpectedComma);
            return 0;
        }
    } catch (const mu::ParserError& error) {
        impl.owner = nullptr;
        state.reportError(kErrorSyntax, error);
        return 0;
    } catch (const std::exception& error) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        impl.owner = nullptr;
        state.reportSyntax(error.what(), 0, lmSyntaxReason::Other);
        return 0;
    } catch (...) {
        impl.owner = nullptr;
        state.reportSyntax("invalid expression", 0, lmSyntaxReason::Other);
        return 0;
    }  // GCOVR_EXCL_STOP
    state.ready = true;
    return 1;
}

double lmParser::eval(const char* letters, const lmValues& values) {
    const State& state = *m_state;
    if (!state.ready) {
        state.reportError(kErrorNotReady, "no expression");
        return 0.0;
    }
    lmValues& variables = state.engine->impl().variables;
    for (const char* letter = letters; *letter != '\0'; ++letter) {
        if (*letter >= 'a' && *letter <= 'z') {
            const auto slot = static_cast<size_t>(*letter - 'a');
            variables[slot] = values[slot];
        }
    }
    return state.evaluate();
}

double lmParser::evalfx(double x) {
    const State& state = *m_state;
    if (!state.ready) {
        state.reportError(kErrorNotReady, "no expression");
        return 0.0;
    }
    lmValues& variables = state.engine->impl().variables;
    const lmValues* source = state.engine->variableSource();
    if (source != nullptr) {
        variables = *source;
    } else {
        variables.fill(0.0);
    }
    variables['x' - 'a'] = x;
    return state.evaluate();
}

void lmParser::release() {
    State& state = *m_state;
    if (state.engine->impl().owner == &state) state.engine->impl().owner = nullptr;
    state.ready = false;
    state.expression.clear();
}
