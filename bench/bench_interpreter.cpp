// SPDX-License-Identifier: MIT
// evaluateLine latency (goal: median <= 10 us for the expression line). Run: build/bench/bench_interpreter
#include <benchmark/benchmark.h>

#include "engine/interpreter.h"

namespace {

void evaluate(benchmark::State& state, const std::wstring& line, bool setVariables) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    std::wstring out;
    if (setVariables) {
        interpreter.evaluateLine(L"a=3", &out);
        interpreter.evaluateLine(L"b=4", &out);
    }
    for (auto _ : state) {
        const bool ok = interpreter.evaluateLine(line, &out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_PlainNumber(benchmark::State& state) { evaluate(state, L"12345.678", false); }
void BM_Expression(benchmark::State& state) { evaluate(state, L"sin(0.5)*3+2^10/7+a*b", true); }
void BM_AssignLongName(benchmark::State& state) { evaluate(state, L"velocityoflight=299792458*1.5", false); }
void BM_Solve(benchmark::State& state) { evaluate(state, L"solve(x^2-2,0,3)", false); }
void BM_FixedCommand(benchmark::State& state) { evaluate(state, L"format auto", false); }

}  // namespace

BENCHMARK(BM_PlainNumber)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Expression)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_AssignLongName)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Solve)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FixedCommand)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
