#include "plot/bivariate_plot_window.h"

#include "base/format/format_picture.h"
#include "plot/distribution_plot.h"

namespace quorvane {

BivariatePlotWindow::BivariatePlotWindow(Ui& ui, const BivariatePlotInput& input, bool& editorClosed)
    : ui_(ui), input_(input), editorClosed_(editorClosed), form_("frmBivarPlot", "Bivariate pdf plot") {
  form_.BeginRow();
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblVar");
  form_.Add(ControlKind::Surface, "Graph");
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblXYMin");
  form_.Add(ControlKind::Label, "lblPeak");
  form_.Add(ControlKind::Label, "lblXYMax");
  form_.End();
  form_.Add(ControlKind::Label, "lblLineInfo");
  form_.End();
  form_.BeginColumn();
  form_.BeginFrame("SE's");
  form_.Add(ControlKind::Label, "lblHighDensity", "High Density");
  form_.Add(ControlKind::Surface, "LegendBox");
  form_.Add(ControlKind::Label, "lblLowDensity", "Low Density");
  form_.Add(ControlKind::Label, "lblLegend");
  form_.End();
  form_.Add(ControlKind::Label, "lblCorr");
  form_.Add(ControlKind::Button, "cmdDone", "&Done").onClick = [this] { ui_.CloseForm(form_); };
  form_.End();
  form_.End();
  form_.onClosed = [this] { editorClosed_ = true; };
}

void BivariatePlotWindow::Draw() {
  bool lines = false;
  Surface graph = DrawBivariatePicture(input_, &lines);
  Figure figure = DrawBivariateFigure(input_);
  form_.SetSurface("LegendBox", DrawBivariateLegend());
  form_.SetCaption("lblLineInfo", lines ? "NOTE: Dashed line(s) locate 0 and/or 1" : "");
  form_.SetCaption("lblVar", "X - Axis: " + ParameterValuesTitle(input_.ParameterX) + "\r\nY - Axis: " +
                              ParameterValuesTitle(input_.ParameterY));
  const PlotFrame f = BivariateFrame(input_);
  const double dx = input_.X.size() > 1 ? (input_.X[1] - input_.X[0]) / 2.0 : 0.0;
  const double dy = input_.Y.size() > 1 ? (input_.Y[1] - input_.Y[0]) / 2.0 : 0.0;
  const auto e = [](double v) { return FormatPicture(v, "0.000E+00"); };
  if (!input_.X.empty() && !input_.Y.empty()) {
    form_.SetCaption("lblXYMax", "X-Max = " + e(f.X.Max - dx) + "\r\nY-Max = " + e(f.Y.Max - dy));
    form_.SetCaption("lblXYMin", "X-Min = " + e(input_.X.front()) + "\r\nY-Min = " + e(input_.Y.front()));
  }
  form_.SetCaption("lblPeak", "X-Peak = " + e(input_.PeakX) + "\r\nY-Peak = " + e(input_.PeakY));
  form_.SetCaption("lblLegend", "   0.0  \r\n< 0.5\r\n< 1.0\r\n< 1.5\r\n< 2.0\r\n< 2.5\r\n< 3.0");
  const auto r = WeightedCorrelation(input_);
  form_.SetCaption("lblCorr", r ? "       r = " + FormatPicture(*r, "#0.0##") : "");
  // The figure: the window's caption as its title, the peak and the
  // correlation beside the plot as its caption.
  figure.Title = form_.Caption();
  figure.Caption = "X-Peak = " + e(input_.PeakX) + ", Y-Peak = " + e(input_.PeakY);
  if (r) figure.Caption += ", r = " + FormatPicture(*r, "#0.0##");
  form_.SetSurface("Graph", std::move(graph), std::move(figure));
}

void BivariatePlotWindow::Show() {
  Draw();
  ui_.ShowForm(form_, true);
}

}  // namespace quorvane
