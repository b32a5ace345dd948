// The editor window "Set prior distributions": its grid, menus and closing.
#include <optional>

#include "app/info_windows.h"
#include "app/main_window.h"
#include "app/session.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "core/objective_scale.h"
#include "priors/prior_windows.h"
#include "priors/priors_file.h"
#include "priors/priors_file_commands.h"

namespace quorvane {

namespace {

constexpr const char* kGrid = "grdSetPriors";

constexpr const char* kHelpLines[] = {
    "For each parameter you have the option to choose the mean and SD of a:",
    "     Gaussian (i.e., Normal) distribution",
    "     Exponential distribution",
    "     Ln-normal distribution",
    "     Gamma distribution",
    "     Beta distribution;",
    "     The location of the foot of a:",
    "          Left-side cliff distribution",
    "          Right-side cliff distribution;",
    "     The location of the feet of a:",
    "          Uniform-bounded distribution;",
    "     The Uniform-unbounded distribution (default)",
    "To set a prior distribution for a parameter the 'Set prior distributions' form must be showing.",
    "Then with your mouse click on the parameter for which you wish to set a prior distribution.",
    "Next select the 'Edit prior distributions' menu and choose the distribution type and its mean and",
    "SD.  All distributions are defined by a mean and a SD except the uniform-bounded distribution.",
    "The uniform-bounded distribution requires a mean and SD for both its left and right feet.",
    "To save your distribution descriptions choose 'Save prior distributions.'",
    "You can preview distributions by selecting 'Profile prior distributions.'",
    "When you are done select 'Finished'.",
    "Note that unrequired values are labelled 'Unused' whereas unset values are assigned an "
    "asterisk (*).",
};

std::string HelpText() {
  std::string text;
  for (const char* line : kHelpLines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

std::string TermCell(double value) {
  return value == UnsetTerm ? "*" : FormatPicture(value, "0.000E+000");
}

std::string TermCell(const std::string& text, double value) {
  if (text == kUnusedTerm) return text;
  return IsNumberText(text) ? TermCell(value) : text;
}

}  // namespace

void PriorWindows::BuildEditor() {
  Control& grid = editor_.Add(ControlKind::Grid, kGrid);
  grid.grid.FixedRows = 2;
  grid.onDoubleClick = [this](int row, int) { SelectRow(row); };
  editor_.Add(ControlKind::Label, "lblSelect",
              "Select a parameter then choose an action from the menu bar");
  editor_.onQueryClose = [this] {
    FinishEditor();
    return false;
  };
}

void PriorWindows::BuildEditorMenus() {
  MenuItem application = MenuCommand("mnuApplication", "&Application", "", nullptr);
  application.items = {
      MenuCommand("mnuMenu", "Main &menu", "", [this] { ReturnToOpener(); }),
      MenuCommand("mnuExit", "E&xit", "", [this] { session_.QuitApplication(); }),
  };
  editor_.AddMenu(std::move(application));

  MenuItem meanAndSd = MenuCommand("mnuMeanSD", "&Mean and SD", "", nullptr);
  meanAndSd.items = {
      MenuCommand("mnuN", "Gaussian (i.e., &Normal)", "", [this] { EditNormal(); }),
      MenuCommand("mnuG", "&Gamma", "", [this] { EditGamma(); }),
      MenuCommand("mnuE", "&Exponential", "", [this] { EditExponential(); }),
      MenuCommand("mnuL", "&Ln-normal", "", [this] { EditLnNormal(); }),
      MenuCommand("mnuB", "&Beta", "", [this] { EditBeta(); }),
  };
  MenuItem foot = MenuCommand("mnuFoot", "F&oot (mean) of a", "", nullptr);
  foot.items = {
      MenuCommand("MnuS", "Left-&side cliff", "", [this] { EditCliff('S'); }),
      MenuCommand("mnuR", "Right-si&de cliff", "", [this] { EditCliff('D'); }),
      MenuCommand("mnuT", "Feet of a uniform-b&ounded", "", [this] { EditBoundedUniform(); }),
  };
  MenuItem edit = MenuCommand("mnuEditPriors", "&Edit prior distributions", "", nullptr);
  edit.items = {std::move(meanAndSd), std::move(foot),
                MenuCommand("mnuU", "Default (&Uniform-unbounded)", "", [this] { EditUniform(); })};
  editor_.AddMenu(std::move(edit));

  editor_.AddMenu(MenuCommand("mnuProfile", "&Profile prior distributions", "", [this] {
    if (session_.ProfilePriorDistributions) {
      session_.ProfilePriorDistributions();
    } else {
      session_.ui().ShowMessage("This command is not available yet",
                                "Profile prior distributions", Icon::Information);
    }
  }));
  editor_.AddMenu(MenuCommand("mnuSavePrior", "&Save prior distributions", "",
                              [this] { Save_Priors(session_, PriorsSaveFrom::PriorEditor); }));
  editor_.AddMenu(session_.Main().WindowMenu());
  editor_.AddMenu(MenuCommand("mnuHelpSetting", "&Help with prior distributions", "",
                              [this] { session_.Info().ShowHelp(HelpText()); }));
  editor_.AddMenu(MenuCommand("mnuFinish", "&Finished", "", [this] { FinishEditor(); }));
}

void PriorWindows::ShowEditor() {
  PriorTable& table = session_.Priors;
  const int n = session_.Algorithm.ParameterCount;
  // A table of another size belongs to no model set-up; start it afresh.
  if (static_cast<int>(table.Rows.size()) != n) table.Reset(n);
  FillGrid();
  selected_ = 0;
  Ui& ui = session_.ui();
  ui.SetStatusPanel(5, 1, "Note: Unset parameters in your Bayesian Priors file have the value '*'");
  editor_.SetMenuEnabled("mnuMenu", false);
  ui.ShowForm(editor_);
  ui.PumpEvents();
}

void PriorWindows::FillGrid() {
  const int n = session_.Algorithm.ParameterCount;
  editor_.SetGridSize(kGrid, n + 2, 7);
  const char* top[] = {"", "Distribution", "First term", "First term", "Second term",
                       "Second term", ""};
  const char* second[] = {"Parameter", "Type", "Mean", "SD", "Mean", "SD",
                          "Parameter description [null value]"};
  // Widths in characters, in proportion to the window's layout.
  const int widths[] = {9, 19, 11, 11, 11, 11, 44};
  for (int col = 0; col < 7; ++col) {
    editor_.SetCell(kGrid, 0, col, top[col]);
    editor_.SetCell(kGrid, 1, col, second[col]);
    editor_.SetColumnWidth(kGrid, col, widths[col]);
  }
  for (int p = 1; p <= n; ++p) ShowRow(p);
  editor_.SetCurrentCell(kGrid, 0, 0);
}

void PriorWindows::ShowRow(int p) {
  const PriorRow& row = session_.Priors.Rows[static_cast<std::size_t>(p - 1)];
  const AlgorithmData& data = session_.Algorithm;
  const int r = p + 1;
  editor_.SetCell(kGrid, r, 0, PlainNumberText(static_cast<long long>(p)));
  editor_.SetCell(kGrid, r, 1, std::string(PriorTypeName(row.Letter())));
  editor_.SetCell(kGrid, r, 2, TermCell(row.FirstTerm));
  editor_.SetCell(kGrid, r, 3, TermCell(row.SecondTerm));
  editor_.SetCell(kGrid, r, 4, TermCell(row.ThirdTerm, row.ThirdValue));
  editor_.SetCell(kGrid, r, 5, TermCell(row.FourthTerm, row.FourthValue));
  editor_.SetCell(kGrid, r, 6, p <= data.Descriptions.size() ? data.Descriptions[p] : "");
  const int color = row.Type != "U" ? kPriorSetColor : -1;
  for (int col = 1; col < 7; ++col) editor_.SetCellColor(kGrid, r, col, color);
}

void PriorWindows::SelectRow(int row) {
  if (row < 2 || row >= session_.Algorithm.ParameterCount + 2) return;
  selected_ = row;
  editor_.SetCurrentCell(kGrid, row, 1);
}

void PriorWindows::FinishEditor() {
  Ui& ui = session_.ui();
  ui.SetStatusPanel(5, 1, "");
  ui.PumpEvents();
  ui.ShowMessage("Bayesian priors data, if changed, have been updated", "Just so you know",
                 Icon::Information);
  if (editor_.IsOpen()) ui.CloseForm(editor_);
  if (session_.Priors.AllUniform()) {
    session_.State.PriorsActive = false;
  } else {
    if (ui.AskYesNo("Save Bayesian priors now?", "Save Bayesian priors", Icon::Question) ==
        Answer::Yes)
      Save_Priors(session_, PriorsSaveFrom::PriorEditor);
    FixObjectiveScale();
  }
  ui.SetStatusPanel(5, 1, "");
  ui.PumpEvents();
  ReturnToOpener();
}

// The scale that turns the priors' -ln[L] into objective units, fixed here
// for every later calculation: 1/c when the model suggests its constant c,
// else the sum-of-squares scale 2F/(NOBS - FreeCount - 1) at the current
// values. Without a model, or without observations to count, it stays.
void PriorWindows::FixObjectiveScale() {
  Model* model = session_.model();
  if (!model) return;
  AppState& state = session_.State;
  Ui& ui = session_.ui();
  const std::optional<double> constant = model->ObjectiveConstant();
  double F = 0.0;
  if (!constant) {
    if (session_.Outputs.NOBS <= 0) return;
    AlgorithmData& data = session_.Algorithm;
    BuildFuseGroups(data, session_.Fuse);
    BuildFreeParameterList(data, session_.Free);
    ui.SetStatusPanel(5, 1, "One moment please...");
    ui.PumpEvents();
    OneBased<double> P = data.Values;
    F = EvaluateObjective(session_, P, 1, false);
  }
  const std::optional<double> scale =
      FixedObjectiveScale(constant, F, session_.Outputs.NOBS, session_.Free.FreeCount);
  if (!scale) {
    ui.ShowMessage(
        "Cannot accept a negative or zero constant; perhaps the degrees of freedom are zero or "
        "fewer",
        "Insufficient degrees of freedom", Icon::Exclamation);
    return;
  }
  state.ObjectiveScale = *scale;
}

}  // namespace quorvane
