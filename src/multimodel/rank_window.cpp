#include "multimodel/rank_window.h"

#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/ui/finite_answer.h"
#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/load_algorithm_data.h"
#include "core/objective_scale.h"
#include "core/save_algorithm_data.h"
#include "multimodel/covariance_file_estimates.h"
#include "multimodel/covariance_file_name.h"
#include "multimodel/model_averaging.h"
#include "multimodel/ranking_criteria.h"
#include "multimodel/ranking_texts.h"
#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kGrid = "grdRank";
constexpr int kColumns = 10;
constexpr int kMaxModels = 99;
// Palette codes of the top-left cell: light red unranked, blue ranked by
// AICc, green ranked by QAICc.
constexpr int kUnrankedColor = 12;
constexpr int kAiccColor = 9;
constexpr int kQaiccColor = 2;

// The part of a path after its last "\" or "/"; empty when it has neither.
std::string AfterLastSeparator(const std::string& path) {
  const size_t at = path.find_last_of("\\/");
  return at == std::string::npos ? std::string() : path.substr(at + 1);
}

}  // namespace

RankWindow::RankWindow(Session& session)
    : session_(session), form_("frmRank", "Model selection, ranking and averaging") {
  Build();
}

void RankWindow::Build() {
  Control& grid = form_.Add(ControlKind::Grid, kGrid);
  grid.onDoubleClick = [this](int row, int col) { DoubleClicked(row, col); };
  form_.BeginRow();
  Control& chat = form_.Add(ControlKind::TextBox, "txtCHat");
  chat.readOnly = true;
  auto button = [this](const char* name, const char* caption, const char* tip,
                       std::function<void()> handler) {
    Control& b = form_.Add(ControlKind::Button, name, caption);
    b.toolTip = tip;
    b.onClick = std::move(handler);
  };
  button("cmdLoadAlg", "&Load Algorithm Data", "", [this] { LoadClicked(); });
  button("cmdEditAlg", "&Edit Algorithm Data", "", [this] { EditClicked(); });
  button("cmdSaveAlg", "&Save Algorithm Data", "", [this] { SaveAlgClicked(); });
  button("cmdBayesian", "Set &Bayesian priors", "", [this] { PriorsClicked(); });
  form_.End();
  form_.BeginRow();
  button("cmdAICc", "Calculate model AICc", "", [this] { RankAddModel(); });
  button("cmdQAICc", "Calculate QAICc", "", [this] { RankQAICc(); });
  button("cmdRank", "&Rank competing models",
         "Ranks competing models in ascending order of their AICc values (Note: the smallest "
         "value ranks first, whether it is positive or negative)",
         [this] { RankModels(); });
  button("cmdAverage", "&Average across models", "", [this] { AverageModels(); });
  button("cmdSaveRank", "&Save ranking and averaging results", "", [this] { Save_Ranks(); });
  button("cmdFinish", "&Finish", "Quits the ranking exercise",
         [this] { session_.ui().CloseForm(form_); });
  form_.End();
  form_.Add(ControlKind::Label, "lblAverage", "Averaging results >");
  Control& average = form_.Add(ControlKind::TextPane, "txtAverage");
  average.readOnly = false;
  form_.onClosed = [this] { Closed(); };
}

void RankWindow::Open() {
  session_.Main().SetApplicationMenuEnabled(false);
  session_.State.EditorOpenedFromRanking = true;
  session_.Editor().onReturnToRanking = [this] { ShowAgain(); };
  models_.clear();
  cHat_ = 1.0;
  averaged_ = false;
  ranked_ = false;
  form_.SetCaption("Model selection, ranking and averaging");
  SetUpGrid();
  form_.SetEnabled("cmdSaveRank", false);
  form_.SetEnabled("cmdAverage", false);
  form_.SetEnabled("cmdRank", false);
  form_.SetText("txtAverage", "");
  form_.SetEnabled("lblAverage", false);
  form_.SetText("txtCHat", "C-hat: " + FormatPicture(cHat_, "0.000"));
  form_.SetVisible("txtCHat", true);
  session_.ui().ShowForm(form_);
  RankAddModel();
}

void RankWindow::SetUpGrid() {
  form_.SetGridSize(kGrid, 2, kColumns);
  // Widths in characters, wide enough for the heads and the pictures.
  static constexpr int kWidths[kColumns] = {10, 11, 4, 11, 8, 9, 20, 24, 16, 20};
  for (int col = 0; col < kColumns; ++col) form_.SetColumnWidth(kGrid, col, kWidths[col]);
  Redraw();
}

