#include "tfn/initialize_window.h"

#include <algorithm>
#include <cmath>

#include "base/format/file_names.h"
#include "base/format/leading_number.h"
#include "app/main_window.h"
#include "app/session.h"
#include "tfn/covariate_groups.h"
#include "tfn/initialize_texts.h"
#include "tfn/setup_limits.h"
#include "tfn/series_files/series_file_periods.h"

namespace quorvane {

namespace {

// A file of more periods than this keeps the standard drop-down lists.
constexpr long kMaxOfferedPeriods = 5000;

std::vector<std::string> Range(int from, int to) {
  std::vector<std::string> items;
  for (int i = from; i <= to; ++i) items.push_back(std::to_string(i));
  return items;
}

// The ordinals from..to, each with its series' name when the file gives
// one: "2: PetrolPrice". A box holding such an item reads as its ordinal.
std::vector<std::string> Ordinals(int from, int to, const std::vector<std::string>& names) {
  std::vector<std::string> items;
  for (int i = from; i <= to; ++i) {
    const auto k = static_cast<size_t>(i - 1);
    items.push_back(i >= 1 && k < names.size() && !names[k].empty() ? std::to_string(i) + ": " + names[k]
                                                                      : std::to_string(i));
  }
  return items;
}

const char* const kCovariateControls[] = {
    "lblCovDataInput", "txtCovDataInput", "cmdSelectCov", "lblCovPeriods",
    "cboCovStartTimePeriod", "lblCovTo", "cboCovEndTimePeriod", "lblCovSeries",
    "cboFirstCovSeries", "lblCovSeriesTo", "cboLastCovSeries", "lblCovDiff", "cboCovDiff",
    "optNoneCov", "optLogitCov", "optBoxCoxCov", "lblCovIntervention", "chkCovSeries1",
    "chkCovSeries2", "chkCovSeries3", "chkCovSeries4", "chkCovSeries5", "lblCovFurther",
    "txtCovInterventionSeries"};

// The covariate series a group takes: enabled with covariates and with its group.
std::string CovariateListBox(int g) { return "txtCovGroup" + std::to_string(g); }
std::string CovariateListLabel(int g) { return "lblCovGroup" + std::to_string(g); }

std::int16_t Whole(double value) {
  if (!std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);  // halves to even
  if (rounded > 32767) return 32767;
  if (rounded < -32768) return -32768;
  return static_cast<std::int16_t>(rounded);
}

// A time period: 32-bit, within what a series file can hold (the checks on
// Continue refuse anything beyond).
std::int32_t WholePeriod(double value) {
  if (!std::isfinite(value)) return 0;
  const double rounded = std::nearbyint(value);  // halves to even
  return static_cast<std::int32_t>(std::clamp(rounded, static_cast<double>(kMinPeriod),
                                              static_cast<double>(kMaxPeriod)));
}

}  // namespace

InitializeWindow::InitializeWindow(Session& session)
    : session_(session), form_("frmInitialize", "Initialize time series TFN model") {
  Build();
  Reset();
}

std::string InitializeWindow::Group(int g, char which) const {
  return form_.Text("cboOrdinal" + std::to_string(g) + which);
}

void InitializeWindow::Build() {
  Form& f = form_;
  const auto combo = [&f](const std::string& name, std::vector<std::string> items) -> Control& {
    Control& c = f.Add(ControlKind::ComboBox, name);
    c.items = std::move(items);
    return c;
  };
  const auto label = [&f](const std::string& name, const std::string& caption) {
    f.Add(ControlKind::Label, name, caption);
  };

  f.BeginRow();
  f.BeginColumn();
  f.BeginFrame("Here's what I do:");
  f.Add(ControlKind::TextPane, "txtInitialize").readOnly = true;
  f.End();
  f.BeginFrame("Data input format:");
  f.Add(ControlKind::TextPane, "txtDataFormat").readOnly = true;
  f.End();
  f.BeginFrame("Limits:");
  f.Add(ControlKind::TextPane, "txtLimits").readOnly = true;
  f.End();
  label("lblObjective", "Objective function is Melard's exact -ln[L]");
  f.End();

  f.BeginColumn();
  f.BeginFrame("Response series");
  f.BeginRow();
  label("lblResDataInput", "Response series data file:");
  f.Add(ControlKind::TextBox, "txtResDataInput").onLostFocus = [this] { ProposeFilePeriods(true); };
  f.Add(ControlKind::Button, "cmdSelectRes", "Select file").onClick = [this] { SelectFile(true); };
  f.End();
  f.BeginRow();
  label("lblResPeriods", "Accept series data for time periods:");
  combo("cboResStartTimePeriod", Range(1900, 2005));
  label("lblResTo", "to");
  combo("cboResEndTimePeriod", Range(1900, 2005));
  f.End();
  f.BeginRow();
  label("lblResSeries", "Read series from ordinal number:");
  combo("cboFirstResSeries", Range(1, 100)).onChange = [this] { ResponseSeriesChanged(); };
  label("lblResSeriesTo", "to");
  combo("cboLastResSeries", Range(1, 100)).onChange = [this] { ResponseSeriesChanged(); };
  f.End();
  f.BeginRow();
  label("lblResDiff", "Degree of differencing (0,1,2):");
  combo("cboResDiff", {"0", "1", "2"}).onChange = [this] { ResponseDifferencingChanged(); };
  label("lblResFlat", "Remove inter-series covariance?");
  combo("cboResFlat", {"N", "Y"}).toolTip =
      "Removes so-called period-effects that consistently increase or decrease values for all "
      "series within a single time period";
  f.End();
  f.BeginFrame("Seasonal terms");
  f.BeginRow();
  label("lblSeasonalPeriod", "Seasonal period:");
  combo("cboSeasonalPeriod", {"None", "4", "7", "12", "24", "52"}).toolTip =
      "The number of periods in a season (2 to 400; 12 for monthly data), or None for a model "
      "without seasonal terms";
  label("lblSeasonalDiff", "Degree of seasonal differencing (0,1):");
  combo("cboSeasonalDiff", {"0", "1"}).onChange = [this] { ResponseDifferencingChanged(); };
  f.End();
  f.BeginRow();
  label("lblSeasonalAR", "Seasonal AR order P (0 to 3):");
  combo("cboSeasonalAR", Range(0, kMaxSeasonalOrder)).toolTip =
      "The number of seasonal autoregressive parameters Phi_s, at lags s, 2s, ...";
  label("lblSeasonalMA", "Seasonal MA order Q (0 to 3):");
  combo("cboSeasonalMA", Range(0, kMaxSeasonalOrder)).toolTip =
      "The number of seasonal moving-average parameters Theta_s, at lags s, 2s, ...";
  f.End();
  f.End();
  f.BeginFrame("Response series transformations post differencing");
  f.BeginRow();
  for (const auto& [name, caption] : {std::pair{"optNoneRes", "None"},
                                      std::pair{"optLogitRes", "Logit (proportion data only)"},
                                      std::pair{"optBoxCoxRes", "Box-Cox>"}}) {
    Control& option = f.Add(ControlKind::OptionButton, name, caption);
    option.group = "Res";
    option.onClick = [this] { TransformationChanged("Res"); };
  }
  label("lblBoxCoxLambdaRes", "Lambda:");
  combo("cboBoxCoxLambdaRes", {"0", "0.5", "2.0", "3.0", "4.0"});
  label("lblBoxCoxConstantRes", "Constant:");
  combo("cboBoxCoxConstantRes", {"10", "100", "1000"});
  f.End();
  Control& first = f.Add(ControlKind::CheckBox, "chkTransformFirst", "Transform before differencing");
  first.toolTip =
      "Applies the Box-Cox or logit transformation to the series as read, before any differencing "
      "(for example the logarithm of a series whose seasonal swings grow with its level)";
  first.onClick = [this] { ResponseDifferencingChanged(); };
  f.End();
  f.End();

  f.BeginFrame("Covariates series?");
  f.BeginRow();
  for (const auto& [name, caption] : {std::pair{"optNoCov", "No"}, std::pair{"optYesCov", "Yes"}}) {
    Control& option = f.Add(ControlKind::OptionButton, name, caption);
    option.group = "Cov";
    option.onClick = [this] { CovariatesChanged(); };
  }
  f.End();
  f.BeginRow();
  label("lblCovDataInput", "Covariate series data file:");
  f.Add(ControlKind::TextBox, "txtCovDataInput").onLostFocus = [this] { ProposeFilePeriods(false); };
  f.Add(ControlKind::Button, "cmdSelectCov", "Select file").onClick = [this] { SelectFile(false); };
  f.End();
  f.BeginRow();
  label("lblCovPeriods", "Accept series data for time periods:");
  combo("cboCovStartTimePeriod", Range(1900, 2005));
  label("lblCovTo", "to");
  combo("cboCovEndTimePeriod", Range(1900, 2005));
  f.End();
  // The warning on a line of its own keeps the window narrow enough for a
  // laptop screen.
  label("lblCovWarning", "< - Last time periods of response && covariate series must coincide!");
  f.BeginRow();
  label("lblCovSeries", "Read series from ordinal number:");
  combo("cboFirstCovSeries", Range(0, kMaxCovariateSeries)).toolTip =
      "The number of covariate series must be none, or the number of original series groups "
      "(i.e., one covariate series per original series group), unless the groups list their "
      "covariate series";
  label("lblCovSeriesTo", "to");
  combo("cboLastCovSeries", Range(0, kMaxCovariateSeries)).toolTip =
      "There can be no more covariate series than original series groups; i.e., one covariate "
      "series per group, unless the groups list their covariate series (up to 5 for each group)";
  label("lblCovDiff", "Degree of differencing (0,1,2):");
  combo("cboCovDiff", {"0", "1", "2"});
  f.End();
  f.BeginFrame("Covariate series transformations post differencing");
  f.BeginRow();
  for (const auto& [name, caption] : {std::pair{"optNoneCov", "None"},
                                      std::pair{"optLogitCov", "Logit (proportion data only)"},
                                      std::pair{"optBoxCoxCov", "Box-Cox>"}}) {
    Control& option = f.Add(ControlKind::OptionButton, name, caption);
    option.group = "CovT";
    option.onClick = [this] { TransformationChanged("Cov"); };
  }
  label("lblBoxCoxLambdaCov", "Lambda:");
  combo("cboBoxCoxLambdaCov", {"0", "0.5", "2.0", "3.0", "4.0"});
  label("lblBoxCoxConstantCov", "Constant:");
  combo("cboBoxCoxConstantCov", {"10", "100", "1000"});
  f.End();
  f.End();
  label("lblCovIntervention", "Check to treat a covariate series as an intervention series:");
  f.BeginRow();
  for (int c = 1; c <= kMaxGroups; ++c)
    f.Add(ControlKind::CheckBox, "chkCovSeries" + std::to_string(c),
          "Series " + std::to_string(c) + ":")
        .toolTip =
        "This allows for user-created flexible intervention series.  Note that there can be no "
        "missing values in such series!";
  f.End();
  f.BeginRow();
  label("lblCovFurther", "Series 6 to 25:");
  f.Add(ControlKind::TextBox, "txtCovInterventionSeries").toolTip =
      "Further covariate series to treat as intervention series, by their ordinal numbers among "
      "the series read (for example 6, 7).  Note that there can be no missing values in such "
      "series!";
  f.End();
  f.End();

  f.BeginFrame("Starting and ending ordinals for up to five response series groups");
  for (int g = 1; g <= kMaxGroups; ++g) {
    const std::string n = std::to_string(g);
    f.BeginRow();
    label("lblGroup" + n, "Ordinal series range for Group " + n + ":");
    combo("cboOrdinal" + n + "S", {});
    label("lblGroupTo" + n, "to");
    combo("cboOrdinal" + n + "E", {}).onChange = [this, g] { GroupEndChanged(g); };
    label(CovariateListLabel(g), "Covariate series:");
    f.Add(ControlKind::TextBox, CovariateListBox(g)).toolTip =
        "The covariate series whose transfer functions add to this group's prediction, by their "
        "ordinal numbers among the series read: up to 5, for example 1, 2.  Leave every group "
        "empty for one covariate series per group (series 1 for Group 1, series 2 for Group 2, ...)";
    f.End();
  }
  f.End();
  f.BeginFrame("Interventions for each response series group");
  for (int g = 1; g <= kMaxGroups; ++g) {
    const std::string n = std::to_string(g);
    f.BeginRow();
    label("lblIntervention" + n, "Number of interventions for Group " + n + ":");
    combo("cboIntervention" + n, Range(1, 100));
    f.End();
  }
  f.End();
  f.BeginFrame("Response and covariate series");
  f.Add(ControlKind::CheckBox, "chkARMALogit", "Estimate logits?").toolTip =
      "Choose to estimate ARMA (Phi & Theta) and TFN or Intervention Delta parameters directly, "
      "or their logit transformations. Logits keep each coefficient in (-1, 1); estimated "
      "directly, the coefficients reach the whole stationary and invertible region, which from "
      "order 2 on is larger";
  f.BeginRow();
  label("lblARMA", "Maximum order of ARMA, TFN and Intervention lags:");
  combo("cboARMA", Range(1, 100)).toolTip =
      "The maximum value for the number of possible ARMA, TFN and Intervention lag parameters in "
      "the algorithm file";
  f.End();
  f.End();
  f.BeginRow();
  Control& done = f.Add(ControlKind::Button, "cmdDone", "C&ontinue");
  done.toolTip = "Continue with analysis";
  done.onClick = [this] { Continue(); };
  f.Add(ControlKind::Button, "cmdCancel", "&Cancel").onClick = [this] { Cancel(); };
  f.End();
  f.End();
  f.End();

  // Closing the window in any way brings the main menu back.
  form_.onClosed = [this] {
    session_.ShowMainMenu();
    session_.SetMainMenuEnabled(true);
    session_.Main().SetApplicationMenuEnabled(true);
  };
}

void InitializeWindow::Reset() {
  Form& f = form_;
  f.SetText("txtInitialize", kInitializeWhatIDoText);
  f.SetText("txtDataFormat", kInitializeDataFormatText);
  f.SetText("txtLimits", kInitializeLimitsText);
  f.SetText("txtResDataInput", "");
  f.SetText("txtCovDataInput", "");
  f.SetText("cboResStartTimePeriod", "1968");
  f.SetText("cboResEndTimePeriod", "1994");
  f.SetText("cboCovStartTimePeriod", "1963");
  f.SetText("cboCovEndTimePeriod", "1994");
  if (proposal_) {
    const PeriodCalendar& response = proposal_->responseCalendar;
    f.SetText("cboResStartTimePeriod", response.Label(proposal_->responseStart));
    f.SetText("cboResEndTimePeriod", response.Label(proposal_->responseEnd));
    if (proposal_->hasCovariates) {
      const PeriodCalendar& covariates = proposal_->covariateCalendar;
      f.SetText("cboCovStartTimePeriod", covariates.Label(proposal_->covariateStart));
      f.SetText("cboCovEndTimePeriod", covariates.Label(proposal_->covariateEnd));
    }
  }
  f.SetText("cboFirstResSeries", "1");
  f.SetText("cboLastResSeries", "1");
  f.SetText("cboResDiff", "0");
  f.SetText("cboResFlat", "N");
  f.SetEnabled("cboResFlat", false);
  f.SetText("cboSeasonalPeriod", "None");
  f.SetText("cboSeasonalDiff", "0");
  f.SetText("cboSeasonalAR", "0");
  f.SetText("cboSeasonalMA", "0");
  f.SetChecked("chkTransformFirst", false);
  f.SetEnabled("optLogitRes", true);
  f.SetChecked("optNoneRes", true);
  f.SetChecked("optNoneCov", true);
  f.SetChecked("optNoCov", true);
  f.SetText("cboFirstCovSeries", "0");
  f.SetText("cboLastCovSeries", "0");
  f.SetText("cboCovDiff", "0");
  for (int c = 1; c <= kMaxGroups; ++c) f.SetChecked("chkCovSeries" + std::to_string(c), false);
  f.SetText("txtCovInterventionSeries", "");
  for (int g = 1; g <= kMaxGroups; ++g) {
    f.SetText("cboIntervention" + std::to_string(g), "0");
    f.SetText(CovariateListBox(g), "");
  }
  f.SetChecked("chkARMALogit", true);
  f.SetText("cboARMA", "5");
  TransformationChanged("Res");
  TransformationChanged("Cov");
  CovariatesChanged();
  ResponseSeriesChanged();
}

void InitializeWindow::Open() {
  Reset();
  session_.Main().form().SetCaption("Time series TFN model");
  session_.ui().ShowForm(form_);
}

void InitializeWindow::ResponseSeriesChanged() {
  Form& f = form_;
  const int first = Whole(LeadingNumber(f.Text("cboFirstResSeries")));
  const int last = Whole(LeadingNumber(f.Text("cboLastResSeries")));
  const int n = last - first + 1;
  FillGroupItems();
  for (int g = 1; g <= kMaxGroups; ++g) {
    const std::string k = std::to_string(g);
    const bool on = g <= std::min(n, kMaxGroups);
    for (const std::string& name : {"lblGroup" + k, "cboOrdinal" + k + "S", "lblGroupTo" + k,
                                    "cboOrdinal" + k + "E", "lblIntervention" + k,
                                    "cboIntervention" + k})
      f.SetEnabled(name, on);
    f.SetText("cboOrdinal" + k + "S", g == 1 && n >= 1 ? std::to_string(first) : "");
    f.SetText("cboOrdinal" + k + "E", g == 1 && n >= 1 ? std::to_string(last) : "");
  }
  CovariateListsEnabled();
  if (last > first) {
    f.SetEnabled("cboResFlat", true);
  } else {
    f.SetText("cboResFlat", "N");
    f.SetEnabled("cboResFlat", false);
  }
}

// The group lists offer the chosen response series, by name when the file
// gives names.
void InitializeWindow::FillGroupItems() {
  const int first = Whole(LeadingNumber(form_.Text("cboFirstResSeries")));
  const int last = Whole(LeadingNumber(form_.Text("cboLastResSeries")));
  const std::vector<std::string> ordinals =
      first <= last ? Ordinals(first, last, response_.names) : std::vector<std::string>{};
  for (int g = 1; g <= kMaxGroups; ++g) {
    const std::string k = std::to_string(g);
    form_.SetItems("cboOrdinal" + k + "S", ordinals);
    form_.SetItems("cboOrdinal" + k + "E", ordinals);
  }
}

void InitializeWindow::GroupEndChanged(int group) {
  // Keeps the groups consecutive: group 1 starts at the first series, each
  // later group right after the one before, no end below its start, and
  // nothing after a group that reaches the last series.
  Form& f = form_;
  const int first = Whole(LeadingNumber(f.Text("cboFirstResSeries")));
  const int last = Whole(LeadingNumber(f.Text("cboLastResSeries")));
  const auto box = [](int g, char which) { return "cboOrdinal" + std::to_string(g) + which; };
  f.SetText(box(1, 'S'), std::to_string(first));
  for (int g = group; g <= kMaxGroups; ++g) {
    const std::string endText = f.Text(box(g, 'E'));
    if (endText.empty()) break;
    const int start = Whole(LeadingNumber(f.Text(box(g, 'S'))));
    int end = Whole(LeadingNumber(endText));
    if (end < start) {
      end = start;
      f.SetText(box(g, 'E'), std::to_string(end));
    }
    if (end >= last) {
      for (int later = g + 1; later <= kMaxGroups; ++later) {
        f.SetText(box(later, 'S'), "");
        f.SetText(box(later, 'E'), "");
      }
      break;
    }
    if (g < kMaxGroups && f.IsEnabled(box(g + 1, 'S'))) f.SetText(box(g + 1, 'S'), std::to_string(end + 1));
    break;
  }
}

// The logit suits proportions: it is offered for the values as read, so
// not after differencing unless the transformation comes first.
void InitializeWindow::ResponseDifferencingChanged() {
  const bool differenced =
      LeadingNumber(form_.Text("cboResDiff")) != 0 || LeadingNumber(form_.Text("cboSeasonalDiff")) != 0;
  if (differenced && !form_.Checked("chkTransformFirst")) {
    if (form_.Checked("optLogitRes")) form_.SetChecked("optLogitRes", false);
    form_.SetEnabled("optLogitRes", false);
  } else {
    form_.SetEnabled("optLogitRes", true);
  }
}

void InitializeWindow::TransformationChanged(const std::string& side) {
  const bool boxCox = form_.Checked("optBoxCox" + side);
  const std::string lambda = "cboBoxCoxLambda" + side;
  const std::string constant = "cboBoxCoxConstant" + side;
  if (!boxCox) {
    form_.SetText(lambda, "1");
    form_.SetText(constant, "0");
  }
  const bool covariateSideOff = side == "Cov" && !form_.Checked("optYesCov");
  for (const std::string& name : {lambda, constant, "lblBoxCoxLambda" + side, "lblBoxCoxConstant" + side})
    form_.SetEnabled(name, boxCox && !covariateSideOff);
}

void InitializeWindow::CovariatesChanged() {
  const bool on = form_.Checked("optYesCov");
  for (const char* name : kCovariateControls) form_.SetEnabled(name, on);
  TransformationChanged("Cov");
  CovariateListsEnabled();
}

// A group's list of covariate series is open while covariates are used and
// the group is; a group that closes loses its list, which the user could
// no longer change.
void InitializeWindow::CovariateListsEnabled() {
  const bool on = form_.Checked("optYesCov");
  for (int g = 1; g <= kMaxGroups; ++g) {
    const bool group = form_.IsEnabled("lblGroup" + std::to_string(g));
    if (!group) form_.SetText(CovariateListBox(g), "");
    form_.SetEnabled(CovariateListLabel(g), on && group);
    form_.SetEnabled(CovariateListBox(g), on && group);
  }
}

void InitializeWindow::SelectFile(bool response) {
  FileDialogRequest request;
  request.title = response ? "Load response series data file" : "Load covariate series data file";
  request.filter =
      "All Files (*.*)|*.*|Time series data files (*.dat)|*.dat|"
      "Delimited text (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt";
  request.filterIndex = 2;
  auto path = session_.ui().ChooseFileToOpen(request);
  if (!path) return;
  form_.SetText(response ? "txtResDataInput" : "txtCovDataInput", *path);
  ProposeFilePeriods(response);
}

// The period boxes follow the chosen file: a window that is not wholly
// inside the file's periods becomes the file's first to last period, and
// the drop-downs offer the file's periods, named by its calendar. A window
// inside the file is the user's choice and stays. The series lists offer
// the file's series by name.
void InitializeWindow::ProposeFilePeriods(bool response) {
  const std::string side = response ? "Res" : "Cov";
  const auto periods =
      ReadSeriesFilePeriods(form_.Text(response ? "txtResDataInput" : "txtCovDataInput"));
  if (!periods) return;
  FileOutline& outline = response ? response_ : covariate_;
  outline = {periods->calendar, periods->names};
  const PeriodCalendar& calendar = outline.calendar;
  const std::string startBox = "cbo" + side + "StartTimePeriod";
  const std::string endBox = "cbo" + side + "EndTimePeriod";
  if (periods->last - periods->first < kMaxOfferedPeriods) {
    std::vector<std::string> items;
    for (long p = periods->first; p <= periods->last; ++p) items.push_back(calendar.Label(p));
    form_.SetItems(startBox, items);
    form_.SetItems(endBox, std::move(items));
  } else if (calendar.IsDated()) {
    // Too many to list: the first and the last date show the form to type.
    const std::vector<std::string> ends = {calendar.Label(periods->first), calendar.Label(periods->last)};
    form_.SetItems(startBox, ends);
    form_.SetItems(endBox, ends);
  }
  ListSeries(response);
  const double start = PeriodNumber(startBox, calendar);
  const double end = PeriodNumber(endBox, calendar);
  const auto inside = [&](double p) {
    return p >= static_cast<double>(periods->first) && p <= static_cast<double>(periods->last);
  };
  if (inside(start) && inside(end) && start <= end) return;
  form_.SetText(startBox, calendar.Label(periods->first));
  form_.SetText(endBox, calendar.Label(periods->last));
}

void InitializeWindow::ListSeries(bool response) {
  const FileOutline& outline = response ? response_ : covariate_;
  if (outline.names.empty()) return;
  const int count = static_cast<int>(std::min<size_t>(outline.names.size(), kMaxSeriesOrdinal));
  if (response) {
    const std::vector<std::string> items = Ordinals(1, count, outline.names);
    form_.SetItems("cboFirstResSeries", items);
    form_.SetItems("cboLastResSeries", items);
    FillGroupItems();
  } else {
    std::vector<std::string> items{"0"};
    for (std::string& item : Ordinals(1, count, outline.names)) items.push_back(std::move(item));
    form_.SetItems("cboFirstCovSeries", items);
    form_.SetItems("cboLastCovSeries", std::move(items));
  }
}

// A period box as a number: its leading number for whole periods, and for a
// dated file the period its date names (NaN when it names none, which the
// check before the set-up refuses).
double InitializeWindow::PeriodNumber(const std::string& box, const PeriodCalendar& calendar) const {
  if (!calendar.IsDated()) return LeadingNumber(form_.Text(box));
  const std::optional<std::int64_t> period = calendar.Period(form_.Text(box));
  return period ? static_cast<double>(*period) : std::nan("");
}

std::optional<ValidationMessage> InitializeWindow::ReadPeriodBoxes() {
  const auto read = [this](const std::string& path, FileOutline& outline) {
    outline.calendar = path.empty() ? PeriodCalendar() : ReadSeriesFileCalendar(path).value_or(PeriodCalendar());
  };
  read(form_.Text("txtResDataInput"), response_);
  const bool covariates = form_.Checked("optYesCov");
  if (covariates) read(form_.Text("txtCovDataInput"), covariate_);
  struct Box {
    const char* name;
    const char* which;
    bool response;
  };
  for (const Box& box : {Box{"cboResStartTimePeriod", "first time period of the response", true},
                         Box{"cboResEndTimePeriod", "last time period of the response", true},
                         Box{"cboCovStartTimePeriod", "first time period of the covariate", false},
                         Box{"cboCovEndTimePeriod", "last time period of the covariate", false}}) {
    if (!box.response && !covariates) continue;
    const PeriodCalendar& calendar = (box.response ? response_ : covariate_).calendar;
    if (!calendar.IsDated() || calendar.Period(form_.Text(box.name))) continue;
    return ValidationMessage{"Problem with your choice of time periods",
                             "Your " + std::string(box.which) + " series data, '" + form_.Text(box.name) +
                                 "', is not a period of the " + (box.response ? "response" : "covariate") +
                                 " data file, which is " + calendar.Describe() + ": type " +
                                 calendar.FormHint()};
  }
  return std::nullopt;
}

InitializeEntries InitializeWindow::ReadEntries() const {
  const Form& f = form_;
  const auto number = [&f](const char* name) { return LeadingNumber(f.Text(name)); };
  InitializeEntries e;
  e.ResponseFile = f.Text("txtResDataInput");
  e.ResponseStart = PeriodNumber("cboResStartTimePeriod", response_.calendar);
  e.ResponseEnd = PeriodNumber("cboResEndTimePeriod", response_.calendar);
  e.FirstResponse = number("cboFirstResSeries");
  e.LastResponse = number("cboLastResSeries");
  e.UseCovariates = f.Checked("optYesCov");
  e.CovariateFile = f.Text("txtCovDataInput");
  e.CovariateStart = PeriodNumber("cboCovStartTimePeriod", covariate_.calendar);
  e.CovariateEnd = PeriodNumber("cboCovEndTimePeriod", covariate_.calendar);
  e.FirstCovariate = number("cboFirstCovSeries");
  e.LastCovariate = number("cboLastCovSeries");
  e.ResponseDifferencing = number("cboResDiff");
  e.CovariateDifferencing = number("cboCovDiff");
  e.LagOrder = number("cboARMA");
  e.SeasonalPeriod = SeasonalPeriodNumber(f.Text("cboSeasonalPeriod"));
  e.SeasonalDifferencing = number("cboSeasonalDiff");
  e.SeasonalArOrder = number("cboSeasonalAR");
  e.SeasonalMaOrder = number("cboSeasonalMA");
  for (int g = 1; g <= kMaxGroups; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    e.Interventions[i] = LeadingNumber(f.Text("cboIntervention" + std::to_string(g)));
    e.GroupStart[i] = Group(g, 'S');
    e.GroupEnd[i] = Group(g, 'E');
    e.GroupEnabled[i] = f.IsEnabled("lblGroup" + std::to_string(g));
    e.GroupCovariates[i] = f.Text(CovariateListBox(g));
  }
  e.FurtherInterventionSeries = f.Text("txtCovInterventionSeries");
  return e;
}

TfnSetup InitializeWindow::ReadSetup() const {
  const Form& f = form_;
  const auto whole = [&f](const std::string& name) { return Whole(LeadingNumber(f.Text(name))); };
  const auto period = [this](const std::string& name, const PeriodCalendar& calendar) {
    return WholePeriod(PeriodNumber(name, calendar));
  };
  const auto transformation = [&f](const std::string& side) {
    if (f.Checked("optLogit" + side)) return SeriesTransformation::Logit;
    if (f.Checked("optBoxCox" + side)) return SeriesTransformation::BoxCox;
    return SeriesTransformation::None;
  };
  TfnSetup s;
  s.Response.FileName = f.Text("txtResDataInput");
  s.Response.StartPeriod = period("cboResStartTimePeriod", response_.calendar);
  s.Response.EndPeriod = period("cboResEndTimePeriod", response_.calendar);
  s.Response.FirstSeries = whole("cboFirstResSeries");
  s.Response.LastSeries = whole("cboLastResSeries");
  s.Response.Differencing = whole("cboResDiff");
  s.Response.Transformation = transformation("Res");
  s.Response.BoxCoxLambda = LeadingNumber(f.Text("cboBoxCoxLambdaRes"));
  s.Response.BoxCoxConstant = LeadingNumber(f.Text("cboBoxCoxConstantRes"));
  s.Response.TransformBeforeDifferencing = f.Checked("chkTransformFirst");
  s.Flattening = f.Text("cboResFlat");
  s.UseCovariates = f.Checked("optYesCov");
  if (s.UseCovariates) {
    s.Covariates.FileName = f.Text("txtCovDataInput");
    s.Covariates.StartPeriod = period("cboCovStartTimePeriod", covariate_.calendar);
    s.Covariates.EndPeriod = period("cboCovEndTimePeriod", covariate_.calendar);
    s.Covariates.FirstSeries = whole("cboFirstCovSeries");
    s.Covariates.LastSeries = whole("cboLastCovSeries");
    s.Covariates.Differencing = whole("cboCovDiff");
    s.Covariates.Transformation = transformation("Cov");
    s.Covariates.BoxCoxLambda = LeadingNumber(f.Text("cboBoxCoxLambdaCov"));
    s.Covariates.BoxCoxConstant = LeadingNumber(f.Text("cboBoxCoxConstantCov"));
    for (int c = 1; c <= kMaxGroups; ++c)
      s.CovariateIsIntervention[static_cast<size_t>(c - 1)] = f.Checked("chkCovSeries" + std::to_string(c));
    // The checks on Continue have accepted both lists.
    if (const auto further = ReadSeriesList(f.Text("txtCovInterventionSeries")))
      for (int c : *further)
        if (c >= 1 && c <= kMaxCovariateSeries) s.CovariateIsIntervention[static_cast<size_t>(c - 1)] = true;
    std::array<std::string, kMaxGroups> lists;
    for (int g = 1; g <= kMaxGroups; ++g) lists[static_cast<size_t>(g - 1)] = f.Text(CovariateListBox(g));
    CovariateGroups groups{};
    if (!ReadCovariateGroups(lists, groups)) s.CovariateGroup = groups;
  }
  s.GroupCount = 0;
  for (int g = 1; g <= kMaxGroups; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    const std::string start = Group(g, 'S');
    const std::string end = Group(g, 'E');
    if (!start.empty() && !end.empty()) s.GroupCount = static_cast<std::int16_t>(g);
    s.GroupFirst[i] = Whole(LeadingNumber(start));
    s.GroupLast[i] = Whole(LeadingNumber(end));
    s.Interventions[i] = whole("cboIntervention" + std::to_string(g));
  }
  s.LagOrder = whole("cboARMA");
  s.EstimateLogits = f.Checked("chkARMALogit");
  s.SeasonalPeriod = Whole(SeasonalPeriodNumber(f.Text("cboSeasonalPeriod")));
  s.SeasonalDifferencing = whole("cboSeasonalDiff");
  s.SeasonalArOrder = whole("cboSeasonalAR");
  s.SeasonalMaOrder = whole("cboSeasonalMA");
  return s;
}

void InitializeWindow::Continue() {
  if (auto problem = ReadPeriodBoxes()) {
    session_.ui().ShowMessage(problem->Text, problem->Title, Icon::Information);
    return;
  }
  if (auto problem = ValidateInitializeEntries(ReadEntries())) {
    session_.ui().ShowMessage(problem->Text, problem->Title, Icon::Information);
    return;
  }
  const TfnSetup setup = ReadSetup();
  if (runSetUp) {
    if (auto problem = runSetUp(setup)) {
      // The data cannot be used: the previous model stays as it was and the
      // window stays open so the user can correct the choice.
      session_.ui().ShowMessage(problem->Text, problem->Title, Icon::Information);
      return;
    }
  }
  session_.State.InitializeAlready = true;
  session_.State.DataFileName = setup.Response.FileName;
  session_.State.DataFileTitle = FileTitle(setup.Response.FileName);
  session_.ShowMainMenu();
  session_.UseResultsSummaryCaption();
  session_.ui().SetStatusPanel(0, 1, "Time series response data file name: " + setup.Response.FileName);
  session_.ui().SetStatusPanel(0, 2, "Time series covariate data file name: " + form_.Text("txtCovDataInput"));
  session_.ui().SetStatusPanel(1, 2, "Bayesian priors file: ");
  session_.SetMainMenuEnabled(true);
  session_.SetMenuCommandEnabled("cmdLoadAlg", true);
  session_.ui().CloseForm(form_);
}

void InitializeWindow::Cancel() { session_.ui().CloseForm(form_); }

}  // namespace quorvane
