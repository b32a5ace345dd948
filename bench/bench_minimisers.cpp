// Time to converge: Simplex and Marquardt (numerical derivatives) on the
// Nile and seat-belt set-ups, from the same starting points each time.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_run.h"
#include "app/session.h"
#include "base/ui/form.h"
#include "tfn/parameter_layout.h"
#include "support/example_setups.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

using bench::SilentUi;

// The starting values and steps of examples/nile.alg.
void NileStart(AlgorithmData& data, const TfnSetup&) {
  const double values[] = {0.3, 0, 1100, 1899, 1, -200, 0, 0};
  const double steps[] = {0.05, 0, 20, 0, 0, 20, 0, 0};
  for (int i = 1; i <= 8; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
}

// ARMA(2,1) noise, the three intercepts and each covariate's Omega(0).
void SeatBeltStart(AlgorithmData& data, const TfnSetup& s) {
  const ParameterLayout layout(s);
  for (int j : {layout.Phi(1), layout.Phi(2), layout.Theta(1)}) data.Steps[j] = 0.1;
  for (int g = 1; g <= 3; ++g) data.Steps[layout.Intercept(g)] = 1;
  for (int c = 1; c <= 3; ++c) data.Steps[layout.BlockOmega(layout.CovariateBase(c), 0)] = 1;
}

using Start = void (*)(AlgorithmData&, const TfnSetup&);
using Search = void (*)(Session&);

void SimplexSearch(Session& session) {
  session.Simplex.Exists = false;
  RunSimplex(session);
}

void MarquardtSearch(Session& session) {
  session.MarquardtView().DerivativeChoice = DerivativeKind::Numerical;
  session.MarquardtView().ShowDerivatives = false;
  RunMarquardt(session);
}

void Converge(benchmark::State& state, TfnSetup (*makeSetup)(), Start start, Search search) {
  SilentUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  const TfnSetup setup = makeSetup();
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);
  session.Algorithm.Tolerance = 1e-8;
  session.Algorithm.MaxFunctionCalls = 200000;
  session.Algorithm.TerminalFrequency = 0;
  std::int64_t calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    start(session.Algorithm, setup);
    BuildFuseGroups(session.Algorithm, session.Fuse);
    BuildFreeParameterList(session.Algorithm, session.Free);
    session.FunctionCallCount = 0;
    state.ResumeTiming();
    search(session);
    calls += session.FunctionCallCount;
  }
  state.counters["call count"] = benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
  OneBased<double> P = session.Algorithm.Values;
  state.counters["-ln[L]"] = EvaluateObjective(session, P, 2, false);
}

void BM_NileSimplex(benchmark::State& state) { Converge(state, testing::NileSetup, NileStart, SimplexSearch); }
void BM_NileMarquardt(benchmark::State& state) { Converge(state, testing::NileSetup, NileStart, MarquardtSearch); }
void BM_SeatBeltSimplex(benchmark::State& state) { Converge(state, [] { return testing::SeatBeltSetup(true); }, SeatBeltStart, SimplexSearch); }
void BM_SeatBeltMarquardt(benchmark::State& state) { Converge(state, [] { return testing::SeatBeltSetup(true); }, SeatBeltStart, MarquardtSearch); }
BENCHMARK(BM_NileSimplex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NileMarquardt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeatBeltSimplex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeatBeltMarquardt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
