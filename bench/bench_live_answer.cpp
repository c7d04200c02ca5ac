// SPDX-License-Identifier: MIT
// The live answer while typing (goal: median <= 50 us per keystroke for a 100-character line).
// Each iteration types the line one character at a time, as a user does, after a change of the
// interpreter's state, so no keystroke finds an answer kept from an earlier iteration.
// Run: build/bench/bench_live_answer
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/interpreter.h"
#include "engine/live_answer.h"

namespace {

// 100 characters, a realistic line: functions, powers, constants, nested parentheses.
const std::wstring kLine =
    L"sqrt(3^2+4^2)*sin(pi/6)+ln(10)/log(100)-abs(-2.5)*cos(0.5)+exp(1.5)-atan2(1,2)*gamma(4.5)+hypot(3,4)";

double percentile(std::vector<double>& samples, double fraction) {
    const size_t at = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(at), samples.end());
    return samples[at];
}

void typeLine(benchmark::State& state, const std::wstring& line) {
    Interpreter interpreter;
    interpreter.format.mode = NumberFormat::kAuto;
    LiveAnswer live;
    std::wstring out;
    std::vector<double> samples;
    double stateChange = 0;
    for (auto _ : state) {
        state.PauseTiming();
        interpreter.vars.varValue[25] = ++stateChange;  // a new state: nothing is found in the cache
        state.ResumeTiming();
        for (size_t typed = 1; typed <= line.size(); ++typed) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(live.answer(interpreter, line.substr(0, typed), &out));
            const auto stop = std::chrono::steady_clock::now();
            samples.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }
    state.counters["keystroke_median_us"] = percentile(samples, 0.5);
    state.counters["keystroke_p90_us"] = percentile(samples, 0.9);
    state.counters["keystroke_max_us"] = percentile(samples, 1.0);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}

/// The complete line, answered cold: one full parse and evaluation.
void BM_WholeLine(benchmark::State& state) {
    Interpreter interpreter;
    LiveAnswer live;
    std::wstring out;
    const std::wstring& line = kLine;
    double stateChange = 0;
    for (auto _ : state) {
        interpreter.vars.varValue[25] = ++stateChange;
        benchmark::DoNotOptimize(live.answer(interpreter, line, &out));
    }
}

/// The same line again with nothing changed: what a caret move or a repaint costs.
void BM_Unchanged(benchmark::State& state) {
    Interpreter interpreter;
    LiveAnswer live;
    std::wstring out;
    const std::wstring& line = kLine;
    for (auto _ : state) benchmark::DoNotOptimize(live.answer(interpreter, line, &out));
}

// 100 characters with no parentheses: most prefixes are complete expressions and are parsed in full.
const std::wstring kFlatLine =
    L"1.25*2.5+3.75*4.5-5.25/6.5+7.75*8.5-9.25/1.5+2.75*3.5-4.25/5.5+6.75*7.5-8.25/9.5+1.75*2.25-3.125*4.5";

void BM_TypeLine(benchmark::State& state) { typeLine(state, kLine); }
void BM_TypeFlatLine(benchmark::State& state) { typeLine(state, kFlatLine); }

}  // namespace

BENCHMARK(BM_TypeLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeFlatLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Unchanged)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
