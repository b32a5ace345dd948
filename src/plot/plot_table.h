#pragma once

#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"

namespace quorvane {

// The value that marks a missing cell of plot data; such cells are never drawn.
inline constexpr double kMissingPlotValue = 1E-100;
inline bool IsMissingPlotValue(double v) { return v == kMissingPlotValue; }

// The table the plot windows draw: columns 1..ColumnCount with their names
// and the bounds the plot range starts from, and the cells by row
// FirstRow..LastRow. Whoever opens a plot window fills it first.
struct PlotTable {
  int ColumnCount = 0;
  std::vector<std::string> ColumnName;  // 1..ColumnCount; element 0 unused
  std::vector<double> ColumnMin;        // 1..ColumnCount
  std::vector<double> ColumnMax;        // 1..ColumnCount
  // 1..ColumnCount: residuals, whose saved figures are centred on 0.
  std::vector<bool> ColumnCentredOnZero;
  std::string XTitle;
  int FirstRow = 0;
  int LastRow = -1;
  double XLabelMin = 0.0;
  double XLabelMax = 0.0;
  std::string PageTitle;
  // Names the rows when they are time periods of dated series (XLabelMin
  // and XLabelMax then are the first and last row): the X axis and the
  // exported table show the rows as dates.
  PeriodCalendar XCalendar;

  // Empties the table and gives it `columns` columns of rows first..last,
  // every cell missing, and rows named by plain numbers.
  void Reset(int columns, int firstRow, int lastRow);
  int RowCount() const { return LastRow >= FirstRow ? LastRow - FirstRow + 1 : 0; }
  double& Cell(int row, int column) { return cells_[Index(row, column)]; }
  double Cell(int row, int column) const { return cells_[Index(row, column)]; }

 private:
  size_t Index(int row, int column) const;
  std::vector<double> cells_;
};

}  // namespace quorvane
