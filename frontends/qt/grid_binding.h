#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>

#include "base/ui/control.h"

namespace quorvane::qt {

// The cells of a grid control as a Qt table: the fixed header rows and
// column (when the grid has them) become the table's headers, several fixed
// rows making headers of several lines, and the other cells its body. It reads the grid directly, so a change needs only Sync.
class GridTableModel : public QAbstractTableModel {
 public:
  explicit GridTableModel(const Control& control, QObject* parent = nullptr);

  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  // The text of the cell in the top-left corner, above the header column.
  QString CornerText() const;

  // Brings the table in step with the grid after a change.
  void Sync();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QVariant CellData(int row, int col, int role) const;
  // The texts of a column's fixed rows, one line each.
  std::string HeaderText(int col) const;

  const Control& control_;
  int rows_ = 0;  // body rows and columns
  int cols_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
};

// The table view of a grid: Return or Enter on the current cell acts as a
// double-click, so the grid works from the keyboard too.
class GridView : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;

  // The grid whose column widths the view asks for when it is laid out.
  void SetGrid(const GridModel* grid) { grid_ = grid; }
  // Wide enough for the grid's columns as their widths ask (automatic ones
  // counted at ten characters) and high enough for up to twelve rows, so a
  // window opens showing its grid rather than a corner of it.
  QSize sizeHint() const override;

 signals:
  void cellActivated(const QModelIndex& index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const GridModel* grid_ = nullptr;
};

}  // namespace quorvane::qt
