#include "plot/xy_plot_window.h"

#include <cmath>

#include "base/format/leading_number.h"
#include "base/format/file_names.h"
#include "base/format/plain_number_text.h"
#include "base/ui/export_csv.h"
#include "plot/plot_range.h"
#include "plot/plot_statistics.h"
#include "plot/plot_table_csv.h"

namespace quorvane {
namespace {

const char* const kOptions[] = {"Check_Line_LtoR", "Check_Line_RtoL", "Check_Line", "Check_Scatter",
                                "Check_Drop",      "Check_10X10",     "Check_8X8"};

// The options each option clears when it becomes checked.
std::vector<std::string> ClearedBy(const std::string& option) {
  if (option == "Check_Drop" || option == "Check_8X8" || option == "Check_10X10") {
    std::vector<std::string> all;
    for (const char* o : kOptions)
      if (option != o) all.push_back(o);
    return all;
  }
  if (option == "Check_Scatter") return {"Check_Drop", "Check_10X10", "Check_8X8"};
  std::vector<std::string> cleared{"Check_Drop", "Check_10X10", "Check_8X8"};
  for (const char* line : {"Check_Line", "Check_Line_LtoR", "Check_Line_RtoL"})
    if (option != line) cleared.push_back(line);
  return cleared;
}

}  // namespace

XYPlotWindow::XYPlotWindow(Ui& ui, const PlotTable& table, bool& editorClosed)
    : ui_(ui), table_(table), editorClosed_(editorClosed), form_("frmXYPlot", "Data and prediction plots") {
  BuildForm();
  form_.SetChecked("Check_Line", true);
  form_.SetChecked("Check_Scatter", true);
  form_.SetChecked("Check_Drop", false);
  Redraw();
  form_.onClosed = [this] { editorClosed_ = true; };
}

void XYPlotWindow::BuildForm() {
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblGraphPage");
  form_.BeginRow();
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblXVar", "X variate:");
  Control& xList = form_.Add(ControlKind::ListBox, "listXVar");
  xList.onDoubleClick = [this](int, int) { PlotIt(); };
  xList.onClick = [this] { VariateChosen(); };
  form_.Add(ControlKind::Label, "lblYVar", "Y variate:");
  Control& yList = form_.Add(ControlKind::ListBox, "listYVar");
  yList.onDoubleClick = [this](int, int) { PlotIt(); };
  yList.onClick = [this] { VariateChosen(); };
  form_.BeginFrame("Set Min/Max:");
  // What the user types into a box is a limit the saved figure keeps; what
  // the window writes there is not.
  const auto limitBox = [this](const char* label, const char* caption, const char* box,
                               std::optional<double> XYPlotLimits::*limit) {
    form_.Add(ControlKind::Label, label, caption);
    Control& c = form_.Add(ControlKind::TextBox, box);
    c.onChange = [this, box, limit] {
      const std::string& text = form_.Text(box);
      const bool blank = text.find_first_not_of(" \t") == std::string::npos;
      picture_.Limits.*limit = blank ? std::nullopt : std::optional<double>(LeadingNumber(text));
    };
  };
  limitBox("lblYmax", "Y-Max:", "txtYmax", &XYPlotLimits::YMax);
  limitBox("lblYmin", "Y-Min:", "txtYmin", &XYPlotLimits::YMin);
  limitBox("lblXmax", "X-Max (label):", "txtXmax", &XYPlotLimits::XMax);
  limitBox("lblXmin", "X-Min (label):", "txtXmin", &XYPlotLimits::XMin);
  form_.End();
  form_.End();
  form_.BeginColumn();
  form_.Add(ControlKind::Surface, "Graph");
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblXStart");
  form_.Add(ControlKind::Label, "lblXMaxMin");
  form_.Add(ControlKind::Label, "lblXEnd");
  form_.End();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblGraphMax");
  form_.Add(ControlKind::Label, "lblYMaxMin");
  form_.Add(ControlKind::Label, "lblCorr");
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblYZero");
  form_.Add(ControlKind::Label, "lblXZero");
  form_.End();
  form_.End();
  form_.End();
  form_.BeginColumn();
  form_.BeginFrame("Plot Options:");
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
  } options[] = {{"Check_Line_LtoR", "Lines >", "Connects left to right sequential points"},
                 {"Check_Line_RtoL", "Lines <", "Connects right to left sequential points"},
                 {"Check_Line", "Lines <>", "Connects all points with a line"},
                 {"Check_Scatter", "Points", ""},
                 {"Check_Drop", "Drop lines", ""},
                 {"Check_10X10", "10x10 Grid", ""},
                 {"Check_8X8", "8x8 Grid", ""}};
  for (const auto& o : options) {
    Control& c = form_.Add(ControlKind::CheckBox, o.name, o.caption);
    c.toolTip = o.tip;
    const std::string name = o.name;
    c.onClick = [this, name] { OptionChecked(name); };
  }
  form_.End();
  form_.Add(ControlKind::Button, "cmdPlot", "&Plot it!").onClick = [this] { PlotIt(); };
  form_.Add(ControlKind::Button, "cmdClear", "&Clear Plot && Reset Axes").onClick = [this] { ClearPlot(); };
  form_.Add(ControlKind::Button, "cmdExportCsv", "Export as CSV...").onClick = [this] { ExportTable(); };
  form_.Add(ControlKind::Button, "cmdNext_Page", "&Next Plot Page").onClick = [this] {
    ui_.CloseForm(form_);
  };
  form_.Add(ControlKind::Button, "cmdCancel", "&Quit plots").onClick = [this] {
    continuePaging_ = false;
    ui_.CloseForm(form_);
  };
  form_.Add(ControlKind::Label, "txtScaling",
                            "Plots are automatically scaled \r\nto the range of the data, unless \r\n"
                            "the model includes a scaling \r\nfunction. To override a scaling \r\n"
                            "function, set the maximum or \r\nminimum of X or Y to 0.\r\n");
  form_.End();
  form_.End();
  form_.End();
}

void XYPlotWindow::OptionChecked(const std::string& option) {
  if (!form_.Checked(option)) return;
  for (const std::string& other : ClearedBy(option)) form_.SetChecked(other, false);
}

void XYPlotWindow::Load() {
  form_.SetCaption("lblGraphPage", table_.PageTitle.empty() ? "" : "Page:  " + table_.PageTitle);
  std::vector<std::string> items{table_.XTitle};
  for (int c = 1; c <= table_.ColumnCount; ++c) items.push_back(table_.ColumnName[static_cast<size_t>(c)]);
  form_.SetItems("listXVar", items);
  form_.SetItems("listYVar", items);
  form_.SetSelectedIndex("listXVar", 0);
  form_.SetSelectedIndex("listYVar", 0);
  ClearPlot();
}

bool XYPlotWindow::Show() {
  Load();
  continuePaging_ = true;
  ui_.ShowForm(form_, true);
  const bool result = continuePaging_;
  continuePaging_ = true;
  return result;
}

double XYPlotWindow::Value(int column, int row) const {
  if (column <= 0)
    return RowToX(row, table_.FirstRow, table_.LastRow, table_.XLabelMin, table_.XLabelMax);
  return table_.Cell(row, column);
}

std::string XYPlotWindow::XText(double x, bool xIsColumn) const {
  if (xIsColumn || !table_.XCalendar.IsDated()) return PlainNumberText(x);
  return table_.XCalendar.Label(std::llround(x));
}

void XYPlotWindow::ExportTable() {
  ExportCsv(ui_, {PlotTableCsv(table_), "plot table", DateTimeFileName(".csv")});
}

void XYPlotWindow::ClearPlot() {
  picture_.Plots.clear();
  picture_.Grid10 = picture_.Grid8 = false;
  picture_.Limits = {};
  for (const char* label : {"lblYZero", "lblXZero", "lblXMaxMin", "lblYMaxMin", "lblCorr", "lblXStart",
                            "lblXEnd", "lblGraphMax"})
    form_.SetCaption(label, "");
  FillBoxes();
  picture_.Frame.X = {table_.XLabelMin, table_.XLabelMax};
  picture_.Frame.XCalendar = form_.Get("listXVar").selectedIndex <= 0 ? table_.XCalendar : PeriodCalendar();
  if (!(picture_.Frame.X.Min < picture_.Frame.X.Max)) picture_.Frame.X = WidenedRange(picture_.Frame.X, {});
  picture_.Frame.Y = WidenedRange({LeadingNumber(form_.Text("txtYmin")), LeadingNumber(form_.Text("txtYmax"))}, {});
  Redraw();
}

void XYPlotWindow::VariateChosen() {
  // Until something is plotted the boxes show the bounds of the chosen
  // variates; after that they hold the ranges that the next plot widens.
  if (picture_.Plots.empty()) FillBoxes();
}

void XYPlotWindow::FillBoxes() {
  const int xColumn = form_.Get("listXVar").selectedIndex;
  const int yColumn = form_.Get("listYVar").selectedIndex;
  if (xColumn <= 0) {
    form_.SetText("txtXmin", XText(table_.XLabelMin, false) + " (" + PlainNumberText(table_.FirstRow) + ")");
    form_.SetText("txtXmax", XText(table_.XLabelMax, false) + " (" + PlainNumberText(table_.LastRow) + ")");
  } else {
    form_.SetText("txtXmin", PlainNumberText(table_.ColumnMin[static_cast<size_t>(xColumn)]));
    form_.SetText("txtXmax", PlainNumberText(table_.ColumnMax[static_cast<size_t>(xColumn)]));
  }
  if (yColumn >= 1 && yColumn <= table_.ColumnCount) {
    form_.SetText("txtYmin", PlainNumberText(table_.ColumnMin[static_cast<size_t>(yColumn)]));
    form_.SetText("txtYmax", PlainNumberText(table_.ColumnMax[static_cast<size_t>(yColumn)]));
  } else {
    form_.SetText("txtYmin", PlainNumberText(table_.XLabelMin));
    form_.SetText("txtYmax", PlainNumberText(table_.XLabelMax));
  }
}

void XYPlotWindow::Redraw() {
  // The page title without the blank that ends it.
  std::string title = table_.PageTitle;
  title.erase(title.find_last_not_of(' ') + 1);
  form_.SetSurface("Graph", DrawXYPlotPicture(picture_), DrawXYPlotFigure(picture_, title));
}

void XYPlotWindow::PlotIt() {
  ++counter_;
  const int color = counter_ % 15;
  const bool grid10 = form_.Checked("Check_10X10");
  const bool grid8 = form_.Checked("Check_8X8");
  if (grid10 || grid8) {
    if (grid10) picture_.Grid10 = !picture_.Grid10;
    if (grid8) picture_.Grid8 = !picture_.Grid8;
    Redraw();
    return;
  }
  const int xColumn = std::max(0, form_.Get("listXVar").selectedIndex);
  const int yColumn = std::max(0, form_.Get("listYVar").selectedIndex);
  const bool xIsColumn = xColumn > 0;

  XYPlotSeries plot;
  plot.Color = color;
  plot.Style.Points = form_.Checked("Check_Scatter");
  plot.Style.Lines = form_.Checked("Check_Line");
  plot.Style.LinesLeftToRight = form_.Checked("Check_Line_LtoR");
  plot.Style.LinesRightToLeft = form_.Checked("Check_Line_RtoL");
  plot.Style.DropLines = form_.Checked("Check_Drop");
  const auto& names = form_.Get("listYVar").items;
  plot.Name = names[static_cast<size_t>(yColumn)];
  const auto centred = static_cast<size_t>(yColumn);
  plot.CentredOnZero = yColumn > 0 && centred < table_.ColumnCentredOnZero.size() &&
                       table_.ColumnCentredOnZero[centred];
  for (int t = table_.FirstRow; t <= table_.LastRow; ++t) {
    const double y = Value(yColumn, t);
    const double x = Value(xColumn, t);
    if (IsMissingPlotValue(y) || (xIsColumn && IsMissingPlotValue(x))) continue;
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    plot.X.push_back(x);
    plot.Y.push_back(y);
  }
  if (plot.X.empty()) return;  // nothing to draw: the ranges stay as they were

  const PlotRange y = WidenedRange({LeadingNumber(form_.Text("txtYmin")), LeadingNumber(form_.Text("txtYmax"))}, plot.Y);
  PlotRange x;
  if (xIsColumn)
    x = WidenedRange({LeadingNumber(form_.Text("txtXmin")), LeadingNumber(form_.Text("txtXmax"))}, plot.X);
  else
    x = WidenedRange({table_.XLabelMin, table_.XLabelMax}, plot.X);
  form_.SetText("txtYmin", PlainNumberText(y.Min));
  form_.SetText("txtYmax", PlainNumberText(y.Max));
  if (xIsColumn) {
    form_.SetText("txtXmin", PlainNumberText(x.Min));
    form_.SetText("txtXmax", PlainNumberText(x.Max));
  }
  picture_.Frame = {x, y, xIsColumn ? PeriodCalendar() : table_.XCalendar};
  picture_.XIsColumn = xIsColumn;

  form_.SetCaption("lblYZero", SpansZero(y) ? "Horizontal dashed line shows Y=0" : "");
  form_.SetCaption("lblXZero", xIsColumn && SpansZero(x) ? "Vertical dashed line shows X=0" : "");
  std::string range = "Y-Max =  " + PlainNumberText(y.Max) + "\r\nY-Min =  " + PlainNumberText(y.Min);
  if (xIsColumn)
    range += "\r\nX-Max =  " + PlainNumberText(x.Max) + "\r\nX-Min =  " + PlainNumberText(x.Min);
  form_.SetCaption("lblGraphMax", range);
  form_.SetCaption("lblXStart", XText(x.Min, xIsColumn));
  form_.SetCaption("lblXEnd", XText(x.Max, xIsColumn));
  picture_.XName = names[static_cast<size_t>(xColumn)];
  form_.SetCaption("lblYMaxMin", "Y: " + names[static_cast<size_t>(yColumn)]);
  form_.SetCaption("lblXMaxMin", "X: " + names[static_cast<size_t>(xColumn)]);

  std::string stats;
  if (plot.Style.DropLines) stats = WeightedDistributionLabel(plot.X, plot.Y);
  else if (plot.Style.Points || plot.Style.Lines || plot.Style.LinesLeftToRight || plot.Style.LinesRightToLeft)
    stats = CorrelationLabel(plot.X, plot.Y, xIsColumn);
  form_.SetCaption("lblCorr", stats);

  picture_.Plots.push_back(std::move(plot));
  Redraw();
}

}  // namespace quorvane
