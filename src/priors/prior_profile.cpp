#include "priors/prior_profile.h"

#include <cmath>
#include <cstddef>

#include "app/session.h"
#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "base/ui/finite_answer.h"
#include "evaluate/confidence_distribution.h"
#include "evaluate/profile_report.h"
#include "priors/evaluate_priors.h"
#include "priors/prior_report_windows.h"
#include "priors/prior_windows.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "Evaluation of prior distributions";
constexpr double kLowestPositive = 1E-06;

// Text that reads as a number: after blanks, an optional sign, then a digit
// or a point followed by a digit.
bool ReadsAsNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  if (text[i] == '+' || text[i] == '-') ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

std::string Number(double value) { return ReportNumber(value); }

// The middle point of n centred on the domain's centre, and the first and
// last points' values before any is moved into the prior's support.
struct CentredPoints {
  double middle, lo, hi;
};
CentredPoints CentredRange(const PriorProfileDomain& domain, int n) {
  const double c = domain.Centre, h = domain.Step;
  const double middle = (n - 1) / 2 + 1;
  return {middle, c + (1 - middle) * h, c + (n - middle) * h};
}

// The distance between neighbouring points: the step, except where Gamma
// and Ln-normal points were moved to 1E-06..hi + 1E-06, which brings them
// closer by hi / (hi - lo). The density is normalised over that spacing.
double PriorProfileSpacing(const PriorRow& row, const PriorProfileDomain& domain, int n) {
  const auto [middle, lo, hi] = CentredRange(domain, n);
  const char type = row.Letter();
  if ((type == 'G' || type == 'L') && lo < kLowestPositive) return domain.Step * hi / (hi - lo);
  return domain.Step;
}

}  // namespace

std::optional<PriorProfileDomain> PriorProfileDomainFor(const PriorRow& row, int n) {
  const double f1 = row.FirstTerm, f2 = row.SecondTerm;
  const double panels = n - 1.0;
  switch (row.Letter()) {
    case 'N':
    case 'G':
    case 'L':
      return PriorProfileDomain{f1, 10.0 * f2 / panels};
    case 'E':
      // The term is x/m: 0 .. 10 m holds all but e^-10 of the distribution.
      if (f1 == 0.0) return std::nullopt;
      return PriorProfileDomain{0.0, 10.0 * std::fabs(f1) / panels};
    case 'B':
      return PriorProfileDomain{0.5, 1.0 / panels};
    case 'S':
    case 'D': {
      // A negative SD (only from a priors file) spans F1 +- 5|F2| so that the
      // points still ascend and the density integrates to a positive mass.
      if (f2 < 0.0) return PriorProfileDomain{f1, 10.0 * std::fabs(f2) / panels};
      double h = f2 > 0.0 ? 3.0 * f2 / (panels / 2.0) : f1 / (panels / 2.0);
      h = std::fabs(h);
      if (h == 0.0) h = 0.1;
      return PriorProfileDomain{f1, h};
    }
    case 'T': {
      const double low = f1 - 3.0 * f2, high = row.ThirdValue + 3.0 * row.FourthValue;
      double h = std::fabs(high - low) / panels;
      if (h == 0.0) h = 0.1;
      return PriorProfileDomain{(low + high) / 2.0, h};
    }
    default:
      return std::nullopt;
  }
}

double PriorProfilePointValue(const PriorRow& row, const PriorProfileDomain& domain, int n, int p) {
  const double c = domain.Centre, h = domain.Step;
  const auto [middle, lo, hi] = CentredRange(domain, n);
  switch (row.Letter()) {
    case 'G':
    case 'L':
      // Spread evenly from 1E-06 to hi + 1E-06: both terms need x > 0.
      if (lo < kLowestPositive) return (p - 1) * h * hi / (hi - lo) + kLowestPositive;
      break;
    case 'E':
      return (p - 1) * h;
    case 'B':
      if (p == 1) return kLowestPositive;
      if (p == n) return 1.0 - kLowestPositive;
      break;
    default:
      break;
  }
  return c + (p - middle) * h;
}

std::optional<int> PriorProfilePointCountFromAnswer(double answer) {
  const double rounded = std::nearbyint(answer);  // halves to even
  if (!(rounded >= 0.0 && rounded <= 1001.0)) return std::nullopt;
  int n = static_cast<int>(rounded);
  if (n == 0) n = 101;
  if (n < 3) n = 3;
  if (n % 2 == 0) ++n;
  return n;
}

bool TabulatePriorProfile(const PriorRow& row, int parameter, int n, EvaluationSeries& series,
                          Ui* ui) {
  const std::optional<PriorProfileDomain> domain = PriorProfileDomainFor(row, n);
  if (!domain) return false;
  series.ProfilePointCount = static_cast<std::int16_t>(n);
  series.SizeSeries(n);
  series.Centre = domain->Centre;
  series.Step = domain->Step;
  series.LowestObjective = 1E+100;
  series.BestPoint = 0;
  for (int p = 1; p <= n; ++p) {
    series.ProfilePoint = static_cast<std::int16_t>(p);
    const double x = PriorProfilePointValue(row, *domain, n, p);
    const auto k = static_cast<std::size_t>(p);
    series.ProfileValues[k] = x;
    if (ui) {
      ui->SetStatusPanel(5, 1,
                         "Calculating profile point " + FormatPicture(p, "###0") + " of " +
                             FormatPicture(n, "###0") + "," + " Value of parameter # " +
                             PlainNumberText(parameter) + " which is being profiled is: " +
                             FormatPicture(x, "0.0000E+00"));
      ui->PumpEvents();
    }
    // The unscaled term: the profile is in the prior's own units.
    const double term = PriorTermAt(row, x).term;
    series.ProfileObjective[k] = term;
    if (term < series.LowestObjective) {  // ties keep the earlier point
      series.LowestObjective = term;
      series.BestPoint = static_cast<std::int16_t>(p);
      series.BestValue = x;
    }
  }
  if (series.BestPoint == 0) {  // every term was not a number
    series.BestPoint = 1;
    series.BestValue = series.ProfileValues[1];
  }
  ConfidenceDistribution(series, PriorProfileSpacing(row, *domain, n));
  return true;
}

