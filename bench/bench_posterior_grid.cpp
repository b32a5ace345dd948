// Grid nodes per second of the posterior integration on the Nile and
// seat-belt set-ups: every node is one objective evaluation, and the loops
// around it add nothing else (no allocation, no reporting).
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "app/session.h"
#include "base/ui/form.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "evaluate/posterior_integration.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

using bench::SilentUi;

// Integrates over the grid parameters `grid` (with steps `steps`) at n
// points of `evaluated`, m grid points each.
void Integrate(benchmark::State& state, TfnSetup setup, const std::function<void(AlgorithmData&)>& start,
               int evaluated, double step, std::vector<int> grid, std::vector<double> steps, int n,
               int m) {
  SilentUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);
  start(session.Algorithm);
  BuildFuseGroups(session.Algorithm, session.Fuse);
  const Objective objective = session.MakeObjective();

  PosteriorGridSpec spec;
  spec.EvaluatedParameter = static_cast<std::int16_t>(evaluated);
  spec.Centre = session.Algorithm.Values[evaluated];
  spec.Step = step;
  spec.PointCount = static_cast<std::int16_t>(n);
  spec.GridPointCount = static_cast<std::int16_t>(m);
  spec.GridParameterCount = static_cast<int>(grid.size());
  for (std::size_t i = 0; i < grid.size(); ++i) {
    spec.GridParameter[i] = static_cast<std::int16_t>(grid[i]);
    spec.GridCentre[i] = session.Algorithm.Values[grid[i]];
    spec.GridStep[i] = steps[i];
  }
  OneBased<double> P = session.Algorithm.Values;
  spec.ReferenceObjective = objective.Evaluate(P, 1, false);
  PosteriorGridResult result;
  result.Prepare(spec);
  OneBased<double> work = session.Algorithm.Values;
  PosteriorGridProgress quiet;
  std::int64_t nodes = 0;
  for (auto _ : state) {
    IntegratePosterior(objective, spec, session.Algorithm.Values, work, quiet, result);
    nodes += result.EvaluationCount;
  }
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes/run"] = static_cast<double>(result.EvaluationCount);
}

// Phi(1) of the Nile fit at 5 points, integrated over the intercept and
// the step at 1899 on a 25 x 25 grid: 3125 nodes a run.
void BM_NilePosteriorGrid(benchmark::State& state) {
  Integrate(
      state, testing::NileSetup(),
      [](AlgorithmData& data) {
        const double values[] = {0.5, 0, 1097, 1899, 1, -242, 0, 0};
        for (int i = 1; i <= 8; ++i) data.Values[i] = values[i - 1];
      },
      1, 0.02, {3, 6}, {6.0, 8.0}, 5, 25);
}
BENCHMARK(BM_NilePosteriorGrid)->Unit(benchmark::kMillisecond);

// Phi(1) of the seat-belt model at 5 points over the first intercept on 25
// grid points: 125 nodes a run.
void BM_SeatBeltPosteriorGrid(benchmark::State& state) {
  const TfnSetup setup = testing::SeatBeltSetup();
  const ParameterLayout layout(setup);
  Integrate(
      state, setup,
      [&](AlgorithmData& data) {
        data.Values[layout.Phi(1)] = 0.3;
        data.Values[layout.Phi(2)] = -0.2;
        data.Values[layout.Theta(1)] = 0.5;
      },
      layout.Phi(1), 0.02, {layout.Intercept(1)}, {1.0}, 5, 25);
}
BENCHMARK(BM_SeatBeltPosteriorGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
