// Fuzz target: the series data reader with the preparation of the series
// and the set-up of the time-series model, as the Initialize window's
// Continue runs them, then two evaluations.
//
// The input: a first line of whole numbers that choose the set-up (fields
// below; missing ones take the value in brackets, each is held to the range
// the window offers), then the response series file, then optionally a line
// "%%" followed by the covariate series file. Set-ups that the window's own
// checks refuse are not tried.
//
//   0 start period [1]          1 end period [10]
//   2 first series [1]          3 last series [1]
//   4 differencing 0..2 [0]     5 transformation: 0 none, 1 logit, 2 Box-Cox [0]
//   6 Box-Cox lambda: 0, 0.5, 2, 3 or 4 [0]    7 Box-Cox constant: 10, 100 or 1000 [0]
//   8 flattening 0/1 [0]        9 lag order 1..12 [1]
//  10 coefficients as logits 0/1 [0]
//  11 groups 1..5, splitting the series evenly [1]
//  12-16 interventions of groups 1-5, 0..4 [0]
//  17 covariates 0/1 [0]       18 covariate start period [start period]
//  19 covariate differencing [0]   20-22 covariate transformation, lambda, constant [0]
//  23 first covariate series 1..5 [1]  24 covariates taken as interventions, bits 1..31 [0]
//  25 missing values counted as zero noise 0/1 [0: the exact likelihood of the values present]
//
// Properties:
//  - a file the model cannot use is refused with a title and a text, and the
//    model set up before is left exactly as it was (parameters, descriptions,
//    series and the value of an evaluation);
//  - a set-up that succeeds counts its parameters as the layout does, sizes
//    every parameter vector to that count, describes each parameter on one
//    line, and prepares the chosen window and series;
//  - an evaluation never gives NaN, at zero parameters or at values taken
//    from the input (start periods and codes included).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "tfn/initialize_validation.h"
#include "tfn/parameter_layout.h"
#include "tfn/series_data_error.h"
#include "tfn/tfn_model.h"

namespace quorvane {
namespace {

struct Harness {
  TfnModel model;
  OneBased<double> P, STP, GRAD;
  OneBased<std::string> DESC, FUSE;
  OneBasedMatrix HESS;
  std::int16_t NP = 0;
  std::int32_t NOBS = 0, NSAMPLE = 0;

