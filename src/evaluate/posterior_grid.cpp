#include "evaluate/posterior_grid.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"
#include "base/format/plain_number_text.h"
#include "base/ui/finite_answer.h"
#include "core/algorithm_editor.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/number_entry.h"
#include "core/objective_scale.h"
#include "evaluate/bayesian_statistics_window.h"
#include "evaluate/bivariate_grid_file.h"
#include "evaluate/confidence_distribution.h"
#include "evaluate/evaluation_series.h"
#include "evaluate/posterior_grid_status.h"
#include "evaluate/posterior_integration.h"
#include "evaluate/posterior_report.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "Bayesian parameter estimate evaluation";
constexpr const char* kCrLf = "\r\n";
constexpr double kEvaluationLimit = 2147483647.0;

std::string OpeningMessage() {
  return std::string("This routine will create a series of plots, and if desired, save the x-y data. ") +
         kCrLf + kCrLf + "Choose plot 1 to get a likelihood profile plot. " + kCrLf +
         "Choose plot 2 to get a Bayesian posterior distribution. " + kCrLf +
         "Choose plot 3 to get a mode-centered confidence region plot. " + kCrLf +
         "Choose plot 4 to get a mean-centered confidence region plot. " + kCrLf +
         "Choose plot 5 to get a left to right ascending cumulative plot. " + kCrLf +
         "Choose plot 6 to get a left to right descending cumulative plot. " + kCrLf +
         "Choose plot 7 to get a mode-centered Gaussian distribution plot." + kCrLf + kCrLf +
         "If only two variables are evaluated a bivarate pdf plot is also generated";
}

std::string ContinueQuestion() {
  return std::string("First choose the parameter to be evaluated, then the number of grid points. ") +
         "You may then wisely edit the mid-range parameter value and the step size " +
         "for that parameter and those (maximum = 6) over which probabilities will be integrated. " +
         "For a one dimensional example, if you choose 101 grid points then grid point 1 will be " +
         "the parameter value - 50 * the step size, grid point 51 will be the point parameter value, " +
         "and grid point 101 will be the parameter value + 50 * the step size. " +
         "Parameters with a step size of zero will not be integrated into the BP distribution. " +
         "We suggest you first build a covariance matrix for parameters with non-zero step sizes " +
         "and thus let the statistical machinery determine approximate values for the step sizes. " +
         "Be warned, however, that this choice will automatically change the values for step sizes " +
         "in your algorithm data file." + kCrLf + kCrLf + "Do you want to continue?";
}

// A whole number typed by the user, rounded halves to even; nothing when
// the text is not a number.
std::optional<long long> WholeAnswer(const std::string& text) {
  const auto number = ParseNumber(text);
  if (!number) return std::nullopt;
  const auto whole = RoundToWhole(*number, -1000000000LL, 1000000000LL);
  if (!whole) return *number < 0 ? -1000000000LL : 1000000000LL;
  return *whole;
}

// An odd count of at least 3.
std::int16_t OddCount(long long count) {
  if (count < 3) count = 3;
  if (count % 2 == 0) ++count;
  return static_cast<std::int16_t>(count);
}

// One run of the procedure; Exit() holds every path's restore rules.
class PosteriorRun {
 public:
  explicit PosteriorRun(Session& session)
      : session_(session), ui_(session.ui()), state_(session.State), data_(session.Algorithm),
        series_(session.Evaluation) {}

  void Run() {
    state_.PosteriorMode = true;
    editorOpened_ = false;
    ui_.ShowMessage(OpeningMessage(), kTitle, Icon::Information);
    if (ui_.AskYesNo(ContinueQuestion(), kTitle, Icon::Question) == Answer::Yes) {
      if (OfferPreviousResults()) Finish(/*fresh=*/false);
      else if (SetUp() && Integrate()) Finish(/*fresh=*/true);
    }
    Exit();
  }

