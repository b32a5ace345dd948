// The cost of the prior term that every objective evaluation adds while
// priors are active: one prior on each of the 28 parameters of the seat-belt
// model, the eight non-uniform types in turn, and the all-uniform table.
#include <benchmark/benchmark.h>

#include <string>

#include "priors/evaluate_priors.h"

namespace quorvane {
namespace {

constexpr int kSeatBeltParameters = 28;

PriorTable EveryTypeTable() {
  PriorTable table;
  table.Reset(kSeatBeltParameters);
  const char types[] = {'N', 'G', 'B', 'L', 'S', 'D', 'T', 'E'};
  for (int i = 0; i < kSeatBeltParameters; ++i) {
    PriorRow& row = table.Rows[static_cast<std::size_t>(i)];
    row.Type = std::string(1, types[i % 8]);
    row.FirstTerm = 0.5;
    row.SecondTerm = 0.1;
    if (row.Type == "T") {
      row.FirstTerm = 0.0;
      row.SetThirdTerm("1");
      row.SetFourthTerm("0.1");
    }
  }
  return table;
}

void Run(benchmark::State& state, const PriorTable& table) {
  OneBased<double> P(kSeatBeltParameters, 0.4);
  std::vector<double> terms(kSeatBeltParameters);
  for (auto _ : state) {
    P[1] += 1e-12;  // a minimiser's next point
    benchmark::DoNotOptimize(EvaluatePriors(table, P, 1.0, terms));
  }
  state.counters["evaluations/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PriorsOnEverySeatBeltParameter(benchmark::State& state) { Run(state, EveryTypeTable()); }
BENCHMARK(BM_PriorsOnEverySeatBeltParameter);

void BM_AllUniformSeatBeltPriors(benchmark::State& state) {
  PriorTable table;
  table.Reset(kSeatBeltParameters);
  Run(state, table);
}
BENCHMARK(BM_AllUniformSeatBeltPriors);

}  // namespace
}  // namespace quorvane