void RankWindow::SetHeader(bool ranked) {
  ranked_ = ranked;
  const bool quasi = cHat_ > 1.0;
  static constexpr const char* kHeads[kColumns] = {
      "", "-ln[L]", "K", "AICc", "dAICc", "AIC Wt", "Algorithm file name", "Covariance file name",
      "Priors file name", "Notes:"};
  for (int col = 1; col < kColumns; ++col) form_.SetCell(kGrid, 0, col, kHeads[col]);
  if (quasi) {
    form_.SetCell(kGrid, 0, 3, "QAICc");
    form_.SetCell(kGrid, 0, 4, "dQAICc");
    form_.SetCell(kGrid, 0, 5, "QAIC Wt");
  }
  form_.SetCell(kGrid, 0, 0, ranked ? "Ranked" : "Random");
  form_.SetCellColor(kGrid, 0, 0, !ranked ? kUnrankedColor : quasi ? kQaiccColor : kAiccColor);
}

void RankWindow::Redraw() {
  const int rows = static_cast<int>(models_.size());
  form_.SetGridSize(kGrid, std::max(rows, 1) + 1, kColumns);
  SetHeader(ranked_);
  if (rows == 0)
    for (int col = 0; col < kColumns; ++col) form_.SetCell(kGrid, 1, col, "");
  for (int row = 1; row <= rows; ++row) DrawRow(row);
}

void RankWindow::DrawRow(int row) {
  const RankedModel& m = models_[static_cast<size_t>(row - 1)];
  form_.SetCell(kGrid, row, 0, RankRowLabel(row, m.EntryNumber));
  if (!m.HasValues) {
    for (int col = 1; col < kColumns; ++col) form_.SetCell(kGrid, row, col, "");
    form_.SetCell(kGrid, row, 9, m.Notes);
    return;
  }
  auto numberOr = [](const std::optional<double>& value, const char* picture,
                     const char* otherwise) {
    return value ? FormatPicture(*value, picture) : std::string(otherwise);
  };
  form_.SetCell(kGrid, row, 1, FormatPicture(m.NegLogL, "0.0000E+00"));
  form_.SetCell(kGrid, row, 2, std::to_string(m.K));
  form_.SetCell(kGrid, row, 3, numberOr(m.Criterion, "0.0000E+00", kCriterionTooFewDegreesOfFreedom));
  form_.SetCell(kGrid, row, 4, numberOr(m.Difference, "####0.00", "undefined"));
  form_.SetCell(kGrid, row, 5, numberOr(m.Weight, "0.000000", "undefined"));
  form_.SetCell(kGrid, row, 6, m.AlgorithmFileName);
  form_.SetCell(kGrid, row, 7, m.CovarianceFile);
  form_.SetCell(kGrid, row, 8, m.PriorsFileName);
  form_.SetCell(kGrid, row, 9, m.Notes);
}

void RankWindow::ForgetAveraging() {
  averaged_ = false;
  form_.SetText("txtAverage", "");
  form_.SetEnabled("lblAverage", false);
}

void RankWindow::ApplyStaleRanking() {
  for (RankedModel& m : models_) {
    m.Difference.reset();
    m.Weight.reset();
  }
  form_.SetEnabled("cmdSaveRank", false);
  form_.SetEnabled("cmdAverage", false);
  form_.SetEnabled("cmdRank", models_.size() > 1);
  ForgetAveraging();
  ranked_ = false;
}

void RankWindow::SetObjectiveScaleForFirstModel(double F, int K) {
  const std::int32_t NOBS = session_.Outputs.NOBS;
  if (AskCovarianceConstant) {
    AskCovarianceConstant(F, NOBS, K);
    return;
  }
  Model* model = session_.model();
  const std::optional<double> scale =
      FixedObjectiveScale(model ? model->ObjectiveConstant() : std::nullopt, F, NOBS, K);
  if (scale) {
    session_.State.ObjectiveScale = *scale;
    return;
  }
  session_.ui().ShowMessage(
      "The objective cannot be turned into -ln[L] at these values (too few degrees of freedom "
      "or an objective that is not above 0); the current ObjectiveScale is kept.",
      "Objective scale", Icon::Exclamation);
}

