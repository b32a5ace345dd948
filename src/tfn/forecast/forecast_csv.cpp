#include "tfn/forecast/forecast_csv.h"

#include <algorithm>

#include "base/files/csv_text.h"

namespace quorvane {
namespace {

void AddRow(std::vector<std::string>& row, const std::vector<ForecastRow>& rows, size_t h) {
  if (h < rows.size()) {
    const ForecastRow& r = rows[h];
    for (double v : {r.Forecast, r.StandardError, r.Lower, r.Upper}) row.push_back(CsvNumber(v));
  } else {
    row.insert(row.end(), 4, "");
  }
}

}  // namespace

std::string ForecastCsv(const TfnForecast& forecast, const std::string& timeName,
                        const PeriodCalendar& calendar) {
  std::vector<std::string> header{timeName.empty() ? "Time" : timeName};
  size_t periods = 0;
  int firstPeriod = 0;
  const auto columns = [&header](const std::string& name, const std::string& scale) {
    for (const char* what : {" forecast", " std. error", " lower 95%", " upper 95%"})
      header.push_back(name + what + scale);
  };
  for (const SeriesForecast& s : forecast.Series) {
    columns(s.Name, "");
    if (!s.Original.empty()) columns(s.Name, " (original scale)");
    for (const std::vector<ForecastRow>* rows : {&s.Analysed, &s.Original})
      if (!rows->empty()) {
        if (periods == 0) firstPeriod = rows->front().Period;
        periods = std::max(periods, rows->size());
      }
  }
  CsvText csv(header);
  std::vector<std::string> row;
  for (size_t h = 0; h < periods; ++h) {
    row.assign(1, calendar.Label(firstPeriod + static_cast<int>(h)));
    for (const SeriesForecast& s : forecast.Series) {
      AddRow(row, s.Analysed, h);
      if (!s.Original.empty()) AddRow(row, s.Original, h);
    }
    csv.AddRow(row);
  }
  return csv.Text();
}

}  // namespace quorvane
