#include "tfn/summary/data_table.h"

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "tfn/summary/report_text.h"

namespace quorvane {

void DataTable::AddColumn(std::string name, std::vector<SeriesValue> values) {
  Names.push_back(std::move(name));
  Columns.push_back(std::move(values));
}

void DataTable::SetEstimate(std::size_t column, int period, double value) {
  if (column >= Columns.size() || period < FirstPeriod || period > LastPeriod) return;
  const auto i = static_cast<size_t>(period - FirstPeriod);
  Columns[column][i] = value;
  if (Estimated.size() < Columns.size()) Estimated.resize(Columns.size());
  if (Estimated[column].size() < Columns[column].size()) Estimated[column].resize(Columns[column].size(), false);
  Estimated[column][i] = true;
}

bool DataTable::IsEstimate(std::size_t column, int period) const {
  const auto i = static_cast<size_t>(period - FirstPeriod);
  return column < Estimated.size() && i < Estimated[column].size() && Estimated[column][i];
}

DataTable SeriesColumns(const SeriesTable& table, const std::vector<std::string>& names, int first,
                        int last) {
  DataTable result{first, last, {}, {}, {}};
  for (int k = 1; k <= table.SeriesCount(); ++k) {
    std::vector<SeriesValue> values;
    for (int t = first; t <= last; ++t)
      values.push_back(t >= table.StartPeriod() && t <= table.EndPeriod() ? table.At(t, k)
                                                                          : std::nullopt);
    result.AddColumn(static_cast<size_t>(k) < names.size() ? names[static_cast<size_t>(k)] : "",
                     std::move(values));
  }
  return result;
}

std::vector<SeriesValue> PeriodColumn(const PeriodSeries& series, int first, int last) {
  std::vector<SeriesValue> values;
  for (int t = first; t <= last; ++t)
    values.push_back(t >= series.FirstPeriod() && t <= series.LastPeriod() ? series.At(t)
                                                                           : std::nullopt);
  return values;
}

void WriteDataTable(std::string& text, std::string_view title, const DataTable& table,
                    const PeriodCalendar& calendar) {
  AddLine(text, title);
  std::string header = "Time,";
  for (size_t c = 0; c < table.Names.size(); ++c) header += (c ? "," : "") + table.Names[c];
  AddLine(text, header);
  for (int t = table.FirstPeriod; t <= table.LastPeriod; ++t) {
    // "###0" rather than "####", which would leave a period 0 blank.
    std::string line = RightJustify(calendar.IsDated() ? calendar.Label(t) : FormatPicture(t, "###0"), 7);
    for (size_t c = 0; c < table.Columns.size(); ++c) {
      const SeriesValue& v = table.Columns[c][static_cast<size_t>(t - table.FirstPeriod)];
      line += ",";
      if (v && table.IsEstimate(c, t)) line += NumberField(*v, "##0.0000", kDataTableValueWidth - 1) + "*";
      else line += v ? NumberField(*v, "##0.0000", kDataTableValueWidth)
                     : RightJustify("Missing", kDataTableValueWidth);
    }
    AddLine(text, line);
  }
}

}  // namespace quorvane
