#pragma once

#include <string>

#include "plot/plot_table.h"

namespace quorvane {

// The plot table as one comma-separated table, for "Export as CSV...": a
// header of the X title and the column names, then one line per row with
// the value the row stands for on the X axis (its date when the rows are
// dated periods) and the row's cells at full precision, a missing cell
// empty.
std::string PlotTableCsv(const PlotTable& table);

}  // namespace quorvane
