#include "qt/grid_binding.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTimer>
#include <algorithm>

#include "qt/control_registry.h"
#include "qt/event_hook.h"
#include "qt/palette_colors.h"
#include "qt/text_convert.h"

namespace quorvane::qt {

GridTableModel::GridTableModel(const Control& control, QObject* parent)
    : QAbstractTableModel(parent), control_(control) {
  Sync();
}

void GridTableModel::Sync() {
  const GridModel& g = control_.grid;
  const int fixedRows = std::clamp(g.FixedRows, 0, g.Rows());
  const int fixedCols = std::clamp(g.FixedCols, 0, std::min(1, g.Cols()));
  const int rows = g.Rows() - fixedRows;
  const int cols = g.Cols() - fixedCols;
  if (rows != rows_ || cols != cols_ || fixedRows != fixedRows_ || fixedCols != fixedCols_) {
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    fixedRows_ = fixedRows;
    fixedCols_ = fixedCols;
    endResetModel();
    return;
  }
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  if (rows_ > 0) emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}
int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant GridTableModel::CellData(int row, int col, int role) const {
  const GridModel& g = control_.grid;
  if (!g.Contains(row, col)) return {};
  const GridCell& cell = g.At(row, col);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return cell.text.empty() ? QVariant() : QVariant(ToQt(cell.text));
    case Qt::ForegroundRole:
      return cell.foreColor >= 0 ? QVariant(PaletteQColor(cell.foreColor)) : QVariant();
    case Qt::BackgroundRole:
      return cell.backColor >= 0 ? QVariant(PaletteQColor(cell.backColor)) : QVariant();
    default:
      return {};
  }
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  return CellData(index.row() + fixedRows_, index.column() + fixedCols_, role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::BackgroundRole) return {};  // headers keep the style's look
  if (orientation == Qt::Horizontal) {
    // Several fixed rows make one header of several lines.
    if (fixedRows_ > 1 && (role == Qt::DisplayRole || role == Qt::ToolTipRole))
      return ToQt(HeaderText(section + fixedCols_));
    return fixedRows_ ? CellData(0, section + fixedCols_, role) : QVariant();
  }
  return fixedCols_ ? CellData(section + fixedRows_, 0, role) : QVariant();
}

std::string GridTableModel::HeaderText(int col) const {
  std::string text;
  for (int row = 0; row < fixedRows_; ++row) {
    if (row > 0) text += "\n";
    text += control_.grid.At(row, col).text;
  }
  return text;
}

QString GridTableModel::CornerText() const {
  if (!fixedRows_ || !fixedCols_) return {};
  return ToQt(HeaderText(0));
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      currentIndex().isValid()) {
    emit cellActivated(currentIndex());
    return;
  }
  QTableView::keyPressEvent(event);
}

QSize GridView::sizeHint() const {
  const QSize base = QTableView::sizeHint();
  if (!grid_) return base;
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  for (int col = 0; col < grid_->Cols(); ++col) {
    const int chars = col < static_cast<int>(grid_->ColumnWidths.size())
                          ? grid_->ColumnWidths[static_cast<size_t>(col)]
                          : 0;
    width += std::clamp(chars > 0 ? chars : 10, 1, 500) * charWidth + 12;
  }
  const int headerLines = std::max(1, std::min(grid_->FixedRows, grid_->Rows()));
  const int rows = std::clamp(grid_->Rows() - grid_->FixedRows, 1, 12);
  const int height = 2 * frameWidth() + horizontalScrollBar()->sizeHint().height() +
                     headerLines * (fontMetrics().height() + 4) + 8 +
                     rows * verticalHeader()->defaultSectionSize();
  return {std::max(base.width(), std::min(width, 1400)), std::max(base.height(), height)};
}

namespace {

// Paints the table's corner button as a header section with the text of
// the top-left cell.
class CornerPainter : public QObject {
 public:
  CornerPainter(const GridTableModel* table, QAbstractButton* corner)
      : QObject(corner), table_(table) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* button = static_cast<QAbstractButton*>(watched);
    QStyleOptionHeader option;
    option.initFrom(button);
    option.state |= QStyle::State_Raised;
    option.rect = button->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = table_->CornerText();
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(button);
    button->style()->drawControl(QStyle::CE_Header, &option, &painter, button);
    return true;
  }

