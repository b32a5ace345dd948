// The threaded grids with 1 and 2 worker threads (the argument; 0 stands
// for the number of cores) in the same run:
//   - the Lake Huron posterior grid, a cheap model (98 periods, about 2 us
//     an evaluation): 25 points of Phi(1) integrated over 25 points each of
//     Phi(2), the intercept and the trend, 390,625 nodes a run;
//   - the three seat-belt covariance grids, an expensive model (three
//     series of 192 months with covariates), 16 parameters varied;
//   - the seat-belt posterior grid, 3125 nodes a run, and the same nodes
//     evaluated one after another on a bare model copy.
// Each run goes through the status reporting of the real windows, with a
// user interface that shows nothing. The times are real (wall-clock)
// times, and the CPU column is the whole process's, so its ratio to the
// real time shows how many cores a run actually had (on a busy machine,
// fewer than asked).
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "app/session.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model_outputs.h"
#include "core/model_set_up.h"
#include "core/objective.h"
#include "covariance/covariance_results.h"
#include "covariance/hessian_grid.h"
#include "evaluate/posterior_grid_status.h"
#include "evaluate/posterior_integration.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

int ThreadsOf(const benchmark::State& state) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return state.range(0) > 0 ? static_cast<int>(state.range(0)) : (cores > 0 ? cores : 1);
}

void LabelThreads(benchmark::State& state, int threads) {
  state.SetLabel(std::to_string(threads) + " thread" + (threads == 1 ? "" : "s"));
}

// A session with the time-series model set up as `setup`.
struct ModelSession {
  explicit ModelSession(const TfnSetup& setup) : session(ui, &app.Model()) {
    app.Attach(session);
    app.Model().SetPendingSetup(setup);
    SetUpModel(session);
  }
  bench::SilentUi ui;
  TfnApplication app;
  Session session;
};

// The Lake Huron posterior of Phi(1) at the estimates of AR(2) noise, an
// intercept and a linear trend from 1875, each grid step a third of the
// parameter's standard error (covariance grid 3), as the steps taken from
// the covariances give them for 25 points: the grid spans +-4 standard
// errors.
struct LakeHuronPosterior : ModelSession {
  LakeHuronPosterior() : ModelSession(testing::LakeHuronSetup()) {
    const ParameterLayout layout(testing::LakeHuronSetup());
    AlgorithmData& data = session.Algorithm;
    data.Values[layout.Phi(1)] = 1.0049859;
    data.Values[layout.Phi(2)] = -0.29143467;
    data.Values[layout.Intercept(1)] = 580.09136;
    const int trend = layout.InterventionBase(1);
    data.Values[trend + 1] = 1875;  // starting period
    data.Values[trend + 2] = 3;     // linear trend
    data.Values[layout.BlockOmega(trend, 0)] = -0.021571156;
    BuildFuseGroups(data, session.Fuse);
    spec.EvaluatedParameter = static_cast<std::int16_t>(layout.Phi(1));
    spec.Centre = data.Values[layout.Phi(1)];
    spec.Step = 0.097620956 / 3;
    spec.PointCount = 25;
    spec.GridPointCount = 25;
    spec.GridParameterCount = 3;
    const int grid[] = {layout.Phi(2), layout.Intercept(1), layout.BlockOmega(trend, 0)};
    const double se[] = {0.10033382, 0.46368671, 0.0080997062};
    for (int i = 0; i < 3; ++i) {
      const auto k = static_cast<std::size_t>(i);
      spec.GridParameter[k] = static_cast<std::int16_t>(grid[i]);
      spec.GridCentre[k] = data.Values[grid[i]];
      spec.GridStep[k] = se[i] / 3;
    }
    OneBased<double> P = data.Values;
    spec.ReferenceObjective = objective.Evaluate(P, 1, false);
  }
  Objective objective = session.MakeObjective();
  PosteriorGridSpec spec;
};