std::string PriorProfileReport(const EvaluationSeries& series) {
  std::string text =
      "Bayesian prior distribution data\r\n\r\n"
      "  Point       Value         -ln[L]           PDF        Cumulative     Attenuated     Normal PDF\r\n";
  const int n = series.ProfilePointCount;
  for (int p = 1; p <= n; ++p) {
    const auto k = static_cast<std::size_t>(p);
    text += RightJustify(FormatPicture(p, "##0"), 5) + "    " + Number(series.ProfileValues[k]) +
            Number(series.ProfileObjective[k]) + Number(series.ProfilePdf[k]) +
            Number(series.ProfileCumulative[k]) + Number(1.0 - series.ProfileCumulative[k]) +
            Number(series.NormalPdf[k]) + "\r\n";
  }
  return text + DistributionSummaryLines(series);
}

namespace {

// Steps 2 to 5 of a run: the questions, until the user gives a parameter and
// a number of points or cancels the opening question. Nothing on cancel.
struct ProfileChoice {
  int parameter = 0;
  int points = 0;
};

std::optional<ProfileChoice> AskProfileChoice(Session& session) {
  Ui& ui = session.ui();
  const int np = session.Algorithm.ParameterCount;
  while (true) {
    if (ui.AskOkCancel(
            "This routine will create a series of plots to evaluate prior distributions.\r\n"
            "If the prior distribution is uniform-unbounded (U) no plots will be generated.\r\n"
            "First choose the parameter to be profiled, then the number of data points.\r\n"
            "This routine uses the moments (mean and SD) to set the domain of the parameter.",
            kTitle, Icon::Information) != Answer::Ok)
      return std::nullopt;
    ui.ShowMessage("Choose plot 1 to get a likelihood profile plot. \r\n"
                   "Choose plot 2 to get a Bayesian prior distribution. \r\n"
                   "Choose plot 3 to get a mode-centered confidence region plot. \r\n"
                   "Choose plot 4 to get a mean-centered confidence region plot. \r\n"
                   "Choose plot 5 to get a left to right ascending cumulative plot. \r\n"
                   "Choose plot 6 to get a left to right descending cumulative plot. \r\n"
                   "Choose plot 7 to get a mode-centered Gaussian distribution plot. ",
                   kTitle, Icon::Information);
    int parameter = 0;
    bool back = false;
    while (parameter == 0) {
      int selected = session.PriorsView().SelectedParameter();
      if (selected < 1 || selected > np) selected = 1;
      const std::string answer = ui.AskValue(
          "Choose the parameter number to be profiled.\r\n(0 < parameter # <= " + PlainNumberText(np) + ")",
          kTitle, PlainNumberText(selected));
      if (answer.empty()) {
        back = true;
        break;
      }
      if (!ReadsAsNumber(answer) || RefuseNotFinite(ui, answer, kTitle)) continue;
      const double number = std::nearbyint(LeadingNumber(answer));  // halves to even
      if (number >= 1 && number <= np) parameter = static_cast<int>(number);
    }
    if (back) continue;
    session.State.ProfiledParameter = static_cast<std::int16_t>(parameter);
    const PriorRow& row = session.Priors.Rows[static_cast<std::size_t>(parameter - 1)];
    if (row.Letter() == 'U') {
      ui.ShowMessage("There is nothing to plot when the prior distribution is uniform-unbounded",
                     kTitle, Icon::Exclamation);
      continue;
    }
    if (row.Letter() == 'E' && row.FirstTerm == 0.0) {
      ui.ShowMessage("There is nothing to plot when the mean of the exponential prior is 0",
                     kTitle, Icon::Exclamation);
      continue;
    }
    std::optional<int> points;
    while (!points) {
      const std::string answer = ui.AskValue(
          "Choose the number of x-y data points per plot.\r\n(0 <= # points <= 1001)", kTitle, "101");
      if (answer.empty()) break;
      if (ReadsAsNumber(answer) && !RefuseNotFinite(ui, answer, kTitle))
        points = PriorProfilePointCountFromAnswer(LeadingNumber(answer));
    }
    if (!points) continue;
    return ProfileChoice{parameter, *points};
  }
}

}  // namespace

void RunPriorProfile(Session& session, PriorReportWindows& windows) {
  AppState& state = session.State;
  state.PriorProfileMode = true;
  struct ModeOff {
    AppState& state;
    ~ModeOff() { state.PriorProfileMode = false; }
  } modeOff{state};

  if (static_cast<int>(session.Priors.Rows.size()) < session.Algorithm.ParameterCount)
    session.Priors.Reset(session.Algorithm.ParameterCount);
  const std::optional<ProfileChoice> choice = AskProfileChoice(session);
  if (!choice) return;

  Ui& ui = session.ui();
  const PriorRow& row = session.Priors.Rows[static_cast<std::size_t>(choice->parameter - 1)];
  EvaluationSeries& series = session.Evaluation;
  if (!TabulatePriorProfile(row, choice->parameter, choice->points, series, &ui)) return;
  ui.Beep();
  if (session.ShowDistributionPlots) session.ShowDistributionPlots();
  windows.ShowPriorDists(PriorProfileReport(series));
}

}  // namespace quorvane
