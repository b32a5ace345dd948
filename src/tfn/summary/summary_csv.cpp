#include "tfn/summary/summary_csv.h"

#include <algorithm>

#include "base/files/csv_text.h"
#include "tfn/summary/kept_series.h"

namespace quorvane {
namespace {

// Series k of `table` at period t, missing outside the table.
SeriesValue At(const SeriesTable& table, int t, int k) {
  if (t < table.StartPeriod() || t > table.EndPeriod() || k < 1 || k > table.SeriesCount())
    return std::nullopt;
  return table.At(t, k);
}

std::string NameOf(const std::vector<std::string>& names, int k) {
  return static_cast<size_t>(k) < names.size() ? names[static_cast<size_t>(k)] : "";
}

}  // namespace

std::string SummaryCsv(const SummaryInput& input, const BackTransformedFit& back) {
  const ResponseSeriesData& r = input.Response;
  const CovariateSeriesData* cov = input.Covariates;
  const TfnBestEvaluation& best = input.Best;
  const SeriesTable fitted = KeptSeriesTable(r, best, KeptSeries::Fitted);
  const SeriesTable residual = KeptSeriesTable(r, best, KeptSeries::StandardizedResidual);
  const SeriesTable innovation = KeptSeriesTable(r, best, KeptSeries::PredictionError);
  const SeriesTable sd = KeptSeriesTable(r, best, KeptSeries::ResidualSd);
  const std::vector<std::pair<const SeriesTable*, const char*>> responseColumns = {
      {&r.Raw, " observed"},
      {&r.Analysed, " analysed"},
      {&fitted, " fitted"},
      {&residual, " residual"},
      {&innovation, " innovation"},
      {&sd, " residual SD"},
      {&back.Fit, " fitted (original scale)"},
      {&back.Residual, " residual (original scale)"}};

  std::vector<std::string> header{r.Names.empty() || r.Names[0].empty() ? "Time" : r.Names[0]};
  for (int k = 1; k <= r.SeriesCount; ++k)
    for (const auto& column : responseColumns) header.push_back(NameOf(r.Names, k) + column.second);
  if (cov)
    for (int c = 1; c <= cov->SeriesCount; ++c) {
      header.push_back(NameOf(cov->Names, c) + " observed");
      header.push_back(NameOf(cov->Names, c) + " analysed");
    }
  CsvText csv(header);
  const int first = cov ? std::min(r.StartPeriod, cov->StartPeriod) : r.StartPeriod;
  std::vector<std::string> row;
  for (int t = first; t <= r.EndPeriod; ++t) {
    row.assign(1, r.Calendar.Label(t));
    for (int k = 1; k <= r.SeriesCount; ++k)
      for (const auto& column : responseColumns) row.push_back(CsvNumber(At(*column.first, t, k)));
    if (cov)
      for (int c = 1; c <= cov->SeriesCount; ++c) {
        row.push_back(CsvNumber(At(cov->Raw, t, c)));
        row.push_back(CsvNumber(At(cov->Analysed, t, c)));
      }
    csv.AddRow(row);
  }
  return csv.Text();
}

}  // namespace quorvane