 private:
  // Step 4: true when the user asks for the stored results again.
  bool OfferPreviousResults() {
    const int n = series_.ProfilePointCount;
    if (n == 0 || series_.ProfileValues.size() <= static_cast<std::size_t>(n) ||
        series_.ProfileValues[static_cast<std::size_t>(n)] == series_.ProfileValues[1] ||
        series_.LastEvaluationKind != "BP" || !series_.IsCurrent(session_.Free.BuildNumber))
      return false;
    if (ui_.AskYesNo(std::string("Do you want to perform integrations now?") + kCrLf + kCrLf +
                         "Choosing 'NO' will give you the previous BP plots",
                     kTitle, Icon::Question) == Answer::Yes)
      return false;
    TakeOutEvaluatedParameter();
    gridCount_ = session_.Bivariate.Exists() ? 1 : 0;
    return true;
  }

  // Steps 5 to 12: the questions, the editor and the set-up of the grid.
  // False: the run ends without results.
  bool SetUp() {
    for (;;) {
      BuildFuseGroups(data_, session_.Fuse);
      BuildFreeParameterList(data_, session_.Free);
      if (session_.Outputs.NOBS == 0 && !Constant() && session_.AskCovarianceConstant &&
          !session_.AskCovarianceConstant()) {
        series_.ProfilePointCount = 0;
        return false;
      }
      if (!AskParameter()) return false;
      if (!AskPointCounts()) continue;  // back to step 5
      if (!WithinEvaluationLimit()) return false;
      if (!ApplyCovarianceSteps()) return false;
      OpenEditor();
      if (data_.Steps[parameter_] == 0.0) {
        ui_.ShowMessage("The parameter chosen has a step size of zero; please try again",
                        "Problem with setup", Icon::Exclamation);
        series_.ProfilePointCount = 0;
        return false;
      }
      centre_ = data_.Values[parameter_];
      step_ = data_.Steps[parameter_];
      TakeOutEvaluatedParameter();
      BuildFuseGroups(data_, session_.Fuse);
      BuildFreeParameterList(data_, session_.Free);
      gridCount_ = session_.Free.FreeCount;
      if (gridCount_ > kMaxGridParameters) {
        ui_.ShowMessage("Too many free parameters - maximum is 6", "Problem with setup",
                        Icon::Exclamation);
        series_.ProfilePointCount = 0;
        return false;
      }
      if (!FixScaleAndReference()) return false;
      try {
        result_.Prepare(spec_);
        work_ = data_.Values;
      } catch (const std::bad_alloc&) {
        ui_.ShowMessage("Bivariate array is probably too large; reduce grid size", "Error message",
                        Icon::Exclamation);
        RestoreEvaluatedParameter();
        continue;  // back to step 5
      }
      return true;
    }
  }

  std::optional<double> Constant() const {
    return session_.model() ? session_.model()->ObjectiveConstant() : std::nullopt;
  }

  // Step 6.
  bool AskParameter() {
    const int NP = data_.ParameterCount;
    for (;;) {
      const std::string text = ui_.AskValue(
          std::string("Choose the parameter number to be evaluated or Quit: ") + kCrLf +
              "0 < parameter # <= " + PlainNumberText(NP),
          kTitle, "");
      if (text.empty()) return false;
      if (RefuseNotFinite(ui_, text, kTitle)) continue;
      const auto number = WholeAnswer(text);
      if (!number) continue;
      if (*number >= 1 && *number <= NP) {
        parameter_ = static_cast<std::int16_t>(*number);
        state_.ProfiledParameter = parameter_;
        return true;
      }
      state_.ProfiledParameter = 0;
    }
  }

