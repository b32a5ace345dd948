#include "evaluate/evaluation_series_csv.h"

#include "base/files/csv_text.h"

namespace quorvane {

std::string EvaluationSeriesCsv(const EvaluationSeries& s) {
  CsvText csv({"Point", "Value", "-ln[L]", "PDF", "Cumulative", "CI on mode", "CI on mean", "Normal PDF"});
  std::vector<std::string> row;
  for (int p = 1; p <= s.ProfilePointCount; ++p) {
    const auto k = static_cast<size_t>(p);
    row.assign(1, std::to_string(p));
    for (const std::vector<double>* column : {&s.ProfileValues, &s.ProfileObjective, &s.ProfilePdf,
                                              &s.ProfileCumulative, &s.ModeRegion, &s.MeanRegion,
                                              &s.NormalPdf})
      row.push_back(k < column->size() ? CsvNumber((*column)[k]) : "");
    csv.AddRow(row);
  }
  return csv.Text();
}

}  // namespace quorvane
