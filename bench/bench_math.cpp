// SPDX-License-Identifier: MIT
// Benchmarks of the math library: plot sampling, one interpreter line, root finding (evaluations per problem).
#include "libs/math/lm_math.h"

#include <benchmark/benchmark.h>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";
constexpr int kPlotPoints = 131072;  // the plot's largest sampling

// (1) evalfx over the plot's largest sampling.
void BM_EvalfxPlotSampling(benchmark::State& state)
{
    lmDelvo engine;
    lmParam param;
    lmValues store{};
    store[0] = 0.5;
    engine.setVariableSource(&store);
    lmParser parser(&engine, &param);
    if (parser.init(L"sin(x)*x^2+a*cos(3*x)/(1+x^2)") <= 0) {
        state.SkipWithError("init failed");
        return;
    }
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPlotPoints; ++i) {
            sum += parser.evalfx(-4.0 + 8.0 * i / (kPlotPoints - 1));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["ns_per_point"] = benchmark::Counter(static_cast<double>(state.iterations()) * kPlotPoints,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EvalfxPlotSampling)->Unit(benchmark::kMillisecond);

// (2) One interpreter line: a fresh lmParser, init, eval, release.
void BM_InitEvalLine(benchmark::State& state)
{
    lmDelvo engine;
    lmParam param;
    lmValues values{};
    values[0] = 2;
    values[1] = 3;
    for (auto _ : state) {
        lmParser parser(&engine, &param);
        engine.clearError();
        const int accepted = parser.init(L"sin(0.5)*3+2^10/7+a*b");
        benchmark::DoNotOptimize(accepted);
        benchmark::DoNotOptimize(parser.eval(kLetters, values));
        parser.release();
    }
}
BENCHMARK(BM_InitEvalLine)->Unit(benchmark::kMicrosecond);

// Typical console lines in turn (each init parses anew, as distinct lines do).
void BM_InitEvalTypicalLines(benchmark::State& state)
{
    const std::wstring lines[] = {L"1+2", L"sqrt(2)", L"a*b+c", L"sin(pi()/4)^2+cos(pi()/4)^2",
                                  L"fact(10)/fact(8)", L"2^0.5*_c()", L"(1+2)*(3+4)/5"};
    lmDelvo engine;
    lmParam param;
    lmValues values{};
    size_t next = 0;
    for (auto _ : state) {
        lmParser parser(&engine, &param);
        engine.clearError();
        const int accepted = parser.init(lines[next]);
        benchmark::DoNotOptimize(accepted);
        benchmark::DoNotOptimize(parser.eval(kLetters, values));
        parser.release();
        next = (next + 1) % std::size(lines);
    }
}
BENCHMARK(BM_InitEvalTypicalLines)->Unit(benchmark::kMicrosecond);

// What the engine's one-time set-up costs (the reason it is not done per line).
void BM_EngineConstruction(benchmark::State& state)
{
    for (auto _ : state) {
        lmDelvo engine;
        benchmark::DoNotOptimize(&engine);
    }
}
BENCHMARK(BM_EngineConstruction)->Unit(benchmark::kMicrosecond);

// (3) Root finding on the test problems of Alefeld, Potra and Shi (ACM TOMS 21(3), 1995, Algorithm 748, Table I).

struct Problem {
    int family;
    double a, b;     // bracket
    double n;        // integer parameter
    double p, q;     // real parameters (family 3: a, b; family 4: a, exponent)
};

double evaluateProblem(const Problem& pr, double x)
{
    const double n = pr.n;
    switch (pr.family) {
    case 1:
        return std::sin(x) - x / 2;
    case 2: {
        double sum = 0;
        for (int i = 1; i <= 20; ++i) {
            const double d = x - i * i;
            sum += (2.0 * i - 5) * (2.0 * i - 5) / (d * d * d);
        }
        return -2 * sum;
    }
    case 3:
        return pr.p * x * std::exp(pr.q * x);
    case 4:
        return std::pow(x, pr.q) - pr.p;
    case 5:
        return std::sin(x) - 0.5;
    case 6:
        return 2 * x * std::exp(-n) - 2 * std::exp(-n * x) + 1;
    case 7:
        return (1 + (1 - n) * (1 - n)) * x - (1 - n * x) * (1 - n * x);
    case 8:
        return x * x - std::pow(1 - x, n);
    case 9:
        return (1 + std::pow(1 - n, 4)) * x - std::pow(1 - n * x, 4);
    case 10:
        return std::exp(-n * x) * (x - 1) + std::pow(x, n);
    case 11:
        return (n * x - 1) / ((n - 1) * x);
    case 12:
        return std::pow(x, 1 / n) - std::pow(n, 1 / n);
    case 13:
        return x == 0 ? 0 : x * std::exp(-1 / (x * x));
    case 14:
        return x >= 0 ? n / 20 * (x / 1.5 + std::sin(x) - 1) : -n / 20;
    case 15: {
        if (x < 0) return -0.859;
        if (x <= 2e-3 / (1 + n)) return std::exp((n + 1) / 2 * 1000 * x) - 1.859;
        return std::exp(1.0) - 1.859;
    }
    default:
        return 0;
    }
}

std::vector<Problem> apsProblems()
{
    const double pi = 3.141592653589793;
    std::vector<Problem> set;
    set.push_back({1, pi / 2, pi, 0, 0, 0});
    for (int n = 1; n <= 10; ++n) set.push_back({2, n * n + 1e-9, (n + 1) * (n + 1) - 1e-9, double(n), 0, 0});
    for (auto ab : {std::pair{-40.0, -1.0}, {-100.0, -2.0}, {-200.0, -3.0}}) set.push_back({3, -9, 31, 0, ab.first, ab.second});
    for (double a : {0.2, 1.0}) {
        for (int n = 4; n <= 12; n += 2) set.push_back({4, 0, 5, 0, a, double(n)});
    }
    for (int n = 8; n <= 14; n += 2) set.push_back({4, -0.95, 4.05, 0, 1, double(n)});
    set.push_back({5, 0, 1.5, 0, 0, 0});
    for (int n : {1, 2, 3, 4, 5, 20, 40, 60, 80, 100}) set.push_back({6, 0, 1, double(n), 0, 0});
    for (int n : {5, 10, 20}) set.push_back({7, 0, 1, double(n), 0, 0});
    for (int n : {2, 5, 10, 15, 20}) set.push_back({8, 0, 1, double(n), 0, 0});
    for (int n : {1, 2, 4, 5, 8, 15, 20}) set.push_back({9, 0, 1, double(n), 0, 0});
    for (int n : {1, 5, 10, 15, 20}) set.push_back({10, 0, 1, double(n), 0, 0});
    for (int n : {2, 5, 15, 20}) set.push_back({11, 0.01, 1, double(n), 0, 0});
    for (int n = 2; n <= 6; ++n) set.push_back({12, 1, 100, double(n), 0, 0});
    for (int n = 7; n <= 33; n += 2) set.push_back({12, 1, 100, double(n), 0, 0});
    set.push_back({13, -1, 4, 0, 0, 0});
    for (int n = 1; n <= 40; ++n) set.push_back({14, -1e4, pi / 2, double(n), 0, 0});
    for (int n = 20; n <= 40; ++n) set.push_back({15, -1e4, 1e-4, double(n), 0, 0});
    for (int n = 100; n <= 1000; n += 100) set.push_back({15, -1e4, 1e-4, double(n), 0, 0});
    return set;
}

/// The library's parameter record with the problem attached (the callback gets only the record).
struct ProblemParam : lmParam {
    const Problem* problem = nullptr;
    long evaluations = 0;
};

double problemCallback(double x, lmParam* param)
{
    auto* p = static_cast<ProblemParam*>(param);
    ++p->evaluations;
    return evaluateProblem(*p->problem, x);
}

/// The library's termination rule (bracket width against reltol), so that all methods stop alike.
struct SameTolerance {
    double reltol;
    bool operator()(double a, double b) const
    {
        const double smaller = std::min(std::fabs(a), std::fabs(b));
        const double larger = std::max(std::fabs(a), std::fabs(b));
        return std::fabs(b - a) <= std::max({reltol * smaller, 4 * DBL_EPSILON * larger, DBL_MIN});
    }
};

struct Outcome {
    long evaluations = 0;
    bool converged = false;
};

Outcome solveOurs(const Problem& pr, double reltol, int limit)
{
    ProblemParam param;
    param.problem = &pr;
    param.setReltol(reltol);
    param.setMaxiter(limit);
    double a = pr.a;
    double b = pr.b;
    lm_guessFz(problemCallback, &a, &b, &param);
    lm_solveFz(problemCallback, a, b, &param);
    return {param.evaluations, lm_solveSucceeded(&param)};
}

Outcome solveBoost(const Problem& pr, double reltol, int limit)
{
    long count = 0;
    std::uintmax_t iterations = static_cast<std::uintmax_t>(limit);
    const SameTolerance tolerance{reltol};
    const auto result = boost::math::tools::toms748_solve(
        [&](double x) {
            ++count;
            return evaluateProblem(pr, x);
        },
        pr.a, pr.b, tolerance, iterations);
    return {count, result.first == result.second || tolerance(result.first, result.second)};
}

Outcome solveBisection(const Problem& pr, double reltol, int limit)
{
    const SameTolerance tolerance{reltol};
    long count = 2;
    double a = pr.a;
    double b = pr.b;
    double fa = evaluateProblem(pr, a);
    const double fb = evaluateProblem(pr, b);
    if (fa == 0 || fb == 0) return {count, true};
    while (!tolerance(a, b) && count < limit) {
        const double m = a + (b - a) / 2;
        const double fm = evaluateProblem(pr, m);
        ++count;
        if (fm == 0) return {count, true};
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return {count, tolerance(a, b)};
}

void printRootFinderTable()
{
    const std::vector<Problem> problems = apsProblems();
    const int limit = 4096;
    std::printf("Root finding: function evaluations on the Alefeld-Potra-Shi problems (%zu problems, limit %d)\n",
                problems.size(), limit);
    for (double reltol : {1e-6, 1e-12}) {
        std::printf("\nreltol %g\n%-7s %5s | %14s | %14s | %14s\n", reltol, "family", "count", "ours guess+solve",
                    "boost toms748", "bisection");
        long total[3] = {0, 0, 0};
        int failed[3] = {0, 0, 0};
        for (int family = 1; family <= 15; ++family) {
            long sum[3] = {0, 0, 0};
            int count = 0;
            for (const Problem& pr : problems) {
                if (pr.family != family) continue;
                ++count;
                const Outcome outcomes[3] = {solveOurs(pr, reltol, limit), solveBoost(pr, reltol, limit),
                                             solveBisection(pr, reltol, limit)};
                for (int m = 0; m < 3; ++m) {
                    sum[m] += outcomes[m].evaluations;
                    failed[m] += outcomes[m].converged ? 0 : 1;
                }
            }
            std::printf("%-7d %5d | %16.1f | %14.1f | %14.1f\n", family, count, double(sum[0]) / count,
                        double(sum[1]) / count, double(sum[2]) / count);
            for (int m = 0; m < 3; ++m) total[m] += sum[m];
        }
        std::printf("%-7s %5zu | %16ld | %14ld | %14ld   (total evaluations)\n", "all", problems.size(), total[0],
                    total[1], total[2]);
        std::printf("%-7s %5s | %16d | %14d | %14d   (not converged)\n", "failed", "", failed[0], failed[1],
                    failed[2]);
    }
    std::printf("\n");
}

// Time of the whole problem set through lm_guessFz + lm_solveFz.
void BM_SolveApsSet(benchmark::State& state)
{
    const std::vector<Problem> problems = apsProblems();
    for (auto _ : state) {
        long evaluations = 0;
        for (const Problem& pr : problems) evaluations += solveOurs(pr, 1e-6, 4096).evaluations;
        benchmark::DoNotOptimize(evaluations);
    }
}
BENCHMARK(BM_SolveApsSet)->Unit(benchmark::kMicrosecond);

double parserCallback(double x, lmParam* param)
{
    return param->parser != nullptr ? param->parser->evalfx(x) : 0.0;
}

// A console solve: x^2-2 over the default interval [-10, 10] through the parser.
void BM_SolveParsedDefaultInterval(benchmark::State& state)
{
    lmDelvo engine;
    lmParam param;
    lmParser parser(&engine, &param);
    if (parser.init(L"x^2-2") <= 0) {
        state.SkipWithError("init failed");
        return;
    }
    param.parser = &parser;
    for (auto _ : state) {
        double a = -10;
        double b = 10;
        lm_guessFz(parserCallback, &a, &b, &param);
        benchmark::DoNotOptimize(lm_solveFz(parserCallback, a, b, &param));
    }
    state.counters["iterations"] = param.iterations;
}
BENCHMARK(BM_SolveParsedDefaultInterval)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    printRootFinderTable();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
