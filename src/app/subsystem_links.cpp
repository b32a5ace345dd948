#include "app/subsystem_links.h"

#include <algorithm>
#include <memory>

#include "app/session.h"
#include "covariance/covariance_command.h"
#include "covariance/covariance_results.h"
#include "evaluate/posterior_grid.h"
#include "multimodel/rank_window.h"
#include "plot/bivariate_plot_window.h"
#include "plot/distribution_plot_window.h"
#include "priors/prior_profile.h"
#include "priors/prior_report_windows.h"
#include "priors/prior_review.h"
#include "priors/prior_windows.h"

namespace quorvane {

namespace {

// The series of the last evaluation, points 1..n, for the plot window.
DistributionPlotInput DistributionInput(const Session& session) {
  const EvaluationSeries& e = session.Evaluation;
  const int n = e.ProfilePointCount;
  const auto points = [n](const std::vector<double>& series) {
    const auto count = std::min<std::size_t>(static_cast<std::size_t>(std::max(n, 0)) + 1, series.size());
    return count > 1 ? std::vector<double>(series.begin() + 1, series.begin() + static_cast<std::ptrdiff_t>(count))
                     : std::vector<double>{};
  };
  DistributionPlotInput input;
  input.Values = points(e.ProfileValues);
  input.Objective = points(e.ProfileObjective);
  input.Pdf = points(e.ProfilePdf);
  input.ModeRegion = points(e.ModeRegion);
  input.MeanRegion = points(e.MeanRegion);
  input.Cumulative = points(e.ProfileCumulative);
  input.NormalPdf = points(e.NormalPdf);
  input.ParameterNumber = session.State.ProfiledParameter;
  input.BestValue = e.BestValue;
  input.ExpectedValue = e.ExpectedValue;
  input.EstimatedSE = e.EstimatedSE;
  return input;
}

// The posterior's joint density as the plot takes it: both axes ascending.
BivariatePlotInput BivariateInput(const BivariateGrid& grid) {
  BivariatePlotInput input;
  const int n = grid.PointCount(), m = grid.GridPointCount();
  for (int i = 1; i <= n; ++i) input.X.push_back(grid.X[i]);
  for (int j = 1; j <= m; ++j) input.Y.push_back(grid.Y[j]);
  input.Density.assign(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(m)));
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= m; ++j)
      input.Density[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] = grid.Density(i, j);
  if (n > 1 && input.X.front() > input.X.back()) {
    std::reverse(input.X.begin(), input.X.end());
    std::reverse(input.Density.begin(), input.Density.end());
  }
  if (m > 1 && input.Y.front() > input.Y.back()) {
    std::reverse(input.Y.begin(), input.Y.end());
    for (auto& row : input.Density) std::reverse(row.begin(), row.end());
  }
  input.PeakDensity = grid.PeakDensity;
  input.PeakX = grid.PeakX;
  input.PeakY = grid.PeakY;
  input.ParameterX = grid.XParameter;
  input.ParameterY = grid.YParameter;
  return input;
}

}  // namespace

void LinkSubsystems(Session& session) {
  session.RunPosterior = [&session] { RunPosteriorGrid(session); };
  session.CovarianceSd = [&session](int grid, int freeIndex) -> std::optional<double> {
    if (!session.State.CovarianceAvailable || freeIndex < 1 || freeIndex > session.Free.FreeCount)
      return std::nullopt;
    return CovarianceStandardDeviation(session.Covariance, grid, session.Free.FreeIndex[freeIndex]);
  };
  session.ShowDistributionPlots = [&session] {
    if (session.Evaluation.ProfilePointCount >= 3)
      ShowDistributionPlots(session, DistributionInput(session));
  };
  session.AskCovarianceConstant = [&session] {
    AskCovarianceConstant(session);
    return true;
  };
  session.ShowBivariatePlot = [&session](const BivariateGrid& grid) {
    if (grid.Exists()) ShowBivariatePlot(session, BivariateInput(grid));
  };

  // The ranking window hides itself before it opens the priors loader, and
  // comes back when the loader or the editor closes.
  RankWindow& ranking = session.Ranking();
  ranking.OpenPriorsLoader = [&session] {
    session.State.PriorsOpenedFromRanking = true;
    session.PriorsView().OpenLoader();
  };
  session.PriorsView().onReturnToRanking = [&session] { session.Ranking().ShowAgain(); };

  // The prior profile and the review of the estimates against the priors
  // share their two report windows, which live as long as the hooks.
  auto priorReports = std::make_shared<PriorReportWindows>(session);
  session.ProfilePriorDistributions = [&session, priorReports] { RunPriorProfile(session, *priorReports); };
  session.ReviewPriors = [&session, priorReports] { ReviewPriors(session, *priorReports); };
}

}  // namespace quorvane
