#include "app/session.h"
#include "plot/bivariate_plot_window.h"
#include "plot/distribution_plot_window.h"

namespace quorvane {

bool ShowDistributionPlots(Session& session, const DistributionPlotInput& input) {
  FillDistributionTable(session.Plots, input, DistributionKindOf(session.State));
  DistributionPlotWindow window(session.ui(), session.Plots, input, session.State.EditorClosed);
  return window.Show();
}

void ShowBivariatePlot(Session& session, const BivariatePlotInput& input) {
  BivariatePlotWindow window(session.ui(), input, session.State.EditorClosed);
  window.Show();
}

}  // namespace quorvane
