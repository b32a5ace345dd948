#pragma once

#include <string>

#include "evaluate/evaluation_series.h"

namespace quorvane {

// The series of a profile or a posterior as one comma-separated table, for
// "Export as CSV...": the columns "Point", "Value", "-ln[L]", "PDF",
// "Cumulative", "CI on mode", "CI on mean" and "Normal PDF", one row per
// point 1..n, at full precision.
std::string EvaluationSeriesCsv(const EvaluationSeries& series);

}  // namespace quorvane
