// Setting up the time-series model from a long series data file: reading the
// file, differencing, counting and sizing the model. The time per record
// should stay flat as the file grows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

// A response file of `periods` records, periods 1..periods, three series in
// the fixed layout, in the temporary folder; removed after its benchmark.
std::string LongSeriesFile(int periods) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("quorvane_bench_series_" + std::to_string(::getpid()) + "_" +
                                      std::to_string(periods) + ".dat");
  std::ofstream out(path, std::ios::binary);
  char line[64];
  out << " Period,       A,       B,       C\r\n";
  for (int t = 1; t <= periods; ++t) {
    const double x = std::sin(0.01 * t);
    std::snprintf(line, sizeof line, "%7d, %7.3f, %7.3f, %7.3f\r\n", t, 100 + 10 * x, 50 - x, 7 + x * x);
    out << line;
  }
  return path.string();
}

void BM_LongSeriesSetUp(benchmark::State& state) {
  const int periods = static_cast<int>(state.range(0));
  TfnSetup s;
  s.Response.FileName = LongSeriesFile(periods);
  s.Response.StartPeriod = 1;
  s.Response.EndPeriod = periods;
  s.Response.FirstSeries = 1;
  s.Response.LastSeries = 3;
  s.Response.Differencing = 1;
  s.GroupCount = 1;
  s.GroupFirst[0] = 1;
  s.GroupLast[0] = 3;
  s.LagOrder = 2;
  for (auto _ : state) {
    testing::TfnModelHarness call;
    call.SetUp(s);
    benchmark::DoNotOptimize(call.NOBS);
  }
  std::filesystem::remove(s.Response.FileName);
  state.SetItemsProcessed(state.iterations() * periods);
  state.counters["per_record"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * periods,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LongSeriesSetUp)->Arg(1000)->Arg(10000)->Arg(40000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
