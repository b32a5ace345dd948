#pragma once

#include "base/ui/form.h"
#include "base/ui/ui.h"
#include "plot/bivariate_plot.h"

namespace quorvane {

class Session;

// The bivariate plot window frmBivarPlot ("Bivariate pdf plot"): the density
// grid as cells banded by distance from the peak in SE units, with its
// legend and the density-weighted correlation.
class BivariatePlotWindow {
 public:
  BivariatePlotWindow(Ui& ui, const BivariatePlotInput& input, bool& editorClosed);

  Form& form() { return form_; }
  // Draws the grid and fills the labels and the legend.
  void Draw();
  // Draws, then shows the window modally until "&Done" or closing.
  void Show();

 private:
  Ui& ui_;
  BivariatePlotInput input_;
  bool& editorClosed_;
  Form form_;
};

// ShowBivariatePlot: the window for the grid, shown modally.
void ShowBivariatePlot(Session& session, const BivariatePlotInput& input);

}  // namespace quorvane
