#include "evaluate/likelihood_profile.h"

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/format/plain_number_text.h"
#include "base/ui/finite_answer.h"
#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/objective_scale.h"
#include "evaluate/confidence_distribution.h"
#include "evaluate/evaluation_windows.h"
#include "evaluate/profile_points.h"
#include "evaluate/profile_report.h"
#include "minimize/marquardt_command.h"
#include "minimize/marquardt_run.h"
#include "minimize/profile_point_link.h"
#include "minimize/simplex_run.h"
#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "ML parameter estimate evaluation";

constexpr const char* kPlotsMessage =
    "This routine will create a series of plots, and if desired, save the x-y data. \r\n\r\n"
    "Choose plot 1 to get a likelihood profile plot. \r\n"
    "Choose plot 2 to get a confidence distribution at ML estimates. \r\n"
    "Choose plot 3 to get a mode-centered confidence region plot. \r\n"
    "Choose plot 4 to get a mean-centered confidence region plot. \r\n"
    "Choose plot 5 to get a left to right ascending cumulative plot. \r\n"
    "Choose plot 6 to get a left to right descending cumulative plot. \r\n"
    "Choose plot 7 to get a mode-centered Gaussian distribution plot.";

constexpr const char* kContinueQuestion =
    "First choose the parameter to be profiled, then the number of data points. "
    "You may then wisely edit the mid-range of the parameter value and the step size. "
    "For example, if you choose 101 profile points then profile point 1 will be the parameter "
    "value - 50 * the step size, profile point 51 will be the parameter value, and profile "
    "point 101 will be the parameter value + 50 * the step size. "
    "This routine is works best when the value of the parameter corresponds to the minimum. "
    "We suggest you first build a covariance matrix for parameters with non-zero step sizes "
    "and thus let the statistical machinery determine approximate values for the step sizes. "
    "Be warned, however, that this choice will automatically change the values for step sizes "
    "in your algorithm data file.\r\n\r\n"
    "Do you want to continue?";

double ClockSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Text that reads as a number: after blanks, an optional sign, then a digit
// or a point followed by a digit.
bool IsNumeric(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  if (text[i] == '+' || text[i] == '-') ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// One run of the procedure. It lends itself to the minimisers as the link
// to the current point, and remembers what it changed so that every way out
// can put it back.
class ProfileRun final : public ProfilePointLink {
 public:
  explicit ProfileRun(Session& session)
      : s_(session), ui_(session.ui()), state_(session.State), ev_(session.Evaluation),
        data_(session.Algorithm) {}

  void Run();

  std::int16_t CurrentPoint() const override { return ev_.ProfilePoint; }
  std::int16_t PointCount() const override { return ev_.ProfilePointCount; }
  // The profile takes F again at the minimised values itself (without priors).
  void StoreMinimum(double, double) override {}
  void StopAfterThisPoint() override {
    ev_.LastProfilePoint = ev_.ProfilePoint;
    ev_.ProfilePoint = static_cast<std::int16_t>(ev_.ProfilePointCount + 2);
  }

 private:
  enum class Go { On, Exit };

  Go Introduce();
  Go OfferPreviousResults(bool& showStored);
  Go AskParameter();
  void AskPointCount();
  void AskMinimizer();
  Go StepsFromCovariance();
  Go EditAlgorithmData();
  Go SetUp();
  void ProfilePoints();
  void Finish(double h, bool reverse);
  void Exit();

  int Parameter() const { return state_.ProfiledParameter; }
  void ZeroStep();
  void NoResults() { ev_.ProfilePointCount = 0; }

  Session& s_;
  Ui& ui_;
  AppState& state_;
  EvaluationSeries& ev_;
  AlgorithmData& data_;

  // What this run changed, restored on the way out.
  bool stepZeroed_ = false;
  int stepParameter_ = 0;
  double savedStep_ = 0.0;
  bool valueMoved_ = false;
  double savedValue_ = 0.0;
  bool producedSeries_ = false;  // the series now belong to this run
  double scale_ = 1.0;
};

void ProfileRun::ZeroStep() {
  stepParameter_ = Parameter();
  savedStep_ = data_.Steps[stepParameter_];
  stepZeroed_ = true;
  data_.Steps[stepParameter_] = 0.0;
}

void ProfileRun::Run() {
  state_.ProfileMode = true;
  ev_.EditorOpened = false;
  bool showStored = false;
  if (Introduce() == Go::On && OfferPreviousResults(showStored) == Go::On) {
    if (showStored) {
      Finish(ev_.Step, false);
    } else if (AskParameter() == Go::On) {
      AskPointCount();
      AskMinimizer();
      if (StepsFromCovariance() == Go::On && EditAlgorithmData() == Go::On) {
        // From here to the last point an interrupt is the profile's own (the
        // minimisation at a point answers those that come while it runs).
        const InterruptScope interruptible(ui_, [this] { state_.ProfileInterrupt = true; });
        if (SetUp() == Go::On) ProfilePoints();
      }
    }
  }
  Exit();
}

ProfileRun::Go ProfileRun::Introduce() {
  ui_.ShowMessage(kPlotsMessage, kTitle, Icon::Information);
  return ui_.AskYesNo(kContinueQuestion, kTitle, Icon::Question) == Answer::Yes ? Go::On : Go::Exit;
}

ProfileRun::Go ProfileRun::OfferPreviousResults(bool& showStored) {
  const int n = ev_.ProfilePointCount;
  const int p = Parameter();
  const bool stored = n >= 3 && static_cast<int>(ev_.ProfileValues.size()) > n &&
                      ev_.ProfileValues[static_cast<std::size_t>(n)] != ev_.ProfileValues[1] &&
                      ev_.LastEvaluationKind == "ML" && ev_.IsCurrent(s_.Free.BuildNumber) &&
                      p >= 1 && p <= data_.ParameterCount;
  if (!stored) return Go::On;
  if (ui_.AskYesNo("Do you want to perform minimizations now?\r\n\r\n"
                   "Choosing 'NO' will give you the previous ML plots",
                   kTitle, Icon::Question) == Answer::No) {
    showStored = true;
    producedSeries_ = true;
  }
  return Go::On;
}

ProfileRun::Go ProfileRun::AskParameter() {
  // A model that reports no observations and suggests no constant needs the
  // user's constant to turn its objective into -ln[L].
  const Model* model = s_.model();
  if (model && !model->ObjectiveConstant() && s_.Outputs.NOBS <= 0 && s_.AskCovarianceConstant &&
      !s_.AskCovarianceConstant())
    return Go::Exit;
  const std::string prompt = "Choose the parameter number to be profiled:\r\n0 < parameter # <= " +
                             PlainNumberText(data_.ParameterCount);
  while (true) {
    const std::string answer = ui_.AskValue(prompt, kTitle, "");
    if (answer.empty()) return Go::Exit;
    if (!IsNumeric(answer) || RefuseNotFinite(ui_, answer, kTitle)) continue;
    const double number = std::nearbyint(LeadingNumber(answer));  // halves to even
    if (number >= 1 && number <= data_.ParameterCount) {
      state_.ProfiledParameter = static_cast<std::int16_t>(number);
      return Go::On;
    }
    state_.ProfiledParameter = 0;
  }
}

void ProfileRun::AskPointCount() {
  while (true) {
    const std::string answer = ui_.AskValue(
        "Choose the number of x-y data points per plot:\r\n0 <= # points <= 1001", kTitle, "25");
    if (!IsNumeric(answer) || RefuseNotFinite(ui_, answer, kTitle)) continue;
    const std::optional<int> n = ProfilePointCountFromAnswer(LeadingNumber(answer));
    if (!n) continue;
    ev_.ProfilePointCount = static_cast<std::int16_t>(*n);
    return;
  }
}

void ProfileRun::AskMinimizer() {
  ev_.ProfileMinimizer = ui_.AskYesNo("Choose 'Yes' to minimize with SIMPLEX\r\n"
                                      "Choose 'No' to minimize with MARQUARDT",
                                      kTitle, Icon::Question) == Answer::Yes
                             ? "S"
                             : "M";
}

ProfileRun::Go ProfileRun::StepsFromCovariance() {
  if (!state_.CovarianceAvailable) return Go::On;
  while (true) {
    const std::string answer =
        ui_.AskValue("Base step sizes on SD's from covariance grid 1, 2, 3, No or Quit?\r\n"
                     "Please enter 1, 2, 3, N, or Q",
                     kTitle, "N");
    if (answer.empty() || answer == "Q" || answer == "q") {
      NoResults();
      return Go::Exit;
    }
    if (answer == "N" || answer == "n") return Go::On;
    if (answer != "1" && answer != "2" && answer != "3") continue;
    const int grid = answer[0] - '0';
    BuildFuseGroups(data_, s_.Fuse);
    BuildFreeParameterList(data_, s_.Free);
    const int n = ev_.ProfilePointCount;
    for (int k = 1; k <= s_.Free.FreeCount; ++k) {
      const int i = s_.Free.FreeIndex[k];
      if (data_.Steps[i] == 0.0) continue;
      // The n points then span the value +- 4 standard errors. A parameter
      // without a standard error on that grid keeps its step.
      const std::optional<double> se = s_.CovarianceSd ? s_.CovarianceSd(grid, k) : std::nullopt;
      if (se && *se > 0.0) data_.Steps[i] = 24.0 * *se / (3.0 * n - 3.0);
    }
    return Go::On;
  }
}

ProfileRun::Go ProfileRun::EditAlgorithmData() {
  state_.EditorClosed = false;
  s_.Editor().Open();
  ev_.EditorOpened = true;
  ui_.WaitUntil([this] { return state_.EditorClosed; }, "the algorithm data editor to finish");
  if (data_.Steps[Parameter()] == 0.0) {
    ui_.ShowMessage("The parameter chosen has a step size of zero; please try again", kTitle,
                    Icon::Exclamation);
    NoResults();
    return Go::Exit;
  }
  return Go::On;
}

ProfileRun::Go ProfileRun::SetUp() {
  const int n = ev_.ProfilePointCount;
  ev_.SizeSeries(n);
  producedSeries_ = true;
  const int P = Parameter();
  ev_.Centre = data_.Values[P];
  ev_.Step = data_.Steps[P];
  savedValue_ = ev_.Centre;
  ZeroStep();
  ev_.LowestObjective = 1E+100;
  ev_.BestPoint = 0;
  ev_.StartSeconds = ClockSeconds();
  ui_.ShowStatusBar(4, true);
  BuildFuseGroups(data_, s_.Fuse);
  BuildFreeParameterList(data_, s_.Free);
  if (s_.Free.FreeCount == 0) s_.Main().ShowProfileInterrupt(true);
  ui_.PumpEvents();

  // One ObjectiveScale for every point, taken at the current values.
  const double F0 = EvaluateObjective(s_, data_.Values, 1, false);
  const Model* model = s_.model();
  const std::optional<double> constant = model ? model->ObjectiveConstant() : std::nullopt;
  std::optional<double> scale;
  if (constant || s_.Outputs.NOBS > 0)
    scale = FixedObjectiveScale(constant, F0, s_.Outputs.NOBS, s_.Free.FreeCount);
  else if (state_.ObjectiveScale > 0.0)
    scale = state_.ObjectiveScale;  // the user's constant
  if (!scale) {
    ui_.ShowMessage("Cannot accept a negative or zero constant; perhaps the degrees of freedom are "
                    "zero or fewer",
                    "Insufficient degrees of freedom", Icon::Exclamation);
    NoResults();
    return Go::Exit;
  }
  scale_ = *scale;
  state_.ObjectiveScale = scale_;
  return Go::On;
}

void ProfileRun::ProfilePoints() {
  const int n = ev_.ProfilePointCount;
  const int P = Parameter();
  const int middle = (n - 1) / 2 + 1;
  const double c = ev_.Centre, h = ev_.Step;
  for (int p = 1; p <= n; ++p) {
    ev_.ProfilePoint = static_cast<std::int16_t>(p);
    const auto k = static_cast<std::size_t>(p);
    const double value = c - (middle - p) * h;
    data_.Values[P] = value;
    valueMoved_ = true;
    ev_.ProfileValues[k] = value;
    double F = 0.0;
    if (s_.Free.FreeCount == 0) {
      ui_.SetStatusPanel(5, 1,
                         "Calculating profile point " + FormatPicture(p, "###0") + " of " +
                             FormatPicture(n, "###0") + "," + " Value of parameter # " +
                             PlainNumberText(P) + " which is being profiled is: " +
                             FormatPicture(value, "0.0000E+00"));
      ui_.PumpEvents();
      F = EvaluateObjective(s_, data_.Values, 1, false);
    } else {
      ForgetStaleResults(s_, ResultsChange::EstimatesMovedOutsideSimplex);
      if (p == 1) {
        if (ev_.ProfileMinimizer == "M" && !ChooseDerivatives(s_)) {
          NoResults();
          return;
        }
        if (ev_.ProfileMinimizer == "S") s_.Simplex.Allocate(data_.ParameterCount);
      }
      ForgetStaleResults(s_, ResultsChange::EstimatesMoving);
      if (ev_.ProfileMinimizer == "S") {
        RunSimplex(s_, this);
      } else if (RunMarquardt(s_, this) == MarquardtOutcome::DerivativesMissing) {
        // Every other point would fail the same way.
        NoResults();
        return;
      }
      // The minimisers keep the list's start values; the profiled value stays put.
      if (ev_.ProfilePoint <= n) F = EvaluateObjective(s_, data_.Values, 1, false);
    }
    if (ev_.ProfilePoint <= n) {
      double objective = F / scale_;
      if (state_.PriorsActive && s_.PriorObjective()) objective += s_.PriorObjective()(data_.Values) / scale_;
      ev_.ProfileObjective[k] = objective;
      if (state_.ProfileInterrupt) {
        state_.ProfileInterrupt = false;
        if (ui_.AskYesNo("Interrupt received.  Quit calculations?", "Maximum-likelihood calculations",
                         Icon::Question) == Answer::Yes)
          StopAfterThisPoint();
      }
    }
    if (ev_.ProfilePoint == n + 2) {
      ev_.ProfilePointCount = static_cast<std::int16_t>(KeptPointsAfterStop(ev_.LastProfilePoint));
      break;
    }
    if (ev_.ProfileObjective[k] < ev_.LowestObjective) {
      ev_.LowestObjective = ev_.ProfileObjective[k];
      ev_.BestPoint = static_cast<std::int16_t>(p);
      ev_.BestValue = value;
    }
    const RemainingTime left = EstimateRemainingTime(ClockSeconds() - ev_.StartSeconds, p, n);
    ui_.SetStatusPanel(4, 1, "Minimizations remaining: " + std::string(" ") + PlainNumberText(n - p));
    ui_.SetStatusPanel(4, 2, "Estimated time remaining (m:s): " + left.Text());
    ui_.SetProgress(static_cast<double>(p) / static_cast<double>(n));
    ui_.PumpEvents();
  }
  data_.Values[P] = c;
  valueMoved_ = false;
  if (ev_.ProfilePointCount < 3) {
    NoResults();
    return;
  }
  Finish(h, h < 0.0);
}

void ProfileRun::Finish(double h, bool reverse) {
  if (reverse) {
    ReverseProfilePoints(ev_);
    h = -h;
    ev_.Step = h;
  }
  ui_.Beep();
  if (ev_.BestPoint < 1 || ev_.BestPoint > ev_.ProfilePointCount) return;
  ConfidenceDistribution(ev_, h);
  if (s_.ShowDistributionPlots) s_.ShowDistributionPlots();
  s_.EvaluationViews().ShowStatistics(WriteProfileReport(ev_));
}

void ProfileRun::Exit() {
  ForgetStaleResults(s_, ResultsChange::EstimatesMovedOutsideSimplex);
  if (valueMoved_) data_.Values[Parameter()] = savedValue_;
  if (stepZeroed_) {
    data_.Steps[stepParameter_] = savedStep_;
    // The list counts the profiled parameter again.
    BuildFuseGroups(data_, s_.Fuse);
    BuildFreeParameterList(data_, s_.Free);
  }
  if (producedSeries_) {
    ev_.LastEvaluationKind = "ML";
    ev_.EvaluationCurrent = true;
    ev_.FreeListBuild = s_.Free.BuildNumber;
  }
  state_.ProfileMode = false;
  state_.ProfileInterrupt = false;
  s_.Main().ShowProfileInterrupt(false);
  s_.ShowMainMenu();
  ui_.SetStatusPanel(5, 1, "");
  ui_.SetStatusPanel(4, 1, "");
  ui_.SetStatusPanel(4, 2, "");
  ui_.ShowStatusBar(4, false);
  ui_.SetProgress(-1.0);
  ui_.PumpEvents();
  if (ev_.EditorOpened)
    ui_.ShowMessage("Your algorithm file may have been automatically edited", "A friendly reminder",
                    Icon::Exclamation);
}

}  // namespace

void RunLikelihoodProfile(Session& session) { ProfileRun(session).Run(); }

}  // namespace quorvane