  // Steps 7 and 8; false: back to step 5.
  bool AskPointCounts() {
    const std::string prompt = std::string("Choose the number of data points for profile parameter:") +
                               kCrLf + "0 <= # points <= 1001";
    std::optional<long long> n;
    while (!n) {
      const std::string text = ui_.AskValue(prompt, kTitle, "25");
      if (!RefuseNotFinite(ui_, text, kTitle)) n = WholeAnswer(text);
    }
    if (*n < 1 || *n > 1001) return false;
    n_ = OddCount(*n);
    m_ = 0;
    if (session_.Free.FreeCount <= 1) return true;
    std::string text;
    do {
      text = ui_.AskValue(std::string("Choose the number of data points for grid parameter:") +
                              kCrLf + "0 <= # points <= 1001",
                          kTitle, "25");
    } while (RefuseNotFinite(ui_, text, kTitle));
    const auto m = WholeAnswer(text).value_or(0);
    if (m <= 0 || m >= 1002) return false;
    m_ = OddCount(m);
    return true;
  }

  // Step 9: n x m^(FreeCount - 1) evaluations at most 2147483647.
  bool WithinEvaluationLimit() {
    const int others = std::max(session_.Free.FreeCount - 1, 0);
    const double total = n_ * std::pow(static_cast<double>(m_), others);
    if (total <= kEvaluationLimit) return true;
    ui_.ShowMessage(std::string("Required number of function calls exceeds the maximum allowed of 2147483647.") +
                        kCrLf + "Correct this by reducing the number of free parameters or the grid resolution",
                    "Too many function calls", Icon::Exclamation);
    series_.ProfilePointCount = 0;
    return false;
  }

  // Step 10: steps from covariance standard errors; false after "Q".
  bool ApplyCovarianceSteps() {
    if (!state_.CovarianceAvailable) return true;
    const std::string answer =
        ui_.AskValue("Base step sizes on SD's from covariance grid 1, 2, 3, No or Quit?", kTitle, "N");
    if (answer == "Q" || answer == "q") {
      series_.ProfilePointCount = 0;
      return false;
    }
    if (answer != "1" && answer != "2" && answer != "3") return true;
    const int grid = answer[0] - '0';
    auto sd = [&](int k) -> std::optional<double> {
      if (!session_.CovarianceSd) return std::nullopt;
      const auto value = session_.CovarianceSd(grid, k);
      if (!value || *value < 0.0) return std::nullopt;  // -1: not available for this grid
      return value;
    };
    // The grid spans +- 3.5 standard errors, the evaluated parameter +- 4.
    const FreeParameterList& free = session_.Free;
    int evaluatedIndex = 0;
    for (int k = 1; k <= free.FreeCount; ++k) {
      const int p = free.FreeIndex[k];
      if (p == parameter_) evaluatedIndex = k;
      if (p == parameter_ || data_.Steps[p] == 0.0 || m_ < 3) continue;
      if (const auto se = sd(k)) data_.Steps[p] = 7.0 * *se / (m_ - 1);
    }
    if (evaluatedIndex != 0)
      if (const auto se = sd(evaluatedIndex)) data_.Steps[parameter_] = 24.0 * *se / (3.0 * n_ - 3.0);
    return true;
  }

  // Step 11: the user may edit the algorithm data; the run waits.
  void OpenEditor() {
    editorOpened_ = true;
    state_.EditorClosed = false;
    session_.Editor().Open();
    ui_.WaitUntil([this] { return state_.EditorClosed; }, "the algorithm data editor to close");
  }