// Integrates the posterior of `Grid` on the benchmark's thread count and
// reports the nodes a second and a run.
template <class Grid>
void RunPosteriorGrid(benchmark::State& state) {
  const int threads = ThreadsOf(state);
  Grid grid;
  const AlgorithmData& data = grid.session.Algorithm;
  PosteriorGridResult result;
  result.Prepare(grid.spec);
  OneBased<double> work = data.Values;
  bool interrupt = false;
  std::int64_t nodes = 0;
  for (auto _ : state) {
    PosteriorGridStatus status(grid.ui, interrupt, grid.spec);
    IntegratePosterior(grid.objective, grid.spec, data.Values, work, status, result, threads);
    nodes += result.EvaluationCount;
  }
  LabelThreads(state, threads);
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes/run"] = static_cast<double>(result.EvaluationCount);
}

void BM_LakeHuronPosteriorGrid(benchmark::State& state) { RunPosteriorGrid<LakeHuronPosterior>(state); }
BENCHMARK(BM_LakeHuronPosteriorGrid)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The seat-belt model with the logits estimated, at its default values
// with ARMA(2,2) noise moved off 0; varied: Phi(1), Phi(2), Theta(1),
// Theta(2), the three intercepts, and Omega(0), Omega(1) and Delta(1) of
// each covariate: 16 parameters, 272 evaluations a grid.
struct SeatBeltCovariance : ModelSession {
  SeatBeltCovariance() : ModelSession(testing::SeatBeltSetup(true)) {
    const ParameterLayout layout(testing::SeatBeltSetup(true));
    AlgorithmData& data = session.Algorithm;
    data.Values[layout.Phi(1)] = 0.3;
    data.Values[layout.Phi(2)] = -0.2;
    data.Values[layout.Theta(1)] = 0.5;
    data.Values[layout.Theta(2)] = 0.1;
    for (int j : {layout.Phi(1), layout.Phi(2), layout.Theta(1), layout.Theta(2)}) data.Steps[j] = 0.05;
    for (int g = 1; g <= 3; ++g) data.Steps[layout.Intercept(g)] = 1;
    for (int c = 1; c <= 3; ++c) {
      const int base = layout.CovariateBase(c);
      data.Steps[layout.BlockOmega(base, 0)] = 1;
      data.Steps[layout.BlockOmega(base, 1)] = 1;
      data.Steps[layout.BlockDelta(base, 1)] = 0.05;
    }
    BuildFuseGroups(data, session.Fuse);
    cov.CovValues = data.Values;
    cov.CovSteps = data.Steps;
    cov.CovSlot.assign(data.ParameterCount, 0);
    for (int p = 1; p <= data.ParameterCount; ++p)
      if (data.Steps[p] != 0.0) {
        cov.CovIndex.push_back(p);
        cov.CovSlot[p] = cov.CovIndex.size();
      }
    cov.nCov = cov.CovIndex.size();
    OneBased<double> centre = cov.CovValues;
    cov.CovCenter = objective.Evaluate(centre, 1, true);
  }
  Objective objective = session.MakeObjective();
  CovarianceResults cov;
};

