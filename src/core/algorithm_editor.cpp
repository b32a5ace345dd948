// The algorithm data editor: its window, opening and closing.
#include "core/algorithm_editor.h"

#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kLogToolTip = "A log file will record the output of a minimization in progress";

}  // namespace

AlgorithmEditor::AlgorithmEditor(Session& session)
    : session_(session), form_("frmAlgorithmEditor", "Algorithm data file name is:  "),
      edit_all_("frmEditAll", "Edit all parameters") {
  Build();
  BuildMenus();
  BuildEditAll();
}

void AlgorithmEditor::Build() {
  Control& grid = form_.Add(ControlKind::Grid, "grdVS");
  grid.onDoubleClick = [this](int row, int column) { OnGridDoubleClick(row, column); };
  Control& cell = form_.Add(ControlKind::TextBox, "txtCell");
  cell.visible = false;
  cell.toolTip = "Return or leaving the box applies the entry; Escape leaves it as it was";
  cell.onLostFocus = [this] { CommitCellEdit(); };
  cell.onCancel = [this] { CancelCellEdit(); };

  form_.Add(ControlKind::Label, "lblDoubleClick",
            "Double-click to edit a Value, Step or Fuse, or double-click the column heading to "
            "change them all");
  form_.Add(ControlKind::Label, "lblNote1",
            "Note 1: A step size of zero freezes the value of the corresponding parameter");
  form_.Add(ControlKind::Label, "lblNote2",
            "Note 2: Alphabetically fused parameters are co-estimated.  Only the parameter of "
            "lowest ordinal rank will have a non-zero step size.");

  form_.BeginRow();
  form_.BeginFrame("Minimization options");
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblAbsRel", "Absolute tolerance for convergence (TC):");
  Control& tolerance = form_.Add(ControlKind::Button, "txtAbsRel");
  tolerance.toolTip = "Click to change the tolerance for convergence";
  tolerance.onClick = [this] { ChangeTolerance(); };
  form_.End();
  form_.BeginRow();
  form_.BeginColumn();
  form_.Add(ControlKind::Label, "lblSimplexMax", "Simplex (maximum # function calls):");
  form_.Add(ControlKind::Label, "lblMarquardtMax", "Marquardt (maximum # iterations):");
  form_.End();
  form_.Add(ControlKind::TextBox, "txtMaxFunctions").onLostFocus = [this] {
    ApplyWholeBox("txtMaxFunctions", "Change the maximum # of function calls",
                  "Maximum number of functions must be positive", 2147483647LL,
                  [this](long long v) { session_.Algorithm.MaxFunctionCalls = static_cast<std::int32_t>(v); });
  };
  form_.End();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblTerminalFreq", "Terminal display frequency:");
  form_.Add(ControlKind::TextBox, "txtTerminalFreq").onLostFocus = [this] {
    ApplyWholeBox("txtTerminalFreq", "Change the terminal display frequency",
                  "Frequency must be positive", 32767LL,
                  [this](long long v) { session_.Algorithm.TerminalFrequency = static_cast<std::int16_t>(v); });
  };
  form_.End();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblReduction", "Step size reduction fraction:");
  form_.Add(ControlKind::TextBox, "txtReduction").onLostFocus = [this] { ApplyReduction(); };
  form_.End();
  form_.Add(ControlKind::Button, "cmdFinish", "&Finish editing").onClick = [this] { Finish(); };
  form_.End();  // frame

  form_.BeginFrame("Log file");
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblFileName", "Log file name (maximum of 10.3 characters):")
      .toolTip = kLogToolTip;
  Control& fileName = form_.Add(ControlKind::TextBox, "txtFileName");
  fileName.readOnly = true;  // named through the "&Open" button's file chooser
  fileName.toolTip = kLogToolTip;
  form_.End();
  form_.BeginRow();
  form_.Add(ControlKind::Label, "lblFileFreq", "Output frequency:").toolTip = kLogToolTip;
  Control& fileFreq = form_.Add(ControlKind::TextBox, "txtFileFreq");
  fileFreq.toolTip = kLogToolTip;
  fileFreq.onLostFocus = [this] {
    ApplyWholeBox("txtFileFreq", "Change the file write frequency", "Frequency must be positive",
                  32767LL,
                  [this](long long v) { session_.Algorithm.FileFrequency = static_cast<std::int16_t>(v); });
  };
  form_.End();
  form_.BeginRow();
  Control& open = form_.Add(ControlKind::Button, "cmdOpenLog", "&Open");
  open.toolTip = kLogToolTip;
  open.onClick = [this] {
    if (OpenLogFile(session_.ui(), session_.Algorithm, session_.Log)) FillLogFrame();
  };
  Control& close = form_.Add(ControlKind::Button, "cmdCloseLog", "&Close");
  close.toolTip = kLogToolTip;
  close.onClick = [this] {
    CloseLogFile(session_.ui(), session_.Algorithm, session_.Log);
    FillLogFrame();
  };
  form_.End();
  form_.End();  // frame
  form_.End();  // row

  form_.Add(ControlKind::Button, "cmdUpdate", "&Update edits").onClick = [this] {
    if (edit_row_) CommitCellEdit();
    Refresh();
  };

  // The close box finishes editing like the button.
  form_.onQueryClose = [this] {
    Finish();
    return false;
  };
}

