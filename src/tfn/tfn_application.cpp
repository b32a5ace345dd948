#include "tfn/tfn_application.h"

#include "core/model_set_up.h"
#include "app/session.h"
#include "tfn/series_data_error.h"

namespace quorvane {

void TfnApplication::Attach(Session& session) {
  window_ = std::make_unique<InitializeWindow>(session);
  window_->runSetUp = [this, &session](const TfnSetup& setup) { return RunSetUp(session, setup); };
  session.OpenModelSetUp = [this] { window_->Open(); };
  summary_ = std::make_unique<SummaryWindow>(session, model_);
  model_.onSummary = [this] { summary_->WriteSummary(); };
  forecasts_ = std::make_unique<ForecastWindow>(session, model_);
  summary_->onForecast = [this] { forecasts_->AskAndForecast(); };
}

std::optional<ValidationMessage> TfnApplication::RunSetUp(Session& session, const TfnSetup& setup) {
  // The series are read before anything changes; should they be unusable,
  // the algorithm data, the model and everything else stay as they were.
  const AlgorithmData before = session.Algorithm;
  model_.SetPendingSetup(setup);
  try {
    SetUpModel(session);
  } catch (const SeriesDataError& error) {
    session.Algorithm = before;
    return ValidationMessage{error.Title, error.Text};
  }

  // What belonged to the previous parameter set is discarded.
  session.State.PriorsActive = false;
  session.State.PriorsFileName.clear();
  session.Priors.Rows.assign(static_cast<size_t>(session.Algorithm.ParameterCount), PriorRow{});
  summary_->Reset();
  forecasts_->Reset();

  // The next set-up is proposed the first analysed period, as regular
  // differencing leaves it; not a season later still, which every new
  // set-up with seasonal differencing would otherwise cut off again.
  const ResponseSeriesData& response = model_.Response();
  InitializeWindow::PeriodProposal proposal{response.FirstAnalysedPeriod - response.SeasonalDifferencingLag,
                                            response.EndPeriod, 0, 0, false, response.Calendar, {}};
  if (const auto& covariates = model_.Covariates()) {
    proposal.covariateStart = covariates->FirstAnalysedPeriod;
    proposal.covariateEnd = covariates->EndPeriod;
    proposal.hasCovariates = true;
    proposal.covariateCalendar = covariates->Calendar;
  }
  window_->ProposePeriods(proposal);
  return std::nullopt;
}

}  // namespace quorvane