  // Step 12.3 with the fixed scale: one ObjectiveScale for the whole run,
  // from the model's constant when it suggests one, else from the sum of
  // squares at the current values; the reference -ln[L] at the current
  // values, prior included.
  bool FixScaleAndReference() {
    Objective objective = session_.MakeObjective();
    OneBased<double> P = data_.Values;
    const double F0 = objective.Evaluate(P, 1, false);
    const std::int32_t NOBS = session_.Outputs.NOBS;
    std::optional<double> scale;
    if (Constant() || NOBS > 0) scale = FixedObjectiveScale(Constant(), F0, NOBS, gridCount_);
    else if (state_.ObjectiveScale > 0.0) scale = state_.ObjectiveScale;  // the constant the user gave
    if (!scale) {
      ui_.ShowMessage("Cannot accept a negative or zero constant; perhaps the degrees of freedom are zero or fewer",
                      "Insufficient degrees of freedom", Icon::Exclamation);
      series_.ProfilePointCount = 0;
      return false;
    }
    state_.ObjectiveScale = *scale;
    P = data_.Values;
    spec_ = PosteriorGridSpec{};
    spec_.EvaluatedParameter = parameter_;
    spec_.Centre = centre_;
    spec_.Step = step_;
    spec_.PointCount = n_;
    spec_.GridPointCount = gridCount_ > 0 ? m_ : 0;
    spec_.GridParameterCount = gridCount_;
    for (int i = 1; i <= gridCount_; ++i) {
      const int p = session_.Free.FreeIndex[i];
      spec_.GridParameter[static_cast<std::size_t>(i - 1)] = static_cast<std::int16_t>(p);
      spec_.GridCentre[static_cast<std::size_t>(i - 1)] = data_.Values[p];
      spec_.GridStep[static_cast<std::size_t>(i - 1)] = data_.Steps[p];
    }
    spec_.ObjectiveScale = *scale;
    spec_.ReferenceObjective = objective.Evaluate(P, 1, true) / *scale;
    return true;
  }

  // Steps 12.5 and 13: the loops, with the menus and bars of a running grid.
  bool Integrate() {
    ui_.ShowStatusBar(2, true);
    ui_.ShowStatusBar(4, true);
    MainWindow& main = session_.Main();
    main.ShowPosteriorInterrupt(true);
    session_.BayesianView().SetInterruptEnabled(true);
    main.ShowSecondaryMenus(false);
    session_.HideMainMenu();
    ui_.PumpEvents();
    const InterruptScope interruptible(ui_, [this] { state_.PosteriorInterrupt = true; });
    PosteriorGridStatus status(ui_, state_.PosteriorInterrupt, spec_);
    Objective objective = session_.MakeObjective();
    IntegratePosterior(objective, spec_, data_.Values, work_, status, result_, session_.EvaluationThreads);
    return true;
  }

  // Step 14 on the results of this run or the stored ones.
  void Finish(bool fresh) {
    if (fresh) {
      RestoreEvaluatedParameter();
      const int n = result_.PointsKept;
      if (n < 3) {
        series_.ProfilePointCount = 0;
        return;
      }
      StoreResults(n);
      if (series_.Step < 0) ReversePoints();
      if (gridCount_ >= 1) ui_.SetStatusPanel(5, 1, "Integrations completed at " + TimeOfDayText());
    }
    produced_ = true;
    const double h = series_.Step;
    if (series_.ProfilePointCount < series_.BestPoint || series_.BestPoint < 1) return;
    ConfidenceDistribution(series_, h);
    if (session_.ShowDistributionPlots) session_.ShowDistributionPlots();
    if (gridCount_ == 1 && session_.Bivariate.Exists()) {
      const BivariateGrid& grid = session_.Bivariate;
      if (ui_.AskYesNo("Do you want to view a bivariate plot of parameters " +
                           PlainNumberText(grid.XParameter) + " and " + PlainNumberText(grid.YParameter) + "?",
                       "Bivariate plot", Icon::Question) == Answer::Yes) {
        if (session_.ShowBivariatePlot) session_.ShowBivariatePlot(grid);
        SaveBivariateGrid(ui_, grid);
      }
    }
    session_.BayesianView().ShowReport(PosteriorReportText(series_));
  }

  void StoreResults(int n) {
    series_.SizeSeries(n);
    series_.ProfilePointCount = static_cast<std::int16_t>(n);
    for (int p = 1; p <= n; ++p) {
      series_.ProfileValues[static_cast<std::size_t>(p)] = result_.Values[p];
      series_.ProfileObjective[static_cast<std::size_t>(p)] = result_.Objective[p];
    }
    series_.BestPoint = result_.BestPoint;
    series_.BestValue = result_.BestValue;
    series_.LowestObjective = result_.LowestObjective;
    series_.Centre = centre_;
    series_.Step = step_;
    session_.Bivariate = BivariateGrid{};
    if (gridCount_ != 1) return;
    BivariateGrid& grid = result_.Bivariate;
    if (n < grid.PointCount()) {
      // A stopped run keeps the rows of the points it kept.
      BivariateGrid kept = grid;
      kept.X.resize(n);
      kept.Density.assign(n, grid.GridPointCount(), 0.0);
      for (int p = 1; p <= n; ++p)
        for (int j = 1; j <= grid.GridPointCount(); ++j) kept.Density(p, j) = grid.Density(p, j);
      grid = std::move(kept);
    }
    session_.Bivariate = std::move(grid);
  }

