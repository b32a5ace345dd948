#include "tfn/forecast/forecast_window.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/session.h"
#include "base/files/text_file.h"
#include "base/ui/export_csv.h"
#include "base/ui/finite_answer.h"
#include "core/evaluate_objective.h"
#include "core/fuse_groups.h"
#include "plot/forecast_plot.h"
#include "tfn/forecast/forecast_csv.h"
#include "tfn/forecast/forecast_report.h"
#include "tfn/summary/back_transform.h"
#include "tfn/summary/summary_file.h"

namespace quorvane {
namespace {

constexpr const char* kTitle = "Forecast";

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

double ValueOr(const SeriesValue& v) { return v ? *v : NAN; }

}  // namespace

std::optional<int> ParseForecastPeriods(const std::string& text) {
  const std::string t = Trimmed(text);
  int value = 0;
  const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  if (value < kMinForecastPeriods || value > kMaxForecastPeriods) return std::nullopt;
  return value;
}

ForecastWindow::ForecastWindow(Session& session, const TfnModel& model)
    : session_(session), model_(model), form_("frmForecast", "Forecasts"),
      plot_("frmForecastPlot", "Forecast plot") {
  form_.BeginColumn();
  form_.BeginRow();
  form_.Add(ControlKind::Button, "cmdSaveForecast", "&Save forecasts").onClick = [this] { SaveForecasts(); };
  form_.Add(ControlKind::Button, "cmdExportCsv", "Export as CSV...").onClick = [this] {
    ExportForecastsCsv();
  };
  form_.Add(ControlKind::Button, "cmdPlotForecast", "&Plot forecasts...").onClick = [this] { ShowPlot(); };
  form_.End();
  Control& pane = form_.Add(ControlKind::TextPane, "rtbForecast");
  pane.readOnly = false;  // the user may edit the report before saving it
  form_.End();
  form_.onClosed = [this] {
    if (plot_.IsOpen()) session_.ui().CloseForm(plot_);
  };
  BuildPlotForm();
  // Both stay open while other commands run, as the user may be editing the
  // report; a new forecast replaces them and a new set-up closes them.
}

void ForecastWindow::BuildPlotForm() {
  plot_.BeginColumn();
  plot_.BeginRow();
  plot_.Add(ControlKind::Label, "lblForecastSeries", "Response series:");
  Control& series = plot_.Add(ControlKind::ComboBox, "cboForecastSeries");
  series.onChange = [this] { DrawPlot(); };
  Control& analysed = plot_.Add(ControlKind::OptionButton, "optAnalysedScale", "Analysed scale");
  analysed.group = "scale";
  analysed.onClick = [this] { DrawPlot(); };
  Control& original = plot_.Add(ControlKind::OptionButton, "optOriginalScale", "Original scale");
  original.group = "scale";
  original.onClick = [this] { DrawPlot(); };
  plot_.Add(ControlKind::Button, "cmdClosePlot", "&Close").onClick = [this] { session_.ui().CloseForm(plot_); };
  plot_.End();
  plot_.Add(ControlKind::Surface, "Graph");
  plot_.Add(ControlKind::Label, "lblForecastNote");
  plot_.End();
}

void ForecastWindow::Reset() {
  forecast_.reset();
  Ui& ui = session_.ui();
  if (plot_.IsOpen()) ui.CloseForm(plot_);
  if (form_.IsOpen()) ui.CloseForm(form_);
}

void ForecastWindow::AskAndForecast() {
  Ui& ui = session_.ui();
  for (;;) {
    const std::string typed =
        ui.AskValue("Number of periods ahead to forecast (1 to 1000):", kTitle,
                    std::to_string(kDefaultForecastPeriods));
    if (Trimmed(typed).empty()) return;  // cancelled
    if (RefuseNotFinite(ui, typed, kTitle)) continue;
    if (const std::optional<int> periods = ParseForecastPeriods(typed)) {
      ForecastPeriods(*periods);
      return;
    }
    ui.ShowMessage("The number of periods ahead must be a whole number from 1 to 1000.", kTitle,
                   Icon::Exclamation);
  }
}

bool ForecastWindow::ForecastPeriods(int periods) {
  Ui& ui = session_.ui();
  AlgorithmData& data = session_.Algorithm;
  // The forecasts start from the filter state at the current values: one
  // evaluation there makes them the model's kept results.
  BuildFuseGroups(data, session_.Fuse);
  ui.SetStatusPanel(5, 1, "One moment please while one function call is executed...");
  EvaluateObjective(session_, data.Values, 1, false);
  ui.SetStatusPanel(5, 1, "");
  try {
    forecast_ = ForecastTfnModel(model_, data.Values, data.Steps, periods);
  } catch (const ForecastError& error) {
    ui.ShowMessage(error.Text, error.Title, Icon::Exclamation);
    return false;
  }
  const ResponseSeriesData& response = model_.Response();
  const ForecastReportSource source{model_.Name(),
                                    response.FileName,
                                    session_.State.AlgorithmFileName,
                                    response.EndPeriod,
                                    response.Differencing,
                                    model_.Setup().Response.Transformation,
                                    response.SeasonalDifferencingLag,
                                    model_.Setup().Response.TransformBeforeDifferencing,
                                    response.Calendar};
  if (form_.IsOpen()) ui.BringToFront(form_);
  else ui.ShowForm(form_);
  form_.SetText("rtbForecast", WriteForecastReport(*forecast_, source));
  if (plot_.IsOpen()) DrawPlot();
  return true;
}

void ForecastWindow::SaveForecasts() {
  Ui& ui = session_.ui();
  const std::string& title = session_.State.DataFileTitle;
  const FileDialogRequest request{"Save forecasts in...",
                                  "All files (*.*)|*.*|Forecast files (*.qvf)|*.qvf|Named for data file (" +
                                      title + ".*)|" + title + ".*|",
                                  2, kDefaultForecastFileName};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  std::string text = SavedSummaryText(*path, form_.Text("rtbForecast"));
  if (auto error = WriteTextFileAtomically(*path, text)) {
    ui.ShowMessage("The forecasts could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Forecasts not saved", Icon::Exclamation);
    return;
  }
  form_.SetText("rtbForecast", std::move(text));
}

void ForecastWindow::ExportForecastsCsv() {
  if (!forecast_) return;
  const ResponseSeriesData& response = model_.Response();
  ExportCsv(session_.ui(), {ForecastCsv(*forecast_, response.Names.empty() ? "" : response.Names[0],
                                        response.Calendar),
                            "forecasts", kDefaultForecastCsvName});
}

void ForecastWindow::ShowPlot() {
  if (!forecast_) return;
  std::vector<std::string> names;
  for (const SeriesForecast& s : forecast_->Series) names.push_back(s.Name);
  plot_.SetItems("cboForecastSeries", names);
  plot_.SetSelectedIndex("cboForecastSeries", 0);
  // The original scale when every series has it, otherwise the analysed one.
  bool original = true;
  for (const SeriesForecast& s : forecast_->Series) original = original && !s.Original.empty();
  plot_.SetChecked(original ? "optOriginalScale" : "optAnalysedScale", true);
  plot_.SetChecked(original ? "optAnalysedScale" : "optOriginalScale", false);
  Ui& ui = session_.ui();
  if (plot_.IsOpen()) ui.BringToFront(plot_);
  else ui.ShowForm(plot_);
  DrawPlot();
}

void ForecastWindow::DrawPlot() {
  if (!forecast_ || forecast_->Series.empty()) return;
  const int index = std::clamp(plot_.Get("cboForecastSeries").selectedIndex, 0,
                               static_cast<int>(forecast_->Series.size()) - 1);
  const SeriesForecast& series = forecast_->Series[static_cast<size_t>(index)];
  const int k = series.Series;
  const ResponseSeriesData& response = model_.Response();
  const TfnBestEvaluation& best = model_.Best();
  const bool original = plot_.Checked("optOriginalScale") && !series.Original.empty();
  const std::vector<ForecastRow>& rows = original ? series.Original : series.Analysed;

  ForecastPlotSeries picture;
  picture.Calendar = response.Calendar;
  picture.FirstPeriod = response.FirstAnalysedPeriod;
  picture.FirstForecastPeriod = response.EndPeriod + 1;
  BackTransformedFit back;
  if (original) back = ComputeBackTransformedFit(model_.Setup().Response, response, best);
  for (int t = response.FirstAnalysedPeriod; t <= response.EndPeriod; ++t) {
    const auto cell = static_cast<size_t>((t - response.FirstAnalysedPeriod) * response.SeriesCount + k - 1);
    if (original) {
      picture.Observed.push_back(ValueOr(response.Raw.At(t, k)));
      picture.Fit.push_back(ValueOr(back.Fit.At(t, k)));
    } else {
      picture.Observed.push_back(ValueOr(response.Analysed.At(t, k)));
      picture.Fit.push_back(ValueOr(best.Fitted[cell]));
    }
  }
  for (const ForecastRow& row : rows) {
    picture.Forecast.push_back(row.Forecast);
    picture.Lower.push_back(row.Lower);
    picture.Upper.push_back(row.Upper);
  }
  const PeriodCalendar& calendar = response.Calendar;
  std::string note = series.Name + (original ? ", original scale" : ", analysed scale") + ": periods " +
                     calendar.Label(picture.FirstPeriod) + " to " +
                     calendar.Label(picture.FirstForecastPeriod + static_cast<int>(rows.size()) - 1) +
                     "; forecasts from period " + calendar.Label(picture.FirstForecastPeriod) + ".";
  if (plot_.Checked("optOriginalScale") && series.Original.empty()) note += "  " + series.OriginalNote;
  // The saved figure: the note as its title, the data file's name of the
  // time column and the series' name on the axes.
  Figure figure = DrawForecastFigure(picture);
  figure.Title = note;
  figure.X.Title = Trimmed(response.Names.empty() ? "" : response.Names[0]);
  if (figure.X.Title.empty()) figure.X.Title = "Period";
  figure.Y.Title = Trimmed(series.Name);
  plot_.SetSurface("Graph", DrawForecastPicture(picture), std::move(figure));
  plot_.SetCaption("lblForecastNote", note);
}

}  // namespace quorvane
