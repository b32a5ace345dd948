#pragma once

#include <string>
#include <vector>

#include "tfn/series_data.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// Reads the chosen window of periods and range of series from a series data
// file of the fixed-width layout. The first line is a header; each further
// line is one period. Field j (0 the period, j the file's series j) is the
// 7 characters from column 9j + 1; the two characters after each field
// separate it from the next.
// Records before the start period are skipped; from the start period on
// they must rise by one, through the end period and the record after it
// when there is one. `kind` is "response" or "covariate", as the messages
// say. Throws SeriesDataError.
SeriesTable ReadFixedWidthSeriesFile(const SeriesFileChoice& choice, const std::string& kind,
                                      std::vector<std::string>& names);

}  // namespace quorvane