void RankWindow::RankAddModel() {
  Ui& ui = session_.ui();
  if (models_.size() >= kMaxModels) {
    ui.ShowMessage("Sorry, no more than 99 models can be ranked", "Model limit reached",
                   Icon::Information);
    return;
  }
  RankedModel model;
  model.EntryNumber = static_cast<std::int16_t>(models_.size() + 1);
  models_.push_back(model);
  RankedModel& added = models_.back();

  AppState& state = session_.State;
  AlgorithmData& data = session_.Algorithm;
  const std::string algorithmFile = AfterLastSeparator(state.AlgorithmFileName);
  if (session_.model() && data.ParameterCount > 0) {
    ui.SetStatusPanel(5, 1, "One moment please while one function is executed...");
    BuildFuseGroups(data, session_.Fuse);
    BuildFreeParameterList(data, session_.Free);
    OneBased<double> values = data.Values;
    const double F = EvaluateObjective(session_, values, 1, true);
    int K = 0;
    for (int p = 1; p <= data.ParameterCount; ++p)
      if (data.Steps[p] != 0.0) {
        ++K;
        added.FreeParameters.push_back(p);
      }
    if (models_.size() == 1) SetObjectiveScaleForFirstModel(F, K);
    if (!algorithmFile.empty()) {
      added.HasValues = true;
      added.AlgorithmFileName = algorithmFile;
      const std::string& path = state.AlgorithmFileName;
      added.CovarianceFile = path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + ".cov";
      CheckCovFileName(added.CovarianceFile, 1);
      added.PriorsFileName = state.PriorsFileName.empty() ? "No Priors loaded"
                                                          : AfterLastSeparator(state.PriorsFileName);
      added.K = K;
      added.NegLogL = F / state.ObjectiveScale;
      added.N = session_.Outputs.NSAMPLE;
      added.Criterion = SmallSampleCriterion(added.NegLogL, K, added.N, 1.0);
    }
  }
  ApplyStaleRanking();
  Redraw();
  if (cHat_ > 1.0) RankQAICc();
  ui.SetStatusPanel(5, 1, "");
}

void RankWindow::RankQAICc() {
  Ui& ui = session_.ui();
  // Asked again, proposing the last valid value, until the answer is a
  // finite number of 1 or more; an empty answer (cancel) counts as 1.
  double answered = 0.0;
  do {
    const std::string answer =
        ui.AskValue("Input a value for C-hat (1 or greater) to correct for unexplained overdispersion:",
                    "Overdispersion correction", FormatPicture(cHat_, "0.000"));
    if (RefuseNotFinite(ui, answer, "Overdispersion correction")) continue;
    answered = answer.empty() ? 1.0 : LeadingNumber(answer);
  } while (!(answered >= 1.0));
  cHat_ = answered;
  form_.SetText("txtCHat", "C-hat: " + FormatPicture(cHat_, "0.000"));
  for (RankedModel& m : models_)
    if (m.HasValues) m.Criterion = SmallSampleCriterion(m.NegLogL, m.K, m.N, cHat_);
  ApplyStaleRanking();
  Redraw();
  ui.SetStatusPanel(5, 1, "");
}

void RankWindow::RankModels() {
  std::vector<std::optional<double>> criteria;
  for (const RankedModel& m : models_) criteria.push_back(m.HasValues ? m.Criterion : std::nullopt);
  const std::vector<int> order = RankOrder(criteria);
  // Ranked models first, then those that cannot be ranked, in table order.
  std::vector<RankedModel> reordered;
  std::vector<bool> taken(models_.size(), false);
  std::vector<double> ranked;
  for (int i : order) {
    taken[static_cast<size_t>(i)] = true;
    reordered.push_back(models_[static_cast<size_t>(i)]);
    ranked.push_back(*criteria[static_cast<size_t>(i)]);
  }
  for (size_t i = 0; i < models_.size(); ++i)
    if (!taken[i]) {
      reordered.push_back(models_[i]);
      reordered.back().Difference.reset();
      reordered.back().Weight.reset();
    }
  const AkaikeWeights weights = ComputeAkaikeWeights(ranked);
  for (size_t r = 0; r < ranked.size(); ++r) {
    reordered[r].Difference = weights.Difference[r];
    reordered[r].Weight = weights.Weight[r];
  }
  models_ = std::move(reordered);
  ranked_ = true;
  Redraw();

  form_.SetEnabled("cmdSaveRank", true);
  bool averagable = models_.size() > 1 && ranked.size() == models_.size();
  for (const RankedModel& m : models_) averagable = averagable && m.HasCovarianceFile();
  form_.SetEnabled("cmdAverage", averagable);
  ForgetAveraging();
}

