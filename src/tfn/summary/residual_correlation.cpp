#include "tfn/summary/residual_correlation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tfn/diagnostics/autocorrelation.h"
#include "tfn/diagnostics/residual_lags.h"
#include "tfn/model_shape.h"
#include "tfn/parameter_layout.h"
#include "tfn/summary/kept_series.h"

namespace quorvane {

namespace {

std::string SeriesName(const ResponseSeriesData& response, int k) {
  std::string name = static_cast<size_t>(k) < response.Names.size() ? response.Names[static_cast<size_t>(k)] : "";
  const auto first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "series " + std::to_string(k);
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<double> StandardizedResiduals(const ResponseSeriesData& response,
                                          const TfnBestEvaluation& best, int k) {
  const SeriesTable a = KeptSeriesTable(response, best, KeptSeries::StandardizedResidual);
  std::vector<double> values;
  values.reserve(static_cast<size_t>(std::max(0, response.EndPeriod - response.FirstAnalysedPeriod + 1)));
  for (int t = response.FirstAnalysedPeriod; t <= response.EndPeriod; ++t) {
    const SeriesValue& value = a.At(t, k);
    const bool present = value && response.Analysed.At(t, k) && std::isfinite(*value);
    values.push_back(present ? *value : std::numeric_limits<double>::quiet_NaN());
  }
  return values;
}

int CountFreeArmaCoefficients(const SummaryInput& input) {
  const AlgorithmData& data = input.Algorithm;
  const ModelShape shape = BuildModelShape(input.Setup);
  const ParameterLayout layout(shape);
  int count = 0;
  // Every noise polynomial: the regular Phi and Theta and the seasonal ones.
  for (size_t k = 0; k < shape.Noise.size(); ++k)
    for (int j = 1; j <= shape.Noise[k].Order; ++j) {
      const int i = layout.Coefficient(k, j);
      if (i <= data.Steps.size() && data.Steps[i] != 0.0) ++count;
    }
  return count;
}

ResidualCorrelation ComputeResidualCorrelation(const SummaryInput& input, int seasonalPeriod) {
  ResidualCorrelation result;
  result.SeasonalPeriod = seasonalPeriod;
  result.FreeArmaCoefficients = CountFreeArmaCoefficients(input);
  const ResponseSeriesData& response = input.Response;
  const std::vector<int> testLags = LjungBoxLags(seasonalPeriod);
  for (int k = 1; k <= response.SeriesCount; ++k) {
    SeriesResidualCorrelation series;
    series.Series = k;
    series.Name = SeriesName(response, k);
    const std::vector<double> a = StandardizedResiduals(response, input.Best, k);
    long present = 0;
    for (double v : a)
      if (!std::isnan(v)) ++present;
    series.Lags = AutocorrelationLagCount(present, seasonalPeriod);
    const int deepest = std::max(series.Lags, testLags.back());
    const Autocorrelations acf = SampleAutocorrelations(a, static_cast<int>(std::min<long>(deepest, std::max(0L, present - 1))));
    series.Count = acf.Count;
    series.Band = acf.Count > 0 ? 1.96 / std::sqrt(static_cast<double>(acf.Count)) : 0.0;
    series.Defined = !acf.R.empty();
    if (series.Defined) {
      const std::vector<double> pacf = SamplePartialAutocorrelations(acf.R);
      series.Acf.assign(acf.R.begin(), acf.R.begin() + series.Lags + 1);
      series.Pacf.assign(pacf.begin(), pacf.begin() + series.Lags + 1);
      for (int lag : testLags)
        if (auto q = LjungBoxTest(acf.R, acf.Count, lag, result.FreeArmaCoefficients))
          series.LjungBox.push_back(*q);
    }
    series.Residuals = a;
    result.Series.push_back(std::move(series));
  }
  return result;
}

}  // namespace quorvane
