#include "plot/plot_table.h"

#include <stdexcept>

namespace quorvane {

void PlotTable::Reset(int columns, int firstRow, int lastRow) {
  ColumnCount = columns < 0 ? 0 : columns;
  ColumnName.assign(static_cast<size_t>(ColumnCount) + 1, std::string());
  ColumnMin.assign(static_cast<size_t>(ColumnCount) + 1, 0.0);
  ColumnMax.assign(static_cast<size_t>(ColumnCount) + 1, 0.0);
  ColumnCentredOnZero.assign(static_cast<size_t>(ColumnCount) + 1, false);
  FirstRow = firstRow;
  LastRow = lastRow;
  XCalendar = PeriodCalendar();
  cells_.assign(static_cast<size_t>(RowCount()) * static_cast<size_t>(ColumnCount),
                kMissingPlotValue);
}

size_t PlotTable::Index(int row, int column) const {
  if (row < FirstRow || row > LastRow || column < 1 || column > ColumnCount)
    throw std::out_of_range("plot table cell outside the table");
  return static_cast<size_t>(row - FirstRow) * static_cast<size_t>(ColumnCount) +
         static_cast<size_t>(column - 1);
}

}  // namespace quorvane
