// Setting up the time-series model from the same series in the three forms a
// file can take: the fixed-width layout, delimited text with whole periods,
// and delimited text dated by day. Each at 100,000 and 1,000,000 lines, so
// one run gives both the ratio between the formats and the growth with the
// length (the set-up should take time in proportion to it).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

#include "base/calendar/period_calendar.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

enum Format { kFixedWidth = 0, kCsvWholePeriods = 1, kCsvDays = 2 };

// The first day of the dated files: 1800-01-01, so that a million days end
// in the year 4537.
std::int64_t FirstDay() { return *PeriodCalendar::Days().Period("1800-01-01"); }

// A response file of `periods` lines, three series, in the temporary folder,
// written once per process; the same values in every format.
const std::string& SeriesFile(Format format, int periods) {
  static std::map<std::pair<int, int>, std::string> files;
  std::string& path = files[{format, periods}];
  if (!path.empty()) return path;
  const char* extension[] = {".dat", ".csv", "_days.csv"};
  path = (std::filesystem::temp_directory_path() / ("quorvane_bench_formats_" + std::to_string(::getpid()) +
                                                    "_" + std::to_string(periods) + extension[format]))
             .string();
  std::ofstream out(path, std::ios::binary);
  const PeriodCalendar days = PeriodCalendar::Days();
  out << (format == kFixedWidth ? " Period,       A,       B,       C\r\n" : "day,A,B,C\r\n");
  char line[96];
  for (int t = 1; t <= periods; ++t) {
    const double x = std::sin(0.01 * t);
    const double a = 100 + 10 * x, b = 50 - x, c = 7 + x * x;
    if (format == kFixedWidth)
      std::snprintf(line, sizeof line, "%7d, %7.3f, %7.3f, %7.3f\r\n", t, a, b, c);
    else if (format == kCsvWholePeriods)
      std::snprintf(line, sizeof line, "%d,%.3f,%.3f,%.3f\r\n", t, a, b, c);
    else
      std::snprintf(line, sizeof line, "%s,%.3f,%.3f,%.3f\r\n", days.Label(FirstDay() + t - 1).c_str(), a, b,
                    c);
    out << line;
  }
  return path;
}

void BM_SeriesSetUp(benchmark::State& state) {
  const auto format = static_cast<Format>(state.range(0));
  const int periods = static_cast<int>(state.range(1));
  const std::int32_t first = format == kCsvDays ? static_cast<std::int32_t>(FirstDay()) : 1;
  TfnSetup s;
  s.Response.FileName = SeriesFile(format, periods);
  s.Response.StartPeriod = first;
  s.Response.EndPeriod = first + periods - 1;
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
  const char* names[] = {"fixed-width .dat", "CSV, whole periods", "CSV, dated by day"};
  state.SetLabel(names[format]);
  state.SetItemsProcessed(state.iterations() * periods);
  state.counters["per_line"] = benchmark::Counter(static_cast<double>(state.iterations()) * periods,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SeriesSetUp)
    ->ArgsProduct({{kFixedWidth, kCsvWholePeriods, kCsvDays}, {100000, 1000000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

// The files are left to the temporary folder's cleaning only if the program
// is killed; a normal end removes them.
namespace {
struct RemoveFiles {
  ~RemoveFiles() {
    for (const char* extension : {".dat", ".csv", "_days.csv"})
      for (int periods : {100000, 1000000})
        std::filesystem::remove(std::filesystem::temp_directory_path() /
                                ("quorvane_bench_formats_" + std::to_string(::getpid()) + "_" +
                                 std::to_string(periods) + extension));
  }
} remove_files;
}  // namespace
