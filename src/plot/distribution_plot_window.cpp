#include "plot/distribution_plot_window.h"

#include <algorithm>

#include "base/format/format_picture.h"
#include "core/app_state.h"

namespace quorvane {

DistributionKind DistributionKindOf(const AppState& state) {
  if (state.PriorProfileMode) return DistributionKind::Prior;
  if (state.PosteriorMode) return DistributionKind::Posterior;
  return DistributionKind::Profile;
}

void FillDistributionTable(PlotTable& table, const DistributionPlotInput& input,
                           DistributionKind kind) {
  const int n = static_cast<int>(input.Values.size());
  table.Reset(7, 1, n);
  const char* second = kind == DistributionKind::Prior       ? "Bayesian Prior Distribution"
                       : kind == DistributionKind::Posterior ? "Bayesian Posterior Distribution"
                                                             : "Parameter Confidence Distribution";
  const std::array<std::string, 8> names{"",
                                         "Parameter Likelihood Profile",
                                         second,
                                         "Confidence Region on mode",
                                         "Confidence Region on mean",
                                         "Cumulative L to R Distribution",
                                         "Attenuated L to R Distribution",
                                         "Gaussian Probability Distribution"};
  const std::array<double, 8> lower{0, 1E-100, 0, 0, 0, 0, 0, 0};
  const std::array<double, 8> upper{0, 1E+100, 0, 1, 1, 1, 1, 0};
  for (size_t c = 1; c <= 7; ++c) {
    table.ColumnName[c] = names[c];
    table.ColumnMin[c] = lower[c];
    table.ColumnMax[c] = upper[c];
  }
  const auto at = [](const std::vector<double>& v, int p) {
    return static_cast<size_t>(p - 1) < v.size() ? v[static_cast<size_t>(p - 1)] : kMissingPlotValue;
  };
  for (int p = 1; p <= n; ++p) {
    table.Cell(p, 1) = at(input.Objective, p);
    table.Cell(p, 2) = at(input.Pdf, p);
    table.Cell(p, 3) = at(input.ModeRegion, p);
    table.Cell(p, 4) = at(input.MeanRegion, p);
    const double cumulative = at(input.Cumulative, p);
    table.Cell(p, 5) = cumulative;
    table.Cell(p, 6) = IsMissingPlotValue(cumulative) ? kMissingPlotValue : 1.0 - cumulative;
    table.Cell(p, 7) = at(input.NormalPdf, p);
  }
  table.XTitle = ParameterValuesTitle(input.ParameterNumber);
  table.FirstRow = 1;
  table.LastRow = n;
  table.XLabelMin = n > 0 ? input.Values.front() : 0.0;
  table.XLabelMax = n > 0 ? input.Values.back() : 0.0;
  table.PageTitle.clear();
}

DistributionPlotWindow::DistributionPlotWindow(Ui& ui, const PlotTable& table,
                                               const DistributionPlotInput& input, bool& editorClosed)
    : ui_(ui), table_(table), input_(input), editorClosed_(editorClosed),
      form_("frmDistPlot", "Distribution plots") {
  BuildForm();
  form_.SetChecked("Check_Line", true);
  form_.SetChecked("Check_Scatter", true);
  form_.SetChecked("Check_Drop", false);
  picture_.X = input_.Values;
  Redraw();
  form_.onClosed = [this] { editorClosed_ = true; };
}

void DistributionPlotWindow::BuildForm() {
  form_.BeginRow();
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblListVar", "Variable to plot:");
  form_.Add(ControlKind::ListBox, "listVar").onDoubleClick = [this](int, int) { PlotIt(); };
  form_.BeginFrame("Plot Options:");
  form_.Add(ControlKind::CheckBox, "Check_Line", "Draw lines").onClick = [this] {
    if (form_.Checked("Check_Line")) form_.SetChecked("Check_Drop", false);
  };
  form_.Add(ControlKind::CheckBox, "Check_Scatter", "Draw points").onClick = [this] {
    if (form_.Checked("Check_Scatter")) form_.SetChecked("Check_Drop", false);
  };
  form_.Add(ControlKind::CheckBox, "Check_Drop", "Drop line plot").onClick = [this] {
    if (!form_.Checked("Check_Drop")) return;
    form_.SetChecked("Check_Line", false);
    form_.SetChecked("Check_Scatter", false);
  };
  form_.End();
  form_.Add(ControlKind::Button, "cmdPlot", "&Plot it!").onClick = [this] { PlotIt(); };
  form_.Add(ControlKind::Button, "cmdClear", "Cl&ear").onClick = [this] { ClearPlot(); };
  form_.Add(ControlKind::Button, "cmdDone", "&Done").onClick = [this] {
    continuePaging_ = false;
    ui_.CloseForm(form_);
  };
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblPlotInfo");
  form_.Add(ControlKind::Label, "lblPlotInfoValues");
  form_.End();
  form_.End();
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblVar");
  form_.Add(ControlKind::Surface, "Graph");
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblXStart");
  form_.Add(ControlKind::Label, "lblConfidenceInterval");
  form_.Add(ControlKind::Label, "lblXEnd");
  form_.End();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblGraphMax");
  form_.Add(ControlKind::Label, "lblVerticalLine");
  form_.End();
  form_.End();
  form_.End();
}

void DistributionPlotWindow::Load() {
  std::vector<std::string> names;
  for (int c = 1; c <= table_.ColumnCount; ++c) names.push_back(table_.ColumnName[static_cast<size_t>(c)]);
  form_.SetItems("listVar", names);
  form_.SetSelectedIndex("listVar", names.empty() ? -1 : 0);
  ClearPlot();
}

bool DistributionPlotWindow::Show() {
  Load();
  continuePaging_ = true;
  ui_.ShowForm(form_, true);
  return continuePaging_;
}

void DistributionPlotWindow::ClearPlot() {
  picture_.Plots.clear();
  for (const char* label : {"lblGraphMax", "lblVar", "lblXStart", "lblXEnd", "lblPlotInfo",
                            "lblPlotInfoValues", "lblVerticalLine", "lblConfidenceInterval"})
    form_.SetCaption(label, "");
  const double first = picture_.X.empty() ? 0.0 : picture_.X.front();
  const double last = picture_.X.empty() ? 1.0 : picture_.X.back();
  picture_.Frame.X = first < last ? PlotRange{first, last} : PlotRange{0.0, 1.0};
  picture_.Frame.Y = {-1.0, 1.0};
  caption_.clear();
  Redraw();
}

void DistributionPlotWindow::Redraw() {
  // The figure is titled by the evaluation that made the series (the name
  // of series 2) and carries the statistics beside the plot as its caption.
  Figure figure = DrawDistributionFigure(picture_, table_.ColumnName);
  figure.Title = table_.ColumnCount >= 2 ? table_.ColumnName[2] : "";
  figure.X.Title = table_.XTitle;
  figure.Caption = caption_;
  form_.SetSurface("Graph", DrawDistributionPicture(picture_), std::move(figure));
}

void DistributionPlotWindow::PlotIt() {
  const int s = form_.Get("listVar").selectedIndex + 1;
  if (s < 1 || s > table_.ColumnCount) return;
  const size_t n = std::min(picture_.X.size(), static_cast<size_t>(table_.RowCount()));
  if (n < 2 || picture_.X.front() == picture_.X[n - 1]) return;  // no X range to draw on

  DistributionPlotSeries plot;
  plot.Series = s;
  for (size_t p = 1; p <= n; ++p) plot.Y.push_back(table_.Cell(static_cast<int>(p), s));
  plot.Lines = form_.Checked("Check_Line");
  plot.Points = form_.Checked("Check_Scatter");
  plot.DropLines = form_.Checked("Check_Drop");
  const PlotRange range = DistributionYRange(plot.Y);

  // The axes are shared by every plot since the last clear: their union.
  if (picture_.Plots.empty()) picture_.Frame.Y = range;
  else picture_.Frame.Y = {std::min(picture_.Frame.Y.Min, range.Min), std::max(picture_.Frame.Y.Max, range.Max)};
  picture_.Frame.X = {picture_.X.front(), picture_.X[n - 1]};
  if (picture_.Frame.X.Min > picture_.Frame.X.Max) std::swap(picture_.Frame.X.Min, picture_.Frame.X.Max);

  const ReferenceLines ref = DistributionReferenceLines(picture_.X.front(), picture_.X[n - 1]);
  form_.SetCaption("lblVerticalLine", ref.Note);
  if (s >= 3 && s <= 6 && range.Min <= 0.95 && 0.95 <= range.Max)
    form_.SetCaption("lblConfidenceInterval", "< 95% CI >");
  form_.SetCaption("lblGraphMax", "Max =  " + FormatPicture(range.Max, "#0.0###") + "\r\nMin =  " +
                                   FormatPicture(range.Min, "#0.0###"));
  form_.SetCaption("lblVar", "Y: " + table_.ColumnName[static_cast<size_t>(s)] + "\r\nX: " + table_.XTitle);
  form_.SetCaption("lblXStart", FormatPicture(picture_.X.front(), "#0.0###"));
  form_.SetCaption("lblXEnd", FormatPicture(picture_.X[n - 1], "#0.0###"));
  if (s == 2) {
    // The same difference and percentage as the report beside the plot shows
    // under the same labels: BestValue - ExpectedValue, in percent of the
    // expected value, undefined when that is 0.
    const double diff = input_.BestValue - input_.ExpectedValue;
    form_.SetCaption("lblPlotInfo", "ML Estimate: \r\nEV Estimate:\r\nEstimated Diff:\r\nPercent Diff:\r\nEstimated SE:");
    const std::string percent =
        input_.ExpectedValue != 0.0 ? FormatPicture(100.0 * diff / input_.ExpectedValue, "0.000E+00")
                                    : "Undefined";
    form_.SetCaption("lblPlotInfoValues", FormatPicture(input_.BestValue, "0.000E+00") + "\r\n" +
                                           FormatPicture(input_.ExpectedValue, "0.000E+00") + "\r\n" +
                                           FormatPicture(diff, "0.000E+00") + "\r\n" + percent + "\r\n" +
                                           FormatPicture(input_.EstimatedSE, "0.000E+00"));
    caption_ = "ML Estimate: " + FormatPicture(input_.BestValue, "0.000E+00") +
               ", EV Estimate: " + FormatPicture(input_.ExpectedValue, "0.000E+00") +
               ", Estimated SE: " + FormatPicture(input_.EstimatedSE, "0.000E+00");
  }
  picture_.Plots.push_back(std::move(plot));
  Redraw();
}

}  // namespace quorvane