 private:
  const GridTableModel* table_;
};

class GridBinding : public ControlBinding {
 public:
  GridBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    view_ = new GridView;
    table_ = new GridTableModel(control, view_);
    view_->setModel(table_);
    view_->SetGrid(&control.grid);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setWordWrap(false);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    for (QHeaderView* header : {view_->horizontalHeader(), view_->verticalHeader()}) {
      header->setSectionsClickable(false);
      header->setHighlightSections(false);
    }
    SetWidgets(view_);

    const auto doubleClick = [this](int row, int col) {
      Act([this, row, col] { this->form().DoubleClick(name(), row, col); });
    };
    QObject::connect(view_, &QTableView::doubleClicked, [this, doubleClick](const QModelIndex& i) {
      doubleClick(i.row() + table_->FixedRows(), i.column() + table_->FixedCols());
    });
    QObject::connect(view_, &GridView::cellActivated, [this, doubleClick](const QModelIndex& i) {
      doubleClick(i.row() + table_->FixedRows(), i.column() + table_->FixedCols());
    });
    QObject::connect(
        view_->horizontalHeader(), &QHeaderView::sectionDoubleClicked,
        [this, doubleClick](int section) { doubleClick(0, section + table_->FixedCols()); });
    QObject::connect(
        view_->verticalHeader(), &QHeaderView::sectionDoubleClicked,
        [this, doubleClick](int section) { doubleClick(section + table_->FixedRows(), 0); });
    HookCorner(doubleClick);
  }

 protected:
  void Apply(FormProperty property) override {
    if (property != FormProperty::Grid) return;
    table_->Sync();
    view_->horizontalHeader()->setVisible(table_->FixedRows() > 0);
    view_->verticalHeader()->setVisible(table_->FixedCols() > 0);
    ApplyCurrentCell();
    if (corner_) corner_->update();
    // Many cells change one by one while a grid is filled: size the
    // columns once, when the changes are over.
    if (!widthsPending_) {
      widthsPending_ = true;
      QTimer::singleShot(0, view_, [this] { ApplyColumnWidths(); });
    }
  }

 private:
  void ApplyCurrentCell() {
    const GridModel& g = model().grid;
    const int row = g.CurrentRow - table_->FixedRows();
    const int col = g.CurrentCol - table_->FixedCols();
    if (row < 0 || col < 0 || row >= table_->rowCount() || col >= table_->columnCount()) return;
    const QModelIndex index = table_->index(row, col);
    if (view_->currentIndex() != index) {
      view_->setCurrentIndex(index);
      view_->scrollTo(index);
    }
  }

  // Widths are in characters; a width of 0 fits the column to its texts.
  void ApplyColumnWidths() {
    widthsPending_ = false;
    const GridModel& g = model().grid;
    const int charWidth = view_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int col = 0; col < g.Cols(); ++col) {
      const int chars = std::clamp(col < static_cast<int>(g.ColumnWidths.size())
                                       ? g.ColumnWidths[static_cast<size_t>(col)]
                                       : 0,
                                   0, 500);
      const int pixels = chars * charWidth + 12;
      const int section = col - table_->FixedCols();
      if (section < 0) {
        if (chars > 0) view_->verticalHeader()->setFixedWidth(pixels);
      } else if (chars > 0) {
        view_->setColumnWidth(section, pixels);
      } else {
        view_->resizeColumnToContents(section);
      }
    }
  }

  // The table's corner button shows the top-left cell's text and reports
  // its double-click.
  void HookCorner(const std::function<void(int, int)>& doubleClick) {
    corner_ = view_->findChild<QAbstractButton*>();
    if (!corner_) return;
    new EventHook(corner_, QEvent::MouseButtonDblClick, [doubleClick, this](QEvent*) {
      if (table_->FixedRows() && table_->FixedCols()) doubleClick(0, 0);
    });
    corner_->installEventFilter(new CornerPainter(table_, corner_));
  }

  GridView* view_;
  GridTableModel* table_;
  QAbstractButton* corner_ = nullptr;
  bool widthsPending_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> MakeGrid(Form& form, const Control& control) {
  return std::make_unique<GridBinding>(form, control);
}

}  // namespace quorvane::qt
