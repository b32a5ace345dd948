#pragma once

#include <string>

#include "evaluate/bivariate_grid.h"

namespace quorvane {

class Ui;

// The text of a .grd file, lines ended by CR LF: the heading
// "Bivariate plot data for parameters 3 and 5 ", the column line, then one
// line per point p and, within it, per grid point j: X[p], Y[j] and the
// density, 46 characters for non-negative values.
std::string BivariateGridText(const BivariateGrid& grid);

// SaveBivariateGrid: asks for a .grd file name and writes the grid there
// atomically. A cancelled chooser ends quietly; a failed write is reported
// and leaves any existing file as it was.
void SaveBivariateGrid(Ui& ui, const BivariateGrid& grid);

}  // namespace quorvane
