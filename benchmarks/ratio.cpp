#include "ratio.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

namespace cartulo::bench {
namespace {

struct Pair {
    std::string name;
    std::string measured;
    std::string baseline;
    double target;
};

struct TimeBudget {
    std::string name;
    std::string measured;
    double seconds;
    double target;
};

// Function-local so that pairs declared in any translation unit's static
// initialisation find it constructed.
std::vector<Pair>& Pairs() {
    static std::vector<Pair> pairs;
    return pairs;
}

std::vector<TimeBudget>& Budgets() {
    static std::vector<TimeBudget> budgets;
    return budgets;
}

// The console reporter that also keeps each benchmark's real time per
// iteration, by family name: the median when repetitions were aggregated,
// otherwise each run's own.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.error_occurred || run.iterations == 0) {
                failed_.insert(name);
                continue;
            }
            // Accumulated over the iterations, for a median too.
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            if (run.run_type == Run::RT_Iteration) {
                seconds_[name].push_back(seconds);
            } else if (run.aggregate_name == "median") {
                medians_[name] = seconds;
            }
        }
    }

    std::optional<double> SecondsPerIteration(const std::string& name) const {
        if (failed_.contains(name)) return std::nullopt;
        if (auto median = medians_.find(name); median != medians_.end()) return median->second;
        auto it = seconds_.find(name);
        if (it == seconds_.end()) return std::nullopt;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }

    bool Ran(const std::string& name) const {
        return seconds_.contains(name) || medians_.contains(name) || failed_.contains(name);
    }
    bool AnyFailed() const { return !failed_.empty(); }

  private:
    std::map<std::string, std::vector<double>> seconds_;
    std::map<std::string, double> medians_;
    std::set<std::string> failed_;
};

}  // namespace

Ratio::Ratio(std::string name, std::string measured, std::string baseline, double target) {
    Pairs().push_back({std::move(name), std::move(measured), std::move(baseline), target});
}

Budget::Budget(std::string name, std::string measured, double milliseconds, double target) {
    Budgets().push_back({std::move(name), std::move(measured), milliseconds / 1000, target});
}

void Compared(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseRealTime()->Repetitions(3)->DisplayAggregatesOnly(true);
}

std::string RatioLine(std::string_view name, double value, double target) {
    std::ostringstream line;
    line << "ratio " << name << ' ' << std::fixed << std::setprecision(3) << value;
    line << std::defaultfloat << std::setprecision(6) << " target " << target;
    return line.str();
}

int RunWithRatios(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const bool color = isatty(STDOUT_FILENO) != 0;
    RecordingReporter reporter(color ? benchmark::ConsoleReporter::OO_ColorTabular
                                     : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const std::string filter = benchmark::GetBenchmarkFilter();
    const bool filtered = !(filter.empty() || filter == "." || filter == "all");
    benchmark::Shutdown();

    int status = reporter.AnyFailed() ? 1 : 0;
    std::vector<std::string> lines;
    for (const Pair& pair : Pairs()) {
        const bool measuredRan = reporter.Ran(pair.measured);
        const bool baselineRan = reporter.Ran(pair.baseline);
        if (!measuredRan && !baselineRan && filtered) continue;
        const auto measured = reporter.SecondsPerIteration(pair.measured);
        const auto baseline = reporter.SecondsPerIteration(pair.baseline);
        if (!measured || !baseline || *baseline <= 0) {
            std::cerr << "no ratio for " << pair.name << ": " << pair.measured << " and "
                      << pair.baseline << " must both run without error\n";
            status = 1;
            continue;
        }
        lines.push_back(RatioLine(pair.name, *measured / *baseline, pair.target));
    }
    for (const TimeBudget& budget : Budgets()) {
        if (!reporter.Ran(budget.measured) && filtered) continue;
        const auto measured = reporter.SecondsPerIteration(budget.measured);
        if (!measured || budget.seconds <= 0) {
            std::cerr << "no ratio for " << budget.name << ": " << budget.measured
                      << " must run without error\n";
            status = 1;
            continue;
        }
        lines.push_back(RatioLine(budget.name, *measured / budget.seconds, budget.target));
    }
    for (const std::string& line : lines) std::cout << line << '\n';
    return status;
}

}  // namespace cartulo::bench
