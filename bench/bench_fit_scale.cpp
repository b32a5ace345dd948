// How the cost of a fit grows with the length of the series: simulated
// ARMA(1,1) and ARMA(2,1) series of 100 to 1,000,000 points around a mean
// of 5, written once with a fixed seed as series data files, then
//   BM_Likelihood: the exact likelihood alone, on the simulated series with
//                  the coefficients the model passes it (p = q = m);
//   BM_Evaluation: one objective evaluation of the whole model near the
//                  estimates;
//   BM_Fit:        Simplex then Marquardt (numerical derivatives) from a
//                  fixed starting point.
// The counter "per point" is the time of one likelihood, one evaluation or
// the whole fit divided by the number of points, which should stay flat as
// series grow; the fit's "per point per call" divides it by the number of
// evaluations as well.
//
// With QUORVANE_BENCH_SERIES set to a folder, the series files are written
// there and kept (bench/fit_scale_r.sh fits the same files with R).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_run.h"
#include "app/session.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

using bench::SilentUi;

struct ArmaModel {
  const char* Name;
  std::vector<double> Phi, Theta;  // of the simulation
  std::vector<double> Start;       // phi_1, phi_2, theta_1, mu of the fit (lag order 2)
};

const ArmaModel kArma11{"arma11", {0.6}, {0.3}, {0.3, 0.0, 0.0, 4.5}};
const ArmaModel kArma21{"arma21", {0.5, -0.3}, {-0.4}, {0.3, 0.0, 0.0, 4.5}};

