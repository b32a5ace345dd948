#include "app/session.h"
#include "plot/xy_plot_window.h"

namespace quorvane {

bool ShowXYPlot(Session& session) {
  XYPlotWindow window(session.ui(), session.Plots, session.State.EditorClosed);
  return window.Show();
}

}  // namespace quorvane
