// Posterior-grid nodes per second on the seat-belt set-up with 1, 2 and all
// worker threads (the argument; 0 stands for the number of cores). Every
// node is one objective evaluation on a worker; this thread takes the
// values in order and sums them, as the posterior grid does. The CPU
// column is the whole process's, so its ratio to the real time shows how
// many cores the run actually had (on a busy machine, fewer than asked).
#include <benchmark/benchmark.h>

#include <string>
#include <thread>

#include "app/session.h"
#include "core/fuse_groups.h"
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
void BM_SeatBeltThreadedPosteriorGrid(benchmark::State& state) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  const int threads = state.range(0) > 0 ? static_cast<int>(state.range(0)) : (cores > 0 ? cores : 1);
  bench::SilentUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
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
  const Objective objective = session.MakeObjective();

  PosteriorGridSpec spec;
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
  PosteriorGridResult result;
  result.Prepare(spec);
  OneBased<double> work = data.Values;
  PosteriorGridProgress quiet;
  std::int64_t nodes = 0;
  for (auto _ : state) {
    IntegratePosterior(objective, spec, data.Values, work, quiet, result, threads);
    nodes += result.EvaluationCount;
  }
  state.SetLabel(std::to_string(threads) + " thread" + (threads == 1 ? "" : "s"));
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes/run"] = static_cast<double>(result.EvaluationCount);
}
BENCHMARK(BM_SeatBeltThreadedPosteriorGrid)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace quorvane
