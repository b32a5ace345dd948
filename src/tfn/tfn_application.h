#pragma once

#include "tfn/forecast/forecast_window.h"
#include "tfn/initialize_window.h"
#include "tfn/summary/summary_window.h"
#include "tfn/tfn_model.h"

namespace quorvane {

class Session;

// The time-series model as the application carries it: the model, its
// set-up window joined to the session's Initialize command, and its results
// summary window, which the model's summary call (NF = -1) fills, with the
// forecasts it opens.
class TfnApplication {
 public:
  TfnModel& Model() { return model_; }

  // Joins the model to the session: the Initialize command opens the set-up
  // window, whose Continue sets the model up.
  void Attach(Session& session);

  InitializeWindow& Window() { return *window_; }
  SummaryWindow& Summary() { return *summary_; }
  ForecastWindow& Forecasts() { return *forecasts_; }

 private:
  std::optional<ValidationMessage> RunSetUp(Session& session, const TfnSetup& setup);

  TfnModel model_;
  std::unique_ptr<InitializeWindow> window_;
  std::unique_ptr<SummaryWindow> summary_;
  std::unique_ptr<ForecastWindow> forecasts_;
};

}  // namespace quorvane
