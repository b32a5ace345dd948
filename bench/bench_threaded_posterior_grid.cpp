// Posterior-grid nodes per second on the seat-belt set-up with 1, 2 and all
// worker threads (the argument; 0 stands for the number of cores). Every
// node is one objective evaluation on a worker; this thread takes the
// values in order and sums them, as the posterior grid does. The CPU
// column is the whole process's, so its ratio to the real time shows how
// many cores the run actually had (on a busy machine, fewer than asked).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "app/session.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model_outputs.h"
#include "core/objective.h"
#include "core/model_set_up.h"
#include "evaluate/posterior_integration.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

// Phi(1) of the seat-belt model at 5 points over the first two intercepts
// on 25 grid points each: 3125 nodes a run.
struct SeatBeltGrid {
  SeatBeltGrid() : session(ui, &app.Model()) {
    app.Attach(session);
    const TfnSetup setup = testing::SeatBeltSetup();
    const ParameterLayout layout(setup);
    app.Model().SetPendingSetup(setup);
    SetUpModel(session);
    AlgorithmData& data = session.Algorithm;
    data.Values[layout.Phi(1)] = 0.3;
    data.Values[layout.Phi(2)] = -0.2;
    data.Values[layout.Theta(1)] = 0.5;
    BuildFuseGroups(data, session.Fuse);
    spec.EvaluatedParameter = static_cast<std::int16_t>(layout.Phi(1));
    spec.Centre = data.Values[layout.Phi(1)];
    spec.Step = 0.02;
    spec.PointCount = 5;
    spec.GridPointCount = 25;
    spec.GridParameterCount = 2;
    for (int i = 0; i < 2; ++i) {
      spec.GridParameter[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(layout.Intercept(i + 1));
      spec.GridCentre[static_cast<std::size_t>(i)] = data.Values[layout.Intercept(i + 1)];
      spec.GridStep[static_cast<std::size_t>(i)] = 1.0;
    }
    OneBased<double> P = data.Values;
    spec.ReferenceObjective = objective.Evaluate(P, 1, false);
  }
  bench::SilentUi ui;
  TfnApplication app;
  Session session;
  Objective objective = session.MakeObjective();
  PosteriorGridSpec spec;
};

void BM_SeatBeltThreadedPosteriorGrid(benchmark::State& state) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  const int threads = state.range(0) > 0 ? static_cast<int>(state.range(0)) : (cores > 0 ? cores : 1);
  SeatBeltGrid grid;
  const AlgorithmData& data = grid.session.Algorithm;
  PosteriorGridResult result;
  result.Prepare(grid.spec);
  OneBased<double> work = data.Values;
  PosteriorGridProgress quiet;
  std::int64_t nodes = 0;
  for (auto _ : state) {
    IntegratePosterior(grid.objective, grid.spec, data.Values, work, quiet, result, threads);
    nodes += result.EvaluationCount;
  }
  state.SetLabel(std::to_string(threads) + " thread" + (threads == 1 ? "" : "s"));
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes/run"] = static_cast<double>(result.EvaluationCount);
}
BENCHMARK(BM_SeatBeltThreadedPosteriorGrid)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The same nodes evaluated one after another on this thread the way a
// worker evaluates them: on a copy of the model, with no events pumped, no
// order checks and no best evaluation kept. One thread of the grid above
// does all of that at every node, so this is what the threads' speed-up is
// fairly measured against.
void BM_SeatBeltGridNodesOnAModelCopy(benchmark::State& state) {
  SeatBeltGrid grid;
  const std::unique_ptr<Model> copy = grid.objective.model().CopyForEvaluation();
  AlgorithmData data = grid.objective.data();
  const FuseGroups groups = grid.objective.groups();
  const AppState appState = grid.objective.state();
  ModelOutputs outputs;
  const PriorTerm noPrior;
  const Objective onCopy(*copy, data, groups, appState, outputs, noPrior);
  const PosteriorGridSpec& spec = grid.spec;
  OneBased<double> P = data.Values;
  std::int64_t nodes = 0;
  double sum = 0.0;
  for (auto _ : state) {
    for (int p = 1; p <= spec.PointCount; ++p)
      for (int i = 1; i <= spec.GridPointCount; ++i)
        for (int j = 1; j <= spec.GridPointCount; ++j) {
          std::copy(grid.session.Algorithm.Values.begin(), grid.session.Algorithm.Values.end(), P.begin());
          P[spec.EvaluatedParameter] = spec.Centre + (p - 3) * spec.Step;
          P[spec.GridParameter[0]] = spec.GridCentre[0] + (i - 13) * spec.GridStep[0];
          P[spec.GridParameter[1]] = spec.GridCentre[1] + (j - 13) * spec.GridStep[1];
          sum += std::exp(-(onCopy.Evaluate(P, 1, true) - spec.ReferenceObjective));
          ++nodes;
        }
  }
  benchmark::DoNotOptimize(sum);
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SeatBeltGridNodesOnAModelCopy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace quorvane