void AlgorithmEditor::BuildMenus() {
  MenuItem application = MenuCommand("mnuApplication", "&Application", "", nullptr);
  application.items = {MenuCommand("mnuExit", "E&xit", "Ctrl+X", [this] { session_.QuitApplication(); })};
  form_.AddMenu(std::move(application));

  MenuItem edit = MenuCommand("mnuEdit", "&Edit", "", nullptr);
  edit.items = {
      MenuCommand("mnuValues", "&Values", "Ctrl+L", [this] { OpenEditAll(); }),
      MenuCommand("mnuSteps", "&Step sizes", "Ctrl+S", [this] { StepPass(); }),
      MenuCommand("mnuProportion", "Change step size &proportion", "Ctrl+P",
           [this] { ChangeStepProportionFromMenu(); }),
      MenuCommand("mnuUnfuse", "&Unfuse all values", "Ctrl+U", [this] { UnfuseAll(); }),
      MenuSeparator("mnuEditSeparator"),
      MenuCommand("mnuFinish", "&Finish editing", "Ctrl+F", [this] { Finish(); }),
  };
  form_.AddMenu(std::move(edit));

  form_.AddMenu(session_.Main().WindowMenu());
}

bool AlgorithmEditor::Restricted(int area) const {
  return session_.State.EditorRestrictions[area];
}

void AlgorithmEditor::Open() {
  AlgorithmData& data = session_.Algorithm;
  BuildFuseGroups(data, session_.Fuse);
  BuildFreeParameterList(data, session_.Free);
  session_.CloseMainMenu();
  if (StepProportion == 0.0) StepProportion = 0.1;
  Refresh();
  session_.ui().ShowForm(form_);
}

// The opening steps that fill the window from the algorithm data; also what
// "&Update edits" does. Changes are no longer marked red afterwards.
void AlgorithmEditor::Refresh() {
  AlgorithmData& data = session_.Algorithm;
  BuildFuseGroups(data, session_.Fuse);
  BuildFreeParameterList(data, session_.Free);
  form_.SetCaption("Algorithm data file name is:  " + session_.State.AlgorithmFileName);
  changed_.assign(static_cast<std::size_t>(data.ParameterCount), Changed{});
  edit_row_ = edit_column_ = 0;
  form_.SetVisible("txtCell", false);
  FillGrid();
  FillOptions();
  FillLogFrame();
  form_.SetMenuEnabled("mnuValues", !Restricted(1));
  form_.SetMenuEnabled("mnuSteps", !Restricted(2));
  form_.SetMenuEnabled("mnuUnfuse", !Restricted(3));
}

void AlgorithmEditor::Finish() {
  if (edit_row_) CommitCellEdit();
  if (edit_all_.IsOpen()) CloseEditAll();
  AlgorithmData& data = session_.Algorithm;
  BuildFuseGroups(data, session_.Fuse);
  BuildFreeParameterList(data, session_.Free);
  Ui& ui = session_.ui();
  ui.ShowMessage("Algorithm data, if changed, have been updated", "Just so you know",
                 Icon::Information);
  if (form_.IsOpen()) ui.CloseForm(form_);
  AppState& state = session_.State;
  state.EditorClosed = true;
  if (state.EditorOpenedFromMenu) {
    session_.ShowMainMenu();
    state.EditorOpenedFromMenu = false;
  }
  if (state.EditorOpenedFromRanking && onReturnToRanking) onReturnToRanking();
  if (state.EditorOpenedFromCovariance) state.EditorOpenedFromCovariance = false;
}

}  // namespace quorvane
