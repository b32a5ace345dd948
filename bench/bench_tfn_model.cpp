// Objective evaluations per second of the time-series model on the example
// data: every minimisation, grid and profile is a loop of these calls.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_model.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using ModelCall = testing::TfnModelHarness;

void RunEvaluations(benchmark::State& state, ModelCall& call) {
  call.Evaluate(1);
  std::int32_t NF = 2;
  for (auto _ : state) {
    call.P[3] += 1e-9;  // a minimiser's next point
    benchmark::DoNotOptimize(call.Evaluate(NF++));
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["evaluations/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The Nile flow 1871-1970: AR(1) noise, an intercept and a step at 1899.
void BM_NileEvaluation(benchmark::State& state) {
  const TfnSetup s = testing::NileSetup();
  ModelCall call;
  call.SetUp(s);
  call.P[1] = 0.4;
  call.STP[1] = 0.05;
  call.P[3] = 1100;
  call.STP[3] = 10;
  call.P[4] = 1899;
  call.P[5] = 1;
  call.P[6] = -250;
  call.STP[6] = 10;
  RunEvaluations(state, call);
}
BENCHMARK(BM_NileEvaluation);

// The seat-belt casualties: three series in three groups, first
// differences, ARMA(2,1) noise, petrol price and distance as transfer
// functions and the law as an intervention series.
void BM_SeatBeltEvaluation(benchmark::State& state) {
  const TfnSetup s = testing::SeatBeltSetup();
  ModelCall call;
  call.SetUp(s);
  const ParameterLayout layout(s);
  call.P[layout.Phi(1)] = 0.3;
  call.P[layout.Phi(2)] = -0.2;
  call.P[layout.Theta(1)] = 0.5;
  for (int j : {layout.Phi(1), layout.Phi(2), layout.Theta(1)}) call.STP[j] = 0.05;
  for (int c = 1; c <= 3; ++c) {
    const int omega0 = layout.BlockOmega(layout.CovariateBase(c), 0);
    call.P[omega0] = -1.0;
    call.STP[omega0] = 0.1;
  }
  RunEvaluations(state, call);
}
BENCHMARK(BM_SeatBeltEvaluation);

// The presidents' approval ratings, 120 quarters with 6 missing, AR(1)
// around a mean: the exact likelihood of the values present (the filter
// with the missing values) against the missing values counted as zero noise
// (the fast recursions), in the same run.
void PresidentsEvaluation(benchmark::State& state, MissingValueTreatment treatment) {
  TfnSetup s;
  s.Response = {testing::ExamplePath("presidents.dat"), 1, 120, 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  s.MissingValues = treatment;
  ModelCall call;
  call.SetUp(s);
  call.P[1] = 0.8;
  call.STP[1] = 0.05;
  call.P[3] = 56;
  call.STP[3] = 1;
  RunEvaluations(state, call);
}
void BM_PresidentsExactEvaluation(benchmark::State& state) {
  PresidentsEvaluation(state, MissingValueTreatment::ExactLikelihood);
}
void BM_PresidentsZeroNoiseEvaluation(benchmark::State& state) {
  PresidentsEvaluation(state, MissingValueTreatment::ZeroNoise);
}
BENCHMARK(BM_PresidentsExactEvaluation);
BENCHMARK(BM_PresidentsZeroNoiseEvaluation);

}  // namespace
}  // namespace quorvane