// The folder of this process's series files, removed when the program ends
// unless QUORVANE_BENCH_SERIES names a folder to keep them in.
struct SeriesFolder {
  const char* Kept = std::getenv("QUORVANE_BENCH_SERIES");
  std::filesystem::path Path = Kept && *Kept ? std::filesystem::path(Kept)
                                             : std::filesystem::temp_directory_path() /
                                                   ("quorvane_bench_" + std::to_string(::getpid()));
  SeriesFolder() { std::filesystem::create_directories(Path); }
  ~SeriesFolder() {
    if (Kept && *Kept) return;
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

// A series data file of n simulated values (fixed seed), written once per
// model and length.
std::string SeriesFile(const ArmaModel& model, std::int64_t n) {
  static const SeriesFolder folderOfThisRun;
  const std::filesystem::path& folder = folderOfThisRun.Path;
  const std::filesystem::path path = folder / (std::string(model.Name) + "_" + std::to_string(n) + ".dat");
  if (std::filesystem::exists(path)) return path.string();
  const std::vector<double> w =
      testing::SimulatedArmaSeries(model.Phi, model.Theta, static_cast<std::size_t>(n), 2024);
  std::string text = " Period,  Value\r\n";
  char line[64];
  for (std::int64_t t = 1; t <= n; ++t) {
    std::snprintf(line, sizeof line, "%7lld, %10.6f\r\n", static_cast<long long>(t),
                  5.0 + w[static_cast<std::size_t>(t - 1)]);
    text += line;
  }
  std::FILE* out = std::fopen(path.string().c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  return path.string();
}

// A session with the time-series model set up on the series: lag order 2,
// one group, no interventions. Parameters 1..4 are phi_1, phi_2, theta_1,
// theta_2 and 5 the intercept.
struct FitSession {
  SilentUi Ui;
  TfnApplication App;
  Session Run{Ui, &App.Model()};

  void Start(const ArmaModel& model) {
    AlgorithmData& data = Run.Algorithm;
    const double values[] = {model.Start[0], model.Start[1], model.Start[2], 0.0, model.Start[3]};
    const bool ar2 = model.Phi.size() == 2;
    const double steps[] = {0.1, ar2 ? 0.1 : 0.0, 0.1, 0.0, 0.5};
    for (int i = 1; i <= 5; ++i) {
      data.Values[i] = values[i - 1];
      data.Steps[i] = steps[i - 1];
    }
    BuildFuseGroups(data, Run.Fuse);
    BuildFreeParameterList(data, Run.Free);
    Run.FunctionCallCount = 0;
  }
};

// Sets up the model on n points; false (with the benchmark skipped) when
// the set-up cannot hold or refuses a series of that length.
bool SetUp(benchmark::State& state, FitSession& fit, const ArmaModel& model, std::int64_t n) {
  TfnSetup s;
  using Period = decltype(s.Response.EndPeriod);
  if (n > std::numeric_limits<Period>::max()) {
    state.SkipWithError(("a series of " + std::to_string(n) +
                         " periods needs 32-bit period numbers in the set-up")
                            .c_str());
    return false;
  }
  s.Response = {SeriesFile(model, n), 1, static_cast<Period>(n), 1, 1, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 2;
  s.EstimateLogits = false;
  fit.App.Attach(fit.Run);
  try {
    fit.App.Model().SetPendingSetup(s);
    SetUpModel(fit.Run);
  } catch (const std::exception& error) {
    state.SkipWithError(("the set-up refused " + std::to_string(n) + " periods: " + error.what()).c_str());
    return false;
  }
  AlgorithmData& data = fit.Run.Algorithm;
  data.Tolerance = -1e-10;  // relative, so that every length stops at the same precision
  data.MaxFunctionCalls = 200000;
  data.TerminalFrequency = 0;
  data.FileFrequency = 0;
  fit.Start(model);
  return true;
}

void PerPoint(benchmark::State& state, std::int64_t n) {
  state.counters["per point"] = benchmark::Counter(
      static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The likelihood alone on the simulated series less its mean of 0, with
// the coefficients as the model passes them at lag order 2: Phi(1..m) and
// Theta(1..m), m the highest lag in use.
void Likelihood(benchmark::State& state, const ArmaModel& model) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<double> w = testing::SimulatedArmaSeries(model.Phi, model.Theta, n, 2024);
  const std::size_t m = std::max(model.Phi.size(), model.Theta.size());
  std::vector<double> phi(m, 0.0), theta(m, 0.0), a(n), h(n);
  std::copy(model.Phi.begin(), model.Phi.end(), phi.begin());
  std::copy(model.Theta.begin(), model.Theta.end(), theta.begin());
  MelardWorkspace work(m);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MelardLikelihood(phi, theta, w, a, h, work));
    benchmark::ClobberMemory();
  }
  PerPoint(state, state.range(0));
}

void Evaluation(benchmark::State& state, const ArmaModel& model) {
  const std::int64_t n = state.range(0);
  auto fit = std::make_unique<FitSession>();
  if (!SetUp(state, *fit, model, n)) return;
  // Near the estimates, where a minimiser spends most of its calls.
  OneBased<double> P = fit->Run.Algorithm.Values;
  P[1] = model.Phi[0];
  if (model.Phi.size() == 2) P[2] = model.Phi[1];
  P[3] = model.Theta[0];
  P[5] = 5.0;
  std::int32_t NF = 2;
  for (auto _ : state) {
    P[5] += 1e-9;  // a minimiser's next point
    benchmark::DoNotOptimize(EvaluateObjective(fit->Run, P, NF++, false));
  }
  PerPoint(state, n);
}

void Fit(benchmark::State& state, const ArmaModel& model) {
  const std::int64_t n = state.range(0);
  auto fit = std::make_unique<FitSession>();
  if (!SetUp(state, *fit, model, n)) return;
  Session& session = fit->Run;
  std::int64_t calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fit->Start(model);
    session.Simplex.Exists = false;
    state.ResumeTiming();
    RunSimplex(session);
    calls += session.FunctionCallCount;
    BuildFreeParameterList(session.Algorithm, session.Free);
    session.MarquardtView().DerivativeChoice = DerivativeKind::Numerical;
    session.MarquardtView().ShowDerivatives = false;
    RunMarquardt(session);
    calls += session.FunctionCallCount;
  }
  PerPoint(state, n);
  state.counters["calls"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
  state.counters["per point per call"] =
      benchmark::Counter(static_cast<double>(n) * static_cast<double>(calls),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  OneBased<double> P = session.Algorithm.Values;
  state.counters["-ln[L]"] = EvaluateObjective(session, P, 2, false);
}

void BM_LikelihoodArma11(benchmark::State& state) { Likelihood(state, kArma11); }
void BM_LikelihoodArma21(benchmark::State& state) { Likelihood(state, kArma21); }
void BM_EvaluationArma11(benchmark::State& state) { Evaluation(state, kArma11); }
void BM_EvaluationArma21(benchmark::State& state) { Evaluation(state, kArma21); }
void BM_FitArma11(benchmark::State& state) { Fit(state, kArma11); }
void BM_FitArma21(benchmark::State& state) { Fit(state, kArma21); }

void Lengths(benchmark::internal::Benchmark* b) {
  for (std::int64_t n : {100, 1000, 10000, 100000, 1000000}) b->Arg(n);
}

BENCHMARK(BM_LikelihoodArma11)->Apply(Lengths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LikelihoodArma21)->Apply(Lengths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluationArma11)->Apply(Lengths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluationArma21)->Apply(Lengths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FitArma11)->Apply(Lengths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitArma21)->Apply(Lengths)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
