// Benchmarks that are compared with a baseline measured in the same run.
// After the runs, each pair becomes one line "ratio NAME VALUE target TARGET",
// VALUE being measured / baseline real time per iteration (lower is better).
// A benchmark may also be held to a fixed time budget (a display frame), its
// VALUE then being its real time per iteration / the budget.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace cartulo::bench {

// Declares a pair by the benchmarks' registered names. Meant for namespace
// scope: `const Ratio kOpen{"open_20mb", "BM_OpenFile", "BM_ReadBytes", 3};`
struct Ratio {
    Ratio(std::string name, std::string measured, std::string baseline, double target);
};

// Declares a budget: `const Budget kFrame{"frame_20k", "BM_Frame", 16, 1};`
// gives "ratio frame_20k MS/16 target 1".
struct Budget {
    Budget(std::string name, std::string measured, double milliseconds, double target);
};

// Settings for both sides of a pair: real time, and the median of three
// repetitions so that one disturbed repetition does not decide the ratio.
// Use as `BENCHMARK(BM_Open)->Apply(Compared);`.
void Compared(benchmark::internal::Benchmark* benchmark);

// "ratio NAME VALUE target TARGET"
std::string RatioLine(std::string_view name, double value, double target);

// Runs the benchmarks selected on the command line with the usual console
// output, then prints the ratio line of every pair whose two sides ran and
// of every budget whose benchmark ran. Non-zero when a benchmark failed or a
// pair ran only one side.
int RunWithRatios(int argc, char** argv);

}  // namespace cartulo::bench
