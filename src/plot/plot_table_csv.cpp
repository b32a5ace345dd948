#include "plot/plot_table_csv.h"

#include <cmath>

#include "base/files/csv_text.h"
#include "plot/plot_range.h"

namespace quorvane {

std::string PlotTableCsv(const PlotTable& table) {
  std::vector<std::string> header{table.XTitle};
  for (int c = 1; c <= table.ColumnCount; ++c) header.push_back(table.ColumnName[static_cast<size_t>(c)]);
  CsvText csv(header);
  std::vector<std::string> row;
  for (int t = table.FirstRow; t <= table.LastRow; ++t) {
    const double x = RowToX(t, table.FirstRow, table.LastRow, table.XLabelMin, table.XLabelMax);
    row.assign(1, table.XCalendar.IsDated() ? table.XCalendar.Label(std::llround(x)) : CsvNumber(x));
    for (int c = 1; c <= table.ColumnCount; ++c) {
      const double cell = table.Cell(t, c);
      row.push_back(IsMissingPlotValue(cell) ? "" : CsvNumber(cell));
    }
    csv.AddRow(row);
  }
  return csv.Text();
}

}  // namespace quorvane