void BM_SeatBeltCovarianceGrids(benchmark::State& state) {
  const int threads = ThreadsOf(state);
  SeatBeltCovariance grids;
  Ui& ui = grids.ui;
  const auto start = std::chrono::steady_clock::now();
  // The hooks of the covariance window, to a user interface that shows nothing.
  GridHooks hooks;
  hooks.status = [&ui](int panel, const std::string& text) { ui.SetStatusPanel(5, panel, text); };
  hooks.append = [](const std::string&) {};
  hooks.pump = [&ui] { ui.PumpEvents(); };
  hooks.progress = [&ui](double fraction) { ui.SetProgress(fraction); };
  hooks.seconds = [start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  hooks.interruptPending = [] { return false; };
  hooks.quitGrid = [] { return false; };
  std::int64_t nodes = 0;
  for (auto _ : state) {
    for (int g = 1; g <= 3; ++g) {
      const GridOutcome grid = ComputeGrid(grids.objective, grids.cov, g, true, hooks, threads);
      benchmark::DoNotOptimize(grid.Mean);
      nodes += static_cast<std::int64_t>(grids.cov.nCov) * (grids.cov.nCov + 1);
    }
  }
  LabelThreads(state, threads);
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nCov"] = grids.cov.nCov;
}
BENCHMARK(BM_SeatBeltCovarianceGrids)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Phi(1) of the seat-belt model at 5 points over the first two intercepts
// on 25 grid points each: 3125 nodes a run.
struct SeatBeltPosterior : ModelSession {
  SeatBeltPosterior() : ModelSession(testing::SeatBeltSetup()) {
    const ParameterLayout layout(testing::SeatBeltSetup());
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
  Objective objective = session.MakeObjective();
  PosteriorGridSpec spec;
};

void BM_SeatBeltPosteriorGrid(benchmark::State& state) { RunPosteriorGrid<SeatBeltPosterior>(state); }
BENCHMARK(BM_SeatBeltPosteriorGrid)->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The nodes of a posterior grid evaluated one after another on this
// thread the way a worker evaluates them: on a copy of the model, with no
// events pumped, no order checks and no best evaluation kept. One thread
// of the grids above does all of that at every node, so this is what the
// threads' speed-up is fairly measured against.
void EvaluateNodesOnAModelCopy(benchmark::State& state, const Objective& objective,
                               const OneBased<double>& values, const PosteriorGridSpec& spec) {
  const std::unique_ptr<Model> copy = objective.model().CopyForEvaluation();
  AlgorithmData data = objective.data();
  const FuseGroups groups = objective.groups();
  const AppState appState = objective.state();
  ModelOutputs outputs;
  const PriorTerm noPrior;
  const Objective onCopy(*copy, data, groups, appState, outputs, noPrior);
  const int k = spec.GridParameterCount;
  const int m = spec.GridPointCount;
  const int middle = (m - 1) / 2 + 1;
  OneBased<double> P = values;
  std::int64_t nodes = 0;
  double sum = 0.0;
  for (auto _ : state) {
    for (int p = 1; p <= spec.PointCount; ++p) {
      // The grid points of the k levels as an odometer, the last level fastest.
      std::array<int, kMaxGridParameters> j{};
      j.fill(1);
      while (true) {
        std::copy(values.begin(), values.end(), P.begin());
        P[spec.EvaluatedParameter] = spec.Centre - ((spec.PointCount - 1) / 2 + 1 - p) * spec.Step;
        for (int level = 0; level < k; ++level) {
          const auto i = static_cast<std::size_t>(level);
          P[spec.GridParameter[i]] = spec.GridCentre[i] - (middle - j[i]) * spec.GridStep[i];
        }
        sum += std::exp(-(onCopy.Evaluate(P, 1, true) - spec.ReferenceObjective));
        ++nodes;
        int level = k - 1;
        while (level >= 0 && j[static_cast<std::size_t>(level)] == m) j[static_cast<std::size_t>(level--)] = 1;
        if (level < 0) break;
        ++j[static_cast<std::size_t>(level)];
      }
    }
  }
  benchmark::DoNotOptimize(sum);
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void BM_LakeHuronGridNodesOnAModelCopy(benchmark::State& state) {
  const LakeHuronPosterior grid;
  EvaluateNodesOnAModelCopy(state, grid.objective, grid.session.Algorithm.Values, grid.spec);
}
BENCHMARK(BM_LakeHuronGridNodesOnAModelCopy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_SeatBeltGridNodesOnAModelCopy(benchmark::State& state) {
  const SeatBeltPosterior grid;
  EvaluateNodesOnAModelCopy(state, grid.objective, grid.session.Algorithm.Values, grid.spec);
}
BENCHMARK(BM_SeatBeltGridNodesOnAModelCopy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace quorvane