  void SetUp(const TfnSetup& setup) {
    model.SetPendingSetup(setup);
    double F = 0;
    model.MODEL(F, P, STP, DESC, FUSE, NP, 0, NOBS, GRAD, HESS, NSAMPLE);
  }
  double Evaluate(std::int32_t NF) {
    double F = 0;
    model.MODEL(F, P, STP, DESC, FUSE, NP, NF, NOBS, GRAD, HESS, NSAMPLE);
    return F;
  }
};

// The whole numbers of the first line; missing or unreadable ones are absent.
std::vector<long> Numbers(std::string_view line) {
  std::vector<long> numbers;
  std::string text(line);
  const char* at = text.c_str();
  while (*at) {
    char* end = nullptr;
    const long value = std::strtol(at, &end, 10);
    if (end == at) {
      ++at;
      continue;
    }
    numbers.push_back(value);
    at = end;
  }
  return numbers;
}

struct Choices {
  std::vector<long> numbers;
  long Get(std::size_t i, long fallback, long low, long high) const {
    const long value = i < numbers.size() ? numbers[i] : fallback;
    return std::clamp(value, low, high);
  }
};

constexpr std::array<double, 5> kLambdas{0.0, 0.5, 2.0, 3.0, 4.0};
constexpr std::array<double, 3> kConstants{10.0, 100.0, 1000.0};
constexpr long kPeriodLimit = 9999;

SeriesFileChoice FileChoice(const Choices& c, std::size_t at, std::string file, long start, long end,
                            long first, long last) {
  SeriesFileChoice choice;
  choice.FileName = std::move(file);
  choice.StartPeriod = static_cast<std::int16_t>(start);
  choice.EndPeriod = static_cast<std::int16_t>(end);
  choice.FirstSeries = static_cast<std::int16_t>(first);
  choice.LastSeries = static_cast<std::int16_t>(last);
  choice.Differencing = static_cast<std::int16_t>(c.Get(at, 0, 0, 2));
  choice.Transformation = static_cast<SeriesTransformation>(c.Get(at + 1, 0, 0, 2));
  choice.BoxCoxLambda = kLambdas[static_cast<std::size_t>(c.Get(at + 2, 0, 0, 4))];
  choice.BoxCoxConstant = kConstants[static_cast<std::size_t>(c.Get(at + 3, 0, 0, 2))];
  return choice;
}

// The set-up and the window's entries that give it.
struct Choice {
  TfnSetup setup;
  InitializeEntries entries;
};

Choice Choose(const Choices& c, const std::string& responseFile, const std::string& covariateFile) {
  Choice out;
  TfnSetup& s = out.setup;
  const long start = c.Get(0, 1, -kPeriodLimit, kPeriodLimit);
  const long end = c.Get(1, 10, -kPeriodLimit, kPeriodLimit);
  const long first = c.Get(2, 1, 1, 100);
  const long last = c.Get(3, 1, 1, 100);
  s.Response = FileChoice(c, 4, responseFile, start, end, first, last);
  s.Flattening = c.Get(8, 0, 0, 1) ? "Y" : "N";
  s.LagOrder = static_cast<std::int16_t>(c.Get(9, 1, 1, 12));
  s.EstimateLogits = c.Get(10, 0, 0, 1) != 0;
  s.MissingValues = c.Get(25, 0, 0, 1) ? MissingValueTreatment::ZeroNoise : MissingValueTreatment::ExactLikelihood;

  const long series = std::max(last - first + 1, 1L);
  const long groups = std::min(c.Get(11, 1, 1, kMaxGroups), series);
  s.GroupCount = static_cast<std::int16_t>(groups);
  InitializeEntries& e = out.entries;
  for (long g = 1; g <= groups; ++g) {
    const auto i = static_cast<std::size_t>(g - 1);
    s.GroupFirst[i] = static_cast<std::int16_t>(first + (g - 1) * series / groups);
    s.GroupLast[i] = static_cast<std::int16_t>(first + g * series / groups - 1);
    s.Interventions[i] = static_cast<std::int16_t>(c.Get(12 + i, 0, 0, 4));
    e.GroupStart[i] = std::to_string(s.GroupFirst[i]);
    e.GroupEnd[i] = std::to_string(s.GroupLast[i]);
    e.GroupEnabled[i] = true;
  }

  s.UseCovariates = c.Get(17, 0, 0, 1) != 0 && !covariateFile.empty();
  const long firstCovariate = c.Get(23, 1, 1, 5);
  const long lastCovariate = firstCovariate + groups - 1;
  const long covariateStart = c.Get(18, start, -kPeriodLimit, kPeriodLimit);
  if (s.UseCovariates) {
    s.Covariates =
        FileChoice(c, 19, covariateFile, covariateStart, end, firstCovariate, lastCovariate);
    const long bits = c.Get(24, 0, 0, 31);
    for (std::size_t k = 0; k < kMaxGroups; ++k) s.CovariateIsIntervention[k] = (bits >> k) & 1;
  }

  e.ResponseFile = responseFile;
  e.ResponseStart = static_cast<double>(start);
  e.ResponseEnd = static_cast<double>(end);
  e.FirstResponse = static_cast<double>(first);
  e.LastResponse = static_cast<double>(last);
  e.UseCovariates = s.UseCovariates;
  if (s.UseCovariates) {
    e.CovariateFile = covariateFile;
    e.CovariateStart = static_cast<double>(covariateStart);
    e.CovariateEnd = static_cast<double>(end);
    e.FirstCovariate = static_cast<double>(firstCovariate);
    e.LastCovariate = static_cast<double>(lastCovariate);
  }
  return out;
}

// A model set up from a small file of its own, to show whether a failed
// set-up changes anything.
TfnSetup BaselineSetup() {
  static const std::string file = fuzz::ScratchFile(
      "baseline.dat",
      " Period,  Level\r\n      1,     10\r\n      2,     12\r\n      3,      9\r\n"
      "      4,     14\r\n      5,     13\r\n      6,     15\r\n      7,     11\r\n"
      "      8,     16\r\n");
  TfnSetup s;
  s.Response.FileName = file;
  s.Response.StartPeriod = 1;
  s.Response.EndPeriod = 8;
  s.Response.FirstSeries = s.Response.LastSeries = 1;
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.Interventions[0] = 1;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

void PrepareBaseline(Harness& h) {
  h.SetUp(BaselineSetup());
  FUZZ_CHECK(h.NP == 8);
  h.P[1] = 0.3;   // Phi(1)
  h.P[3] = 12.0;  // the intercept
  h.P[4] = 4.0;   // the intervention's start period
  h.P[5] = 1.0;   // a step
  h.P[6] = 2.0;   // Omega(0)
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Values for parameters taken from the input: ordinary coefficients, the
// edges of the coefficients' regions, huge and tiny numbers, periods of the
// window and the intervention codes.
double ParameterValue(unsigned char byte, const TfnSetup& s) {
  const double values[] = {0.0, 0.5, -0.5, 0.999, -1.0, 1.0, 2.0, 3.0, 4.0, -2.5,
                           1e300, -1e300, 1e-310, 1e15, 40.0, -40.0};
  const std::size_t kinds = std::size(values);
  if (byte % 2 == 0) return values[(byte / 2) % kinds];
  // A period near the response window.
  return static_cast<double>(s.Response.StartPeriod) + static_cast<double>(byte / 2 % 24) - 2.0;
}

void CheckSetUp(const Harness& h, const TfnSetup& s) {
  FUZZ_CHECK(h.model.IsSetUp());
  FUZZ_CHECK(h.NP == ParameterCount(s));
  FUZZ_CHECK(h.NP >= 1);
  FUZZ_CHECK(h.P.size() == h.NP && h.STP.size() == h.NP);
  FUZZ_CHECK(h.DESC.size() == h.NP && h.FUSE.size() == h.NP);
  for (const std::string& description : h.DESC) {
    FUZZ_CHECK(!description.empty());
    FUZZ_CHECK(description.find_first_of("\r\n") == std::string::npos);
  }
  const ResponseSeriesData& r = h.model.Response();
  FUZZ_CHECK(r.SeriesCount == s.Response.LastSeries - s.Response.FirstSeries + 1);
  FUZZ_CHECK(r.FirstAnalysedPeriod == s.Response.StartPeriod + s.Response.Differencing);
  FUZZ_CHECK(r.EndPeriod == s.Response.EndPeriod);
  FUZZ_CHECK(r.AnalysedPeriods == r.EndPeriod - r.FirstAnalysedPeriod + 1);
  FUZZ_CHECK(r.ValueCount >= 0);
  FUZZ_CHECK(r.Names.size() == static_cast<std::size_t>(r.SeriesCount) + 1);
  for (int k = 1; k <= r.SeriesCount; ++k)
    for (int t = r.FirstAnalysedPeriod; t <= r.EndPeriod; ++t)
      if (const SeriesValue& x = r.Analysed.At(t, k)) FUZZ_CHECK(std::isfinite(*x));
  FUZZ_CHECK(h.model.Covariates().has_value() == s.UseCovariates);
}

void Run(const Choices& c, std::string_view input, const std::string& responseFile,
         const std::string& covariateFile) {
  const Choice choice = Choose(c, responseFile, covariateFile);
  if (ValidateInitializeEntries(choice.entries)) return;

  Harness h;
  PrepareBaseline(h);
  const double baselineF = h.Evaluate(1);
  const Harness before = h;
  try {
    h.SetUp(choice.setup);
  } catch (const SeriesDataError& error) {
    FUZZ_CHECK(!error.Title.empty() && !error.Text.empty());
    FUZZ_CHECK(h.NP == before.NP && h.P == before.P && h.STP == before.STP);
    FUZZ_CHECK(h.DESC == before.DESC && h.FUSE == before.FUSE && h.NOBS == before.NOBS);
    FUZZ_CHECK(h.model.Setup().Response.FileName == before.model.Setup().Response.FileName);
    FUZZ_CHECK(h.model.Response().ValueCount == before.model.Response().ValueCount);
    FUZZ_CHECK(SameBits(h.Evaluate(1), baselineF));
    return;
  }
  CheckSetUp(h, choice.setup);

  FUZZ_CHECK(!std::isnan(h.Evaluate(1)));
  // NOBS counts every analysed value, less those the exact likelihood of
  // the values present leaves out.
  const ResponseSeriesData& response = h.model.Response();
  int missing = 0;
  for (int k = 1; k <= response.SeriesCount; ++k) missing += response.MissingPerSeries[static_cast<std::size_t>(k)];
  if (missing == 0 || choice.setup.MissingValues == MissingValueTreatment::ZeroNoise)
    FUZZ_CHECK(h.NOBS == response.ValueCount);
  else
    FUZZ_CHECK(h.NOBS >= 0 && h.NOBS <= response.ValueCount);
  for (int i = 1; i <= h.NP; ++i) {
    const auto at = static_cast<std::size_t>(i) * 7 % input.size();
    h.P[i] = ParameterValue(static_cast<unsigned char>(input[at]), choice.setup);
    h.STP[i] = i % 2 ? 0.1 : 0.0;
  }
  FUZZ_CHECK(!std::isnan(h.Evaluate(2)));
}

}  // namespace
}  // namespace quorvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = std::min(bytes.find('\n'), bytes.size());
  const Choices choices{Numbers(bytes.substr(0, lineEnd))};
  std::string_view response = bytes.substr(std::min(lineEnd + 1, bytes.size()));
  std::string_view covariates;
  // The covariate file follows a line "%%".
  for (std::size_t at = 0; at < response.size();) {
    const std::size_t next = std::min(response.find('\n', at), response.size());
    std::string_view line = response.substr(at, next - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "%%") {
      covariates = response.substr(std::min(next + 1, response.size()));
      response = response.substr(0, at);
      break;
    }
    at = next + 1;
  }
  const std::string responseFile = fuzz::ScratchFile("response.dat", response);
  const std::string covariateFile =
      covariates.data() ? fuzz::ScratchFile("covariates.dat", covariates) : std::string();
  if (size == 0) return 0;
  Run(choices, bytes, responseFile, covariateFile);
  return 0;
}
