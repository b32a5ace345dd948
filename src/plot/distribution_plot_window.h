#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/ui/form.h"
#include "base/ui/ui.h"
#include "plot/distribution_plot.h"
#include "plot/plot_table.h"

namespace quorvane {

class Session;
struct AppState;

// The seven series of a parameter evaluation, as the distribution plot
// window draws them. Every vector has one element per evaluated point, in
// the order of the parameter values.
struct DistributionPlotInput {
  std::vector<double> Values;     // ProfileValues: the evaluated parameter's values
  std::vector<double> Objective;  // ProfileObjective
  std::vector<double> Pdf;        // ProfilePdf
  std::vector<double> ModeRegion;
  std::vector<double> MeanRegion;
  std::vector<double> Cumulative;  // ProfileCumulative; series 6 is 1 minus it
  std::vector<double> NormalPdf;
  int ParameterNumber = 1;
  double BestValue = 0.0;
  double ExpectedValue = 0.0;
  double EstimatedSE = 0.0;
};

// Which evaluation made the series: it names series 2.
enum class DistributionKind { Profile, Posterior, Prior };
// By the modes of the application state: PriorProfileMode, else
// PosteriorMode, else (ProfileMode) the likelihood profile.
DistributionKind DistributionKindOf(const AppState& state);

// Fills the plot table with the seven columns of the distribution table,
// rows 1..n, and the X title "Values for parameter # N".
void FillDistributionTable(PlotTable& table, const DistributionPlotInput& input,
                           DistributionKind kind);

// The distribution plot window frmDistPlot ("Distribution plots").
class DistributionPlotWindow {
 public:
  DistributionPlotWindow(Ui& ui, const PlotTable& table, const DistributionPlotInput& input,
                         bool& editorClosed);

  Form& form() { return form_; }
  const DistributionPicture& Picture() const { return picture_; }

  // Loads the column names into listVar, selects the first, clears the plot
  // and shows the window modally. Returns false when "&Done" closed it, which
  // stops further paging.
  bool Show();
  void Load();
  void PlotIt();  // DrawDistributionPlot: "&Plot it!" and a double click on listVar
  void ClearPlot();

 private:
  void BuildForm();
  void Redraw();  // the surface and its figure

  Ui& ui_;
  const PlotTable& table_;
  DistributionPlotInput input_;
  bool& editorClosed_;
  Form form_;
  DistributionPicture picture_;
  std::string caption_;  // the statistics of series 2, once it is plotted
  bool continuePaging_ = true;
};

// ShowDistributionPlots: fills the session's plot table from `input`, series
// 2 named by the session's modes, and shows the distribution plot window
// modally. Returns whether the caller should show further pages (false
// after "&Done").
bool ShowDistributionPlots(Session& session, const DistributionPlotInput& input);

}  // namespace quorvane
