#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/calendar/period_calendar.h"
#include "tfn/series_data.h"

namespace quorvane {

// A table of series by period: one column per series, one row per period.
struct DataTable {
  int FirstPeriod = 0;
  int LastPeriod = -1;
  std::vector<std::string> Names;                 // the column names
  std::vector<std::vector<SeriesValue>> Columns;  // [column][period - FirstPeriod]
  // Cells that hold an estimate, not a value of the data: [column][period - FirstPeriod].
  std::vector<std::vector<bool>> Estimated;

  void AddColumn(std::string name, std::vector<SeriesValue> values);
  // Puts an estimate in a cell of the table; a period outside it is ignored.
  void SetEstimate(std::size_t column, int period, double value);
  bool IsEstimate(std::size_t column, int period) const;
};

// The series 1..count of `table` over first..last, named by `names` (index
// k names series k; index 0, the time column, is not used). A period outside
// the table is missing.
DataTable SeriesColumns(const SeriesTable& table, const std::vector<std::string>& names, int first,
                        int last);

// One column of a period series over first..last.
std::vector<SeriesValue> PeriodColumn(const PeriodSeries& series, int first, int last);

// Appends the title line, the header "Time," and the column names joined by
// ",", then one line per period: the period ("####", right-justified in 7;
// a dated period by its date, as `calendar` names it) and each value
// ("##0.0000", right-justified in kDataTableValueWidth, or "Missing"),
// separated by ",". An estimate is followed by "*" in the same width.
// Lines end with CR LF.
void WriteDataTable(std::string& text, std::string_view title, const DataTable& table,
                    const PeriodCalendar& calendar = PeriodCalendar());

inline constexpr std::size_t kDataTableValueWidth = 12;

}  // namespace quorvane
