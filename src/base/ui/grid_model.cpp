#include "base/ui/grid_model.h"

#include <stdexcept>

namespace quorvane {

void GridModel::Resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw std::invalid_argument("grid size must not be negative");
  std::vector<GridCell> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int r = 0; r < rows && r < rows_; ++r)
    for (int c = 0; c < cols && c < cols_; ++c)
      cells[static_cast<size_t>(r * cols + c)] = cells_[static_cast<size_t>(r * cols_ + c)];
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
  ColumnWidths.resize(static_cast<size_t>(cols), 0);
}

GridCell& GridModel::At(int row, int col) {
  if (!Contains(row, col)) throw std::out_of_range("grid cell out of range");
  return cells_[static_cast<size_t>(row * cols_ + col)];
}

const GridCell& GridModel::At(int row, int col) const {
  if (!Contains(row, col)) throw std::out_of_range("grid cell out of range");
  return cells_[static_cast<size_t>(row * cols_ + col)];
}

}  // namespace quorvane
