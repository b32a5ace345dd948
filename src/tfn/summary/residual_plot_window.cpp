#include "tfn/summary/residual_plot_window.h"

#include <algorithm>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/ui/ui.h"
#include "plot/residual_plots.h"
#include "tfn/diagnostics/normal_quantile.h"

namespace quorvane {

ResidualPlotWindow::ResidualPlotWindow(Ui& ui) : ui_(ui), form_("frmResidualPlot", "Residual plots") {
  form_.BeginColumn();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblResidualSeries", "Response series:");
  form_.Add(ControlKind::ComboBox, "cboResidualSeries").onChange = [this] { Draw(); };
  const auto option = [this](const char* name, const char* caption) {
    Control& c = form_.Add(ControlKind::OptionButton, name, caption);
    c.group = "residualPlot";
    c.onClick = [this] { Draw(); };
  };
  option("optResidualAcf", "ACF");
  option("optResidualPacf", "PACF");
  option("optResidualQq", "Normal Q-Q");
  form_.Add(ControlKind::Button, "cmdCloseResidualPlot", "&Close").onClick = [this] { Close(); };
  form_.End();
  form_.Add(ControlKind::Surface, "Graph");
  form_.Add(ControlKind::Label, "lblResidualNote");
  form_.End();
  form_.SetChecked("optResidualAcf", true);
}

void ResidualPlotWindow::Show(const ResidualCorrelation& residuals) {
  residuals_ = residuals;
  std::vector<std::string> names;
  for (const SeriesResidualCorrelation& s : residuals_->Series) names.push_back(s.Name);
  const int selected = form_.Get("cboResidualSeries").selectedIndex;
  form_.SetItems("cboResidualSeries", names);
  form_.SetSelectedIndex("cboResidualSeries",
                         selected >= 0 && selected < static_cast<int>(names.size()) ? selected : 0);
  if (form_.IsOpen()) ui_.BringToFront(form_);
  else ui_.ShowForm(form_);
  Draw();
}

void ResidualPlotWindow::Close() {
  if (form_.IsOpen()) ui_.CloseForm(form_);
}

void ResidualPlotWindow::Draw() {
  if (!residuals_ || residuals_->Series.empty()) return;
  const int index = std::clamp(form_.Get("cboResidualSeries").selectedIndex, 0,
                               static_cast<int>(residuals_->Series.size()) - 1);
  const SeriesResidualCorrelation& s = residuals_->Series[static_cast<size_t>(index)];
  const std::string who = "series " + PlainNumberText(s.Series) + " (" + s.Name + ")";
  Surface picture;
  Figure figure;
  std::string note;
  if (form_.Checked("optResidualQq")) {
    const NormalQuantilePoints points = NormalQuantilePairs(s.Residuals);
    const QuantilePlotSeries series{points.Theoretical, points.Sample};
    picture = DrawQuantilePlotPicture(series);
    figure = DrawQuantilePlotFigure(series);
    figure.X.Title = "Standard normal quantile";
    figure.Y.Title = "Standardized residual (a-hat/h-hat)";
    note = "Normal Q-Q plot of the standardized residuals of " + who + ", n = " +
           PlainNumberText(static_cast<long long>(points.Sample.size())) +
           "; the line passes through the quartiles.";
  } else {
    const bool partial = form_.Checked("optResidualPacf");
    const std::vector<double>& values = partial ? s.Pacf : s.Acf;
    CorrelogramSeries series;
    if (values.size() > 1) series.Values.assign(values.begin() + 1, values.end());
    series.Band = s.Band;
    picture = DrawCorrelogramPicture(series);
    figure = DrawCorrelogramFigure(series);
    figure.X.Title = "Lag";
    figure.Y.Title = partial ? "Partial autocorrelation" : "Autocorrelation";
    note = std::string(partial ? "PACF" : "ACF") + " of the standardized residuals of " + who + ", n = " +
           PlainNumberText(s.Count) + ", band +-1.96/sqrt(n) = +-" + FormatPicture(s.Band, "0.0000");
    if (!s.Defined) note += s.Count < 2 ? ": none, fewer than two residuals" : ": none, the residuals have no variance";
    note += ".";
  }
  figure.Title = note;
  form_.SetSurface("Graph", std::move(picture), std::move(figure));
  form_.SetCaption("lblResidualNote", note);
}

}  // namespace quorvane
