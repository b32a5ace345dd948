// Fits of seasonal models, Simplex then Marquardt (numerical derivatives)
// from a fixed start, as a user runs them:
//   BM_FitAirline:     the airline model (0,1,1)(0,1,1)12 on the logarithm
//                      of the airline passengers (144 months, examples/),
//                      the log taken before differencing;
//   BM_FitSeasonal24:  the same model with period 24 on a simulated series of
//                      10,000 hourly points;
//   BM_Evaluation*:    one objective evaluation of each near its estimates;
//   BM_Likelihood*:    the exact likelihood alone of 10,000 points of the
//                      airline model with period s (12, 24, 52), by the
//                      sparse recursion the model uses and by the dense one
//                      it uses without seasonal terms, for their ratio.
// bench/seasonal_fit.R times R's arima on the same two fits for the ratios
// in the README.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "app/session.h"
#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_run.h"
#include "tfn/arma/sparse_arma_likelihood.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

using bench::SilentUi;

// The folder of this process's series file, removed when the program ends.
struct SeriesFolder {
  std::filesystem::path Path = std::filesystem::temp_directory_path() /
                               ("quorvane_seasonal_bench_" + std::to_string(::getpid()));
  SeriesFolder() { std::filesystem::create_directories(Path); }
  ~SeriesFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

// 10,000 points of x with (1 - B)(1 - B^24) x = (1 - 0.4 B)(1 - 0.6 B^24) a,
// a normal with standard deviation 0.01 (fixed seed), written once.
std::string HourlySeriesFile() {
  static const SeriesFolder folder;
  const std::filesystem::path path = folder.Path / "hourly.dat";
  if (std::filesystem::exists(path)) return path.string();
  constexpr std::size_t n = 10000, s = 24;
  std::vector<double> theta(s + 1, 0.0);
  theta[0] = 0.4;
  theta[s - 1] = 0.6;
  theta[s] = -0.24;
  std::vector<double> x = testing::SimulatedArmaSeries({}, theta, n, 2025);
  for (std::size_t t = 0; t < n; ++t) {
    x[t] *= 0.01;
    if (t >= 1) x[t] += x[t - 1];
    if (t >= s) x[t] += x[t - s];
    if (t >= s + 1) x[t] -= x[t - s - 1];
  }
  std::string text = "   Hour,  Value\r\n";
  char line[64];
  char value[32];
  for (std::size_t t = 0; t < n; ++t) {
    // As many decimals as the 7-character field holds.
    int decimals = 4;
    while (std::snprintf(value, sizeof value, "%.*f", decimals, x[t]) > 7 && decimals > 0) --decimals;
    std::snprintf(line, sizeof line, "%7zu, %7s\r\n", t + 1, value);
    text += line;
  }
  std::FILE* out = std::fopen(path.string().c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  return path.string();
}

struct SeasonalCase {
  std::string File;
  int Periods;
  int Period;  // s
  bool Logarithm;
};

SeasonalCase Airline() {
  return {std::string(QUORVANE_SOURCE_DIR) + "/examples/airpassengers.dat", 144, 12, true};
}
SeasonalCase Hourly() { return {HourlySeriesFile(), 10000, 24, false}; }

// A session with the model set up: lag order 1, Theta(1) (parameter 2) and
// Theta_s(1) (parameter 4) free, Phi(1) and the intercept held at 0.
struct FitSession {
  SilentUi Ui;
  TfnApplication App;
  Session Run{Ui, &App.Model()};

  bool SetUp(benchmark::State& state, const SeasonalCase& c) {
    TfnSetup s;
    s.Response = {c.File, 1, c.Periods, 1, 1, 1,
                  c.Logarithm ? SeriesTransformation::BoxCox : SeriesTransformation::None, 0, 0, c.Logarithm};
    s.GroupFirst[0] = s.GroupLast[0] = 1;
    s.LagOrder = 1;
    s.EstimateLogits = false;
    s.SeasonalPeriod = static_cast<std::int16_t>(c.Period);
    s.SeasonalDifferencing = 1;
    s.SeasonalMaOrder = 1;
    App.Attach(Run);
    try {
      App.Model().SetPendingSetup(s);
      SetUpModel(Run);
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return false;
    }
    AlgorithmData& data = Run.Algorithm;
    data.Tolerance = -1e-10;
    data.MaxFunctionCalls = 200000;
    data.TerminalFrequency = 0;
    data.FileFrequency = 0;
    Start();
    return true;
  }

  void Start() {
    AlgorithmData& data = Run.Algorithm;
    for (int i = 1; i <= 4; ++i) data.Values[i] = data.Steps[i] = 0.0;
    data.Values[2] = data.Values[4] = 0.3;
    data.Steps[2] = data.Steps[4] = 0.05;
    BuildFuseGroups(data, Run.Fuse);
    BuildFreeParameterList(data, Run.Free);
    Run.FunctionCallCount = 0;
    Run.Simplex.Exists = false;
  }
};

void Fit(benchmark::State& state, const SeasonalCase& c) {
  auto fit = std::make_unique<FitSession>();
  if (!fit->SetUp(state, c)) return;
  Session& session = fit->Run;
  std::int64_t calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fit->Start();
    state.ResumeTiming();
    RunSimplex(session);
    calls += session.FunctionCallCount;
    BuildFreeParameterList(session.Algorithm, session.Free);
    session.MarquardtView().DerivativeChoice = DerivativeKind::Numerical;
    session.MarquardtView().ShowDerivatives = false;
    RunMarquardt(session);
    calls += session.FunctionCallCount;
  }
  state.counters["calls"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
  OneBased<double> P = session.Algorithm.Values;
  state.counters["-ln[L]"] = EvaluateObjective(session, P, 2, false);
  state.counters["theta"] = P[2];
  state.counters["Theta_s"] = P[4];
}

void Evaluation(benchmark::State& state, const SeasonalCase& c) {
  auto fit = std::make_unique<FitSession>();
  if (!fit->SetUp(state, c)) return;
  OneBased<double> P = fit->Run.Algorithm.Values;
  P[2] = 0.4;
  P[4] = 0.6;
  std::int32_t NF = 2;
  for (auto _ : state) {
    P[2] += 1e-9;  // a minimiser's next point
    benchmark::DoNotOptimize(EvaluateObjective(fit->Run, P, NF++, false));
  }
  state.counters["per point"] = benchmark::Counter(
      static_cast<double>(c.Periods), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The moving average (1 - 0.4 B)(1 - 0.6 B^s), multiplied out.
std::vector<double> AirlineMovingAverage(std::size_t s) {
  std::vector<double> theta(s + 1, 0.0);
  theta[0] = 0.4;
  theta[s - 1] = 0.6;
  theta[s] = -0.24;
  return theta;
}

template <bool Sparse>
void Likelihood(benchmark::State& state) {
  const auto s = static_cast<std::size_t>(state.range(0));
  const std::vector<double> theta = AirlineMovingAverage(s);
  const std::vector<double> w = testing::SimulatedArmaSeries({}, theta, 10000, 7);
  std::vector<double> a(w.size()), h(w.size());
  MelardWorkspace dense(theta.size());
  SparseArmaWorkspace sparse;
  sparse.Reserve(theta.size());
  for (auto _ : state) {
    const MelardResult result = Sparse ? SparseArmaLikelihood({}, theta, w, a, h, sparse)
                                       : MelardLikelihood({}, theta, w, a, h, dense);
    benchmark::DoNotOptimize(result);
  }
  state.counters["per point"] = benchmark::Counter(
      static_cast<double>(w.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  if (Sparse) state.counters["inversion from"] = static_cast<double>(sparse.SparseFrom);
}

void BM_LikelihoodSparse(benchmark::State& state) { Likelihood<true>(state); }
void BM_LikelihoodDense(benchmark::State& state) { Likelihood<false>(state); }

void BM_FitAirline(benchmark::State& state) { Fit(state, Airline()); }
void BM_FitSeasonal24(benchmark::State& state) { Fit(state, Hourly()); }
void BM_EvaluationAirline(benchmark::State& state) { Evaluation(state, Airline()); }
void BM_EvaluationSeasonal24(benchmark::State& state) { Evaluation(state, Hourly()); }

BENCHMARK(BM_FitAirline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitSeasonal24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluationAirline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluationSeasonal24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LikelihoodSparse)->Arg(12)->Arg(24)->Arg(52)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LikelihoodDense)->Arg(12)->Arg(24)->Arg(52)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvane
