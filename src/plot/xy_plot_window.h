#pragma once

#include <string>

#include "base/ui/form.h"
#include "base/ui/ui.h"
#include "plot/plot_table.h"
#include "plot/xy_plot_picture.h"

namespace quorvane {

class Session;

// The XY plot window frmXYPlot ("Data and prediction plots"): any column of
// the plot table against the row number or against another column. Plots
// accumulate on the surface Graph until "&Clear Plot && Reset Axes".
// "Export as CSV..." saves the whole table as comma-separated text. Rows
// that are dated periods are labelled by their dates.
class XYPlotWindow {
 public:
  // `editorClosed` is the flag that waiting calculations poll; closing the
  // window sets it.
  XYPlotWindow(Ui& ui, const PlotTable& table, bool& editorClosed);

  Form& form() { return form_; }
  const XYPlotPicture& Picture() const { return picture_; }
  int PlotCounter() const { return counter_; }
  bool ContinuePaging() const { return continuePaging_; }

  // Loads the lists from the table, selects their first items, clears the
  // plot and shows the window modally. Returns ContinuePaging as the window
  // left it ("&Quit plots" makes it false), restored to true for the next use.
  bool Show();
  // Fills the lists and clears the plot, as Show does, without showing.
  void Load();

  // "&Plot it!" and a double click on either list.
  void PlotIt();
  // "&Clear Plot && Reset Axes".
  void ClearPlot();
  // "Export as CSV...".
  void ExportTable();

 private:
  void BuildForm();
  void OptionChecked(const std::string& option);
  void VariateChosen();
  void FillBoxes();  // the four boxes from the bounds of the chosen variates
  double Value(int column, int row) const;  // column 0: the row's X
  // An X value as the boxes and labels show it: its date when X is the
  // row of a table of dated periods.
  std::string XText(double x, bool xIsColumn) const;
  void Redraw();

  Ui& ui_;
  const PlotTable& table_;
  bool& editorClosed_;
  Form form_;
  XYPlotPicture picture_;
  int counter_ = 0;
  bool continuePaging_ = true;
};

// Shows the XY plot window for the session's plot table. Returns whether the
// caller should go on to its next page.
bool ShowXYPlot(Session& session);

}  // namespace quorvane
