#pragma once

#include <optional>

#include "base/ui/form.h"
#include "tfn/forecast/tfn_forecast.h"
#include "tfn/tfn_model.h"

namespace quorvane {

class Session;

// The window "Forecasts" (frmForecast): the report in the text pane
// rtbForecast, which the user may edit, "&Save forecasts" (a .qvf file),
// "Export as CSV..." (the forecasts with their limits as one
// comma-separated table) and "&Plot forecasts..."; and the window "Forecast plot" (frmForecastPlot),
// which draws one response series at a time on its surface Graph: the
// observed series, the fit, the forecasts and their 95% band, on the
// analysed or the original scale.
class ForecastWindow {
 public:
  ForecastWindow(Session& session, const TfnModel& model);

  Form& form() { return form_; }
  Form& plotForm() { return plot_; }
  const std::optional<TfnForecast>& Forecast() const { return forecast_; }

  // "&Forecast...": asks for the periods ahead, evaluates the model at the
  // current values, forecasts and shows the report.
  void AskAndForecast();
  // Forecasts `periods` ahead without asking; false when the model refused.
  bool ForecastPeriods(int periods);
  void SaveForecasts();
  void ExportForecastsCsv();
  void ShowPlot();
  // A new set-up: the last forecasts belong to the old model.
  void Reset();

 private:
  void BuildPlotForm();
  void DrawPlot();

  Session& session_;
  const TfnModel& model_;
  Form form_;
  Form plot_;
  std::optional<TfnForecast> forecast_;
};

// The periods ahead as typed: a whole number from 1 to 1000, or nothing.
std::optional<int> ParseForecastPeriods(const std::string& text);

}  // namespace quorvane