void RankWindow::AverageModels() {
  Ui& ui = session_.ui();
  for (const RankedModel& m : models_)
    if (!m.HasCovarianceFile()) {
      ui.ShowMessage("Sorry, the covariance file is missing for at least one ranked model",
                     "Can't average models", Icon::Information);
      form_.SetEnabled("cmdAverage", false);
      return;
    }
  const int P = session_.Algorithm.ParameterCount;
  std::vector<ModelEstimates> estimates;
  std::vector<double> weights;
  for (const RankedModel& m : models_) {
    std::string error;
    const auto lines = ReadTextLines(m.CovarianceFile, error);
    if (!lines) {
      ui.ShowMessage("The covariance file " + m.CovarianceFile + " cannot be read: " + error +
                         "\r\n\r\nNothing has been averaged.",
                     "Can't average models", Icon::Exclamation);
      return;
    }
    auto read = ReadCovarianceEstimates(*lines, P, m.FreeParameters);
    if (auto* reason = std::get_if<std::string>(&read)) {
      ui.ShowMessage("The covariance file " + m.CovarianceFile +
                         " is not laid out as a covariance report saved once for this model: " +
                         *reason + ".\r\n\r\nNothing has been averaged.",
                     "Can't average models", Icon::Exclamation);
      return;
    }
    estimates.push_back(std::get<ModelEstimates>(std::move(read)));
    weights.push_back(m.Weight.value_or(0.0));
  }
  const AveragedEstimates averages = AverageEstimates(weights, estimates, cHat_);
  form_.SetText("txtAverage", AveragingText(averages));
  averaged_ = true;
  form_.SetEnabled("lblAverage", true);
}

bool RankWindow::Save_Ranks() {
  Ui& ui = session_.ui();
  FileDialogRequest request{"Save model ranking results in...",
                            "All files (*.*)|*.*|Multi-model statistics files (*.mms)|*.mms", 2,
                            DateTimeFileName(".mms")};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return false;
  const std::string text =
      RankingFileText(models_, cHat_, averaged_ ? form_.Text("txtAverage") : std::string());
  if (auto error = WriteTextFileAtomically(*path, text)) {
    ui.ShowMessage("The ranking results could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Ranking results not saved", Icon::Exclamation);
    return false;
  }
  return true;
}

void RankWindow::DoubleClicked(int row, int col) {
  Ui& ui = session_.ui();
  const int M = static_cast<int>(models_.size());
  if (row >= 1 && row <= M) {
    RankedModel& m = models_[static_cast<size_t>(row - 1)];
    if (col == 0) {
      models_.erase(models_.begin() + (row - 1));
      ApplyStaleRanking();
      Redraw();
    } else if (col == 7) {
      std::string name = ui.AskValue("Please input the desired covariance file name",
                                     "Choose an associated covariance file", m.CovarianceFile);
      CheckCovFileName(name, 2);
      m.CovarianceFile = name;
      form_.SetCell(kGrid, row, 7, name);
    } else if (col == 9) {
      m.Notes = ui.AskValue("Enter your annotations concerning the selected model", "Model notes",
                            "Add your notation here");
      form_.SetCell(kGrid, row, 9, m.Notes);
    }
  }
  form_.SetEnabled("cmdAverage", false);
  form_.SetEnabled("cmdSaveRank", false);
  form_.SetEnabled("cmdRank", models_.size() > 1);
  ForgetAveraging();
}

void RankWindow::LoadClicked() {
  ForgetAveraging();
  if (!ChooseAndReadAlgorithmFile(session_)) return;
  ForgetStaleResults(session_, ResultsChange::AlgorithmDataLoaded);
  session_.ui().SetStatusPanel(1, 1, "Algorithm file: " + session_.State.AlgorithmFileTitle);
  session_.ui().PumpEvents();
  RankAddModel();
}

void RankWindow::Hide() {
  hiding_ = true;
  session_.ui().CloseForm(form_);
  hiding_ = false;
}

void RankWindow::ShowAgain() {
  session_.State.EditorRestrictions.SetRange(4, 9, false);
  if (!form_.IsOpen()) session_.ui().ShowForm(form_);
}

void RankWindow::EditClicked() {
  Hide();
  ForgetAveraging();
  session_.State.EditorRestrictions.SetRange(4, 9, true);
  session_.Editor().Open();
}

void RankWindow::SaveAlgClicked() {
  ForgetAveraging();
  RankingSave_Alg(session_);
}

void RankWindow::PriorsClicked() {
  ForgetAveraging();
  if (!OpenPriorsLoader) {
    session_.ui().ShowMessage("This command is not available yet", "Set Bayesian priors",
                              Icon::Information);
    return;
  }
  Hide();
  OpenPriorsLoader();
}

void RankWindow::Closed() {
  if (hiding_) return;
  if (ranked_ &&
      session_.ui().AskYesNo("Do you want to save ranking results?", "What about ranking results!",
                             Icon::Question, true) == Answer::Yes)
    Save_Ranks();
  session_.State.EditorOpenedFromRanking = false;
  models_.clear();
  session_.ShowMainMenu();
  session_.Main().SetApplicationMenuEnabled(true);
}

}  // namespace quorvane
