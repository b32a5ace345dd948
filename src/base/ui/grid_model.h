#pragma once

#include <string>
#include <vector>

namespace quorvane {

// The cells of a grid control: one fixed header row and column (row 0 and
// column 0 when present), texts and palette colours per cell, the current
// cell and the column widths in characters.
struct GridCell {
  std::string text;
  int foreColor = -1;  // palette code, -1 for the default
  int backColor = -1;
};

class GridModel {
 public:
  void Resize(int rows, int cols);
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  int FixedRows = 1;
  int FixedCols = 1;

  bool Contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < rows_ && col < cols_;
  }
  GridCell& At(int row, int col);
  const GridCell& At(int row, int col) const;

  int CurrentRow = 0;
  int CurrentCol = 0;
  std::vector<int> ColumnWidths;  // characters; 0 or missing for automatic

 private:
  int rows_ = 0;
  int cols_ = 0;
  std::vector<GridCell> cells_;
};

}  // namespace quorvane