  // Points computed from high to low values (a negative step) are put in
  // increasing order, and the step made positive.
  void ReversePoints() {
    const int n = series_.ProfilePointCount;
    for (int p = 1; p <= n / 2; ++p) {
      const auto a = static_cast<std::size_t>(p), b = static_cast<std::size_t>(n - p + 1);
      std::swap(series_.ProfileValues[a], series_.ProfileValues[b]);
      std::swap(series_.ProfileObjective[a], series_.ProfileObjective[b]);
    }
    series_.BestPoint = static_cast<std::int16_t>(n - series_.BestPoint + 1);
    const auto best = static_cast<std::size_t>(series_.BestPoint);
    series_.BestValue = series_.ProfileValues[best];
    series_.LowestObjective = series_.ProfileObjective[best];
    series_.Step = -series_.Step;
  }

  // The evaluated parameter leaves the free list for the run: its step is
  // kept for the restore and set to 0.
  void TakeOutEvaluatedParameter() {
    parameter_ = state_.ProfiledParameter;
    restoreStep_ = data_.Steps[parameter_];
    data_.Steps[parameter_] = 0.0;
    session_.Free.FreeCount -= 1;
    takenOut_ = true;
  }

  void RestoreEvaluatedParameter() {
    if (!takenOut_) return;
    data_.Steps[parameter_] = restoreStep_;
    session_.Free.FreeCount += 1;
    takenOut_ = false;
  }

  // Step 15, on every path.
  void Exit() {
    ForgetStaleResults(session_, ResultsChange::EstimatesMovedOutsideSimplex);
    work_.clear();
    state_.PosteriorMode = false;
    RestoreEvaluatedParameter();
    if (produced_) {
      // These results belong to the parameter set as it now stands.
      series_.LastEvaluationKind = "BP";
      series_.EvaluationCurrent = true;
      series_.FreeListBuild = session_.Free.BuildNumber;
    }
    session_.ShowMainMenu();
    for (int bar : {2, 3, 4}) ui_.ShowStatusBar(bar, false);
    MainWindow& main = session_.Main();
    main.ShowPosteriorInterrupt(false);
    session_.BayesianView().SetInterruptEnabled(false);
    main.ShowSecondaryMenus(true);
    ui_.SetStatusPanel(5, 1, "");
    for (int panel = 1; panel <= 5; ++panel) ui_.SetStatusPanel(3, panel, "");
    ui_.SetProgress(-1.0);
    ui_.PumpEvents();
    if (editorOpened_)
      ui_.ShowMessage("Your algorithm file may have been automatically edited", "A friendly reminder",
                      Icon::Exclamation);
  }

  Session& session_;
  Ui& ui_;
  AppState& state_;
  AlgorithmData& data_;
  EvaluationSeries& series_;

  bool editorOpened_ = false;
  bool takenOut_ = false;
  bool produced_ = false;  // this run gave results, or showed the stored ones again
  std::int16_t parameter_ = 0;
  double restoreStep_ = 0.0;
  std::int16_t n_ = 0;
  std::int16_t m_ = 0;
  int gridCount_ = 0;
  double centre_ = 0.0;
  double step_ = 0.0;
  PosteriorGridSpec spec_;
  PosteriorGridResult result_;
  OneBased<double> work_;
};

}  // namespace

void RunPosteriorGrid(Session& session) { PosteriorRun(session).Run(); }

}  // namespace quorvane
