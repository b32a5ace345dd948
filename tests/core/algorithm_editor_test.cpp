// The algorithm data editor, driven as a user drives it.
#include "core/algorithm_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/core_session.h"

namespace quorvane {
namespace {

class AlgorithmEditorTest : public testing::CoreSession {
 protected:
  AlgorithmEditorTest() {
    ui_.Answer(Answer::No);
    menu().Click("cmdLoadAlg");
    data().Values = {0.5, 0, -3};
    data().Steps = {0.05, 0, 0};
    data().FuseCodes = {"~~", "~~", "~~"};
    ui_.Log.clear();
  }

  AlgorithmEditor& editor() { return session_.Editor(); }
  Form& form() { return editor().form(); }
  const GridCell& Cell(int row, int col) { return form().Get("grdVS").grid.At(row, col); }

  void OpenFromMenu() { menu().Click("cmdEditAlg"); }
  // Double-clicks a cell and types the entry into the edit box, then leaves it.
  void EditCell(int row, int col, const std::string& entry) {
    form().DoubleClick("grdVS", row, col);
    form().Type("txtCell", entry);
  }
};

TEST_F(AlgorithmEditorTest, OpensWithTheGridAndOptionsOfTheData) {
  session_.Simplex.Exists = true;
  OpenFromMenu();
  EXPECT_TRUE(ui_.IsOpen("frmAlgorithmEditor"));
  EXPECT_FALSE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(form().Caption(), "Algorithm data file name is:  " + state().AlgorithmFileName);
  EXPECT_EQ(editor().StepProportion, 0.1);

  const std::vector<std::string> headers = {"Parameter", "Value", "Step", "Fuse",
                                            "Parameter description [null value; valid values]"};
  for (int col = 0; col < 5; ++col) EXPECT_EQ(Cell(0, col).text, headers[static_cast<size_t>(col)]);
  EXPECT_EQ(Cell(1, 0).text, "1");
  EXPECT_EQ(Cell(1, 1).text, "5.0000E-01");
  EXPECT_EQ(Cell(1, 1).foreColor, kEditorBlue);
  EXPECT_EQ(Cell(1, 2).text, "5.0000E-02");
  EXPECT_EQ(Cell(2, 1).text, "0");
  EXPECT_EQ(Cell(2, 1).foreColor, kEditorBlack);
  EXPECT_EQ(Cell(3, 1).text, "-3.0000E+00");
  EXPECT_EQ(Cell(3, 3).text, "~~");
  EXPECT_EQ(Cell(3, 3).foreColor, kEditorBlack);
  EXPECT_EQ(Cell(3, 4).text, "Description of parameter 3");
  EXPECT_EQ(Cell(3, 4).foreColor, kEditorBlue);

  EXPECT_EQ(form().Get("lblAbsRel").caption, "Absolute tolerance for convergence (TC):");
  EXPECT_EQ(form().Get("txtAbsRel").caption, "1.000E-06");
  EXPECT_EQ(form().Text("txtMaxFunctions"), "9999");
  EXPECT_EQ(form().Text("txtTerminalFreq"), "10");
  EXPECT_EQ(form().Text("txtReduction"), "0.1");
  EXPECT_EQ(form().Text("txtFileName"), "");
  EXPECT_EQ(form().Text("txtFileFreq"), "0");
  EXPECT_FALSE(form().IsEnabled("txtFileFreq"));
  EXPECT_TRUE(form().IsEnabled("cmdOpenLog"));
  EXPECT_FALSE(form().IsEnabled("cmdCloseLog"));

  // Opening alone changes nothing that a stored simplex depends on.
  EXPECT_TRUE(session_.Simplex.Exists);
  form().Click("cmdFinish");
  EXPECT_EQ(Last().title, "Just so you know");
  EXPECT_EQ(Last().text, "Algorithm data, if changed, have been updated");
  EXPECT_EQ(Last().icon, Icon::Information);
  EXPECT_FALSE(ui_.IsOpen("frmAlgorithmEditor"));
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_TRUE(state().EditorClosed);
  EXPECT_FALSE(state().EditorOpenedFromMenu);
  EXPECT_EQ(EnabledCount(), 13);
}

TEST_F(AlgorithmEditorTest, AValueTypedInItsCellSetsTheProportionalStep) {
  OpenFromMenu();
  const struct {
    const char* entry;
    double value, step;
  } cases[] = {{"2", 2, 0.2}, {"-2", -2, 0.2}, {"0", 0, 0.1}, {" 1.5E+01 ", 15, 1.5}};
  for (const auto& c : cases) {
    EditCell(2, 1, c.entry);
    EXPECT_EQ(data().Values[2], c.value) << c.entry;
    EXPECT_DOUBLE_EQ(data().Steps[2], c.step) << c.entry;
  }
  // The fixed parameter became free; both its cells show the change in red.
  EXPECT_EQ(Cell(2, 1).foreColor, kEditorRed);
  EXPECT_EQ(Cell(2, 2).foreColor, kEditorRed);
  EXPECT_EQ(Cell(2, 2).text, "1.5000E+00");
  EXPECT_FALSE(form().Get("txtCell").visible);

  // Entries that are not numbers change nothing.
  for (const char* entry : {"", "abc", "2x", "nan"}) {
    EditCell(1, 1, entry);
    EXPECT_EQ(data().Values[1], 0.5) << entry;
    EXPECT_EQ(data().Steps[1], 0.05) << entry;
    EXPECT_EQ(Cell(1, 1).foreColor, kEditorBlue) << entry;
  }

  // A step typed in its cell; an edit box left open is applied when another
  // cell is double-clicked.
  form().DoubleClick("grdVS", 3, 2);
  form().Edit("txtCell", "-0.25");
  form().DoubleClick("grdVS", 1, 2);
  EXPECT_EQ(data().Steps[3], -0.25);
  form().Type("txtCell", "0");
  EXPECT_EQ(data().Steps[1], 0.0);
  EXPECT_EQ(Cell(1, 2).text, "0");
  EXPECT_EQ(Cell(1, 2).foreColor, kEditorRed);
}

// Opening a cell and leaving it as shown is no edit: the value keeps its
// digits beyond the shown ones, its step stays (it is not made a tenth of
// the value), and a stored simplex still fits.
TEST_F(AlgorithmEditorTest, LeavingACellUnchangedIsNoEdit) {
  data().Values[1] = 0.1234567890123456789;
  session_.Simplex.Exists = true;
  OpenFromMenu();
  for (int col : {1, 2, 3}) {
    EditCell(1, col, form().Text("txtCell"));
    EXPECT_FALSE(form().Get("txtCell").visible);
  }
  EXPECT_EQ(data().Values[1], 0.1234567890123456789);
  EXPECT_EQ(data().Steps[1], 0.05);
  EXPECT_EQ(data().FuseCodes[1], "~~");
  for (int col : {1, 2, 3}) EXPECT_NE(Cell(1, col).foreColor, kEditorRed) << col;
  EXPECT_TRUE(session_.Simplex.Exists);
}

// The edit box names what it edits and asks for the focus; Escape closes it
// and leaves the entry as it was, in its colour.
TEST_F(AlgorithmEditorTest, TheEditBoxNamesItsCellAndEscapeCancelsIt) {
  OpenFromMenu();
  std::vector<std::string> focused;
  form().SetObserver([&](const std::string& control, FormProperty property) {
    if (property == FormProperty::Focus) focused.push_back(control);
  });
  const struct {
    int row, col;
    const char* caption;
  } cases[] = {{1, 1, "Value of parameter #1:"},
               {3, 2, "Step of parameter #3:"},
               {2, 3, "Fuse code of parameter #2:"}};
  for (const auto& c : cases) {
    form().DoubleClick("grdVS", c.row, c.col);
    EXPECT_EQ(form().Get("txtCell").caption, c.caption);
    EXPECT_TRUE(form().Get("txtCell").visible);
    form().Edit("txtCell", "7");
    form().Cancel("txtCell");
    EXPECT_FALSE(form().Get("txtCell").visible);
    form().Leave("txtCell");  // the focus leaves the hidden box: still nothing
  }
  EXPECT_EQ(focused, (std::vector<std::string>{"txtCell", "txtCell", "txtCell"}));
  EXPECT_EQ(data().Values[1], 0.5);
  EXPECT_EQ(data().Steps[1], 0.05);
  EXPECT_EQ(data().Steps[3], 0.0);
  EXPECT_EQ(data().FuseCodes[2], "~~");
  EXPECT_EQ(Cell(1, 1).foreColor, kEditorBlue);
  EXPECT_EQ(Cell(3, 2).foreColor, kEditorBlack);
}

TEST_F(AlgorithmEditorTest, FuseCellEntriesAreTrimmedCapitalisedAndChecked) {
  OpenFromMenu();
  const struct {
    const char* entry;
    const char* code;
  } cases[] = {{"ab", "AB"}, {" b ", "B"}, {"~", "~~"}, {"z", "Z"}, {"A1", "Z"}, {"1A", "Z"},
               {"ABC", "Z"}, {"", "Z"}, {"a-b", "Z"}, {"~~", "~~"}};
  for (const auto& c : cases) {
    EditCell(1, 3, c.entry);
    EXPECT_EQ(data().FuseCodes[1], c.code) << '"' << c.entry << '"';
  }
  EXPECT_EQ(Cell(1, 3).foreColor, kEditorRed);
}

TEST_F(AlgorithmEditorTest, WholeColumnPassesOfStepsAndCodes) {
  OpenFromMenu();
  // Cancelling the very first prompt leaves every entry as it was.
  ui_.Value("");
  form().DoubleClick("grdVS", 0, 2);
  EXPECT_EQ(data().Steps, (OneBased<double>{0.05, 0, 0}));
  EXPECT_EQ(Cell(1, 2).foreColor, kEditorBlue);

  // Within 1E-10 leaves the step; not a number asks again; empty ends the pass.
  ui_.Value("0.05000000000001").Value("x").Value("0.7").Value("");
  form().DoubleClick("grdVS", 0, 2);
  EXPECT_EQ(data().Steps, (OneBased<double>{0.05, 0.7, 0}));
  EXPECT_EQ(Cell(1, 2).foreColor, kEditorBlue);
  EXPECT_EQ(Cell(2, 2).foreColor, kEditorRed);
  EXPECT_EQ(ui_.Log.back().title, "Edit all step sizes");
  EXPECT_EQ(ui_.Log.back().text, "Enter new step size for parameter #3");

  // The menu runs the same pass.
  ui_.Log.clear();
  ui_.Value("");
  form().ClickMenu("Edit>Step sizes");
  EXPECT_EQ(ui_.Log[0].title, "Edit all step sizes");

  // Codes in the pass are not trimmed: " b " and "~" are asked for again.
  ui_.Log.clear();
  ui_.Value(" b ").Value("~").Value("b").Value("~~").Value("ab");
  form().DoubleClick("grdVS", 0, 3);
  EXPECT_EQ(data().FuseCodes, (OneBased<std::string>{"B", "~~", "AB"}));
  ASSERT_EQ(ui_.Log.size(), 5u);
  EXPECT_EQ(ui_.Log[0].title, "Edit all parameter fuse characters");
  EXPECT_EQ(ui_.Log[0].text,
            "Enter new alphabetical fuse character(s) (e.g., A,B,AA,AB,...) or the null character "
            "[~~, unfused] for parameter #1");
  EXPECT_EQ(Cell(2, 3).foreColor, kEditorBlack);  // "~~" kept as it was
  EXPECT_EQ(Cell(3, 3).foreColor, kEditorRed);
}

TEST_F(AlgorithmEditorTest, EditAllParametersWindow) {
  OpenFromMenu();
  form().DoubleClick("grdVS", 0, 1);
  Form& all = editor().EditAllForm();
  EXPECT_TRUE(ui_.IsOpen("frmEditAll"));
  EXPECT_FALSE(form().Enabled());

  // Proportional steps keep the value's sign here; 0 gets the proportion
  // itself; the proportion 0 means 0.1.
  ui_.Value("abc").Value("0").Value("-2").Value("0").Value("4");
  all.Click("cmdAllValues");
  EXPECT_FALSE(ui_.IsOpen("frmEditAll"));
  EXPECT_TRUE(form().Enabled());
  EXPECT_EQ(ui_.Log[0].title, "Change proportionality constant");
  EXPECT_EQ(ui_.Log[0].text,
            "Enter step size as a fraction of parameter values.\r\nA proportion of 0 will default to 0.1");
  EXPECT_EQ(editor().StepProportion, 0.1);
  EXPECT_EQ(data().Values, (OneBased<double>{-2, 0, 4}));
  EXPECT_DOUBLE_EQ(data().Steps[1], -0.2);
  EXPECT_DOUBLE_EQ(data().Steps[2], 0.1);
  EXPECT_DOUBLE_EQ(data().Steps[3], 0.4);

  // Only free parameters; the proportion question answered with 0.5.
  data().Steps[2] = 0;
  form().ClickMenu("Edit>Values");
  ui_.Log.clear();
  ui_.Value("0.5").Value("10").Value("");
  all.Click("cmdFreeValues");
  EXPECT_EQ(ui_.Log[1].title, "Edit free parameter values");
  EXPECT_EQ(ui_.Log[1].text, "Enter the new value of parameter #1");
  EXPECT_EQ(ui_.Log[2].text, "Enter the new value of parameter #3");  // 2 is fixed
  EXPECT_EQ(data().Values, (OneBased<double>{10, 0, 4}));
  EXPECT_EQ(data().Steps, (OneBased<double>{5, 0, 0.4}));  // 3's pass was cancelled

  // Values only: the steps stay.
  form().DoubleClick("grdVS", 0, 1);
  ui_.Value("7").Value("8").Value("9");
  all.Click("cmdValuesOnly");
  EXPECT_EQ(ui_.Log.back().title, "Edit a parameter value");
  EXPECT_EQ(data().Values, (OneBased<double>{7, 8, 9}));
  EXPECT_EQ(data().Steps, (OneBased<double>{5, 0, 0.4}));

  // Unfusing leaves the steps of former followers at 0.
  data().FuseCodes = {"A", "~~", "A"};
  form().DoubleClick("grdVS", 0, 1);
  all.Click("cmdUnfuseAll");
  EXPECT_EQ(data().FuseCodes, (OneBased<std::string>{"~~", "~~", "~~"}));
  EXPECT_EQ(Cell(1, 3).foreColor, kEditorRed);
  EXPECT_EQ(Cell(2, 3).foreColor, kEditorBlack);
  EXPECT_EQ(data().Steps[3], 0.4);
}

TEST_F(AlgorithmEditorTest, StepProportionFromTheMenuClosesTheEditorWhenCancelled) {
  OpenFromMenu();
  ui_.Value("0.25");
  form().ClickMenu("Edit>Change step size proportion");
  EXPECT_EQ(editor().StepProportion, 0.25);
  EXPECT_TRUE(ui_.IsOpen("frmAlgorithmEditor"));
  ui_.Value("");
  form().ClickMenu("Edit>Change step size proportion");
  EXPECT_EQ(editor().StepProportion, 0.25);
  EXPECT_FALSE(ui_.IsOpen("frmAlgorithmEditor"));
  EXPECT_EQ(Last().text, "Algorithm data, if changed, have been updated");
}

TEST_F(AlgorithmEditorTest, ToleranceDialogue) {
  OpenFromMenu();
  const struct {
    Answer switchType;
    const char* entry;
    double tolerance;
    const char* label;
  } cases[] = {
      {Answer::Yes, "5E-07", -1e-6, "Relative tolerance for convergence (TC):"},
      {Answer::No, "0.002", -0.002, "Relative tolerance for convergence (TC):"},
      {Answer::No, "", -0.002, "Relative tolerance for convergence (TC):"},  // nothing changes
      {Answer::Yes, "-3E-03", 0.003, "Absolute tolerance for convergence (TC):"},
      {Answer::Yes, "0", 0.0, "Absolute tolerance for convergence (TC):"},
  };
  for (const auto& c : cases) {
    ui_.Log.clear();
    ui_.Answer(c.switchType).Value(c.entry);
    form().Click("txtAbsRel");
    EXPECT_EQ(data().Tolerance, c.tolerance) << c.entry;
    EXPECT_EQ(form().Get("lblAbsRel").caption, c.label) << c.entry;
    EXPECT_EQ(ui_.Log[0].title, "Change the tolerance for convergence");
  }
  EXPECT_EQ(form().Get("txtAbsRel").caption, "0.000E+00");

  ui_.Log.clear();
  data().Tolerance = -2.5e-4;
  ui_.Answer(Answer::No).Value("");
  form().Click("txtAbsRel");
  EXPECT_EQ(ui_.Log[0].text,
            "Current tolerance type is RELATIVE.\r\n\r\nDo you want to change to ABSOLUTE?");
  EXPECT_EQ(ui_.Log[1].text, "Current tolerance is 2.5E-04  (Minimum allowed is 1E-06)");
}

TEST_F(AlgorithmEditorTest, OptionBoxesRefuseNegativesAndRestoreNonNumbers) {
  OpenFromMenu();
  const struct {
    const char* box;
    const char* title;
    const char* refusal;
  } boxes[] = {
      {"txtMaxFunctions", "Change the maximum # of function calls",
       "Maximum number of functions must be positive"},
      {"txtTerminalFreq", "Change the terminal display frequency", "Frequency must be positive"},
      {"txtReduction", "Change the step size reduction fraction", "Fraction must be positive"},
  };
  for (const auto& b : boxes) {
    const std::string before = form().Text(b.box);
    ui_.Log.clear();
    form().Type(b.box, "-1");
    ASSERT_EQ(ui_.Log.size(), 1u) << b.box;
    EXPECT_EQ(ui_.Log[0].title, b.title);
    EXPECT_EQ(ui_.Log[0].text, b.refusal);
    EXPECT_EQ(form().Text(b.box), before);
    form().Type(b.box, "lots");
    EXPECT_EQ(form().Text(b.box), before);
    // A non-number is ignored, and the user is told so.
    ASSERT_EQ(ui_.Log.size(), 2u);
    EXPECT_EQ(ui_.Log[1].title, "Entry ignored");
    EXPECT_EQ(ui_.Log[1].text.rfind("\"lots\" is not a number, so the ", 0), 0u);
  }
  form().Type("txtMaxFunctions", "2.5");
  EXPECT_EQ(data().MaxFunctionCalls, 2);
  EXPECT_EQ(form().Text("txtMaxFunctions"), "2");
  form().Type("txtTerminalFreq", "0");
  EXPECT_EQ(data().TerminalFrequency, 0);
  form().Type("txtTerminalFreq", "99999");  // beyond the setting's range
  EXPECT_EQ(data().TerminalFrequency, 0);
  EXPECT_EQ(form().Text("txtTerminalFreq"), "0");

  // The reduction box shows four decimals; leaving it as shown keeps the
  // stored fraction exactly.
  form().Type("txtReduction", "0.000012");
  EXPECT_EQ(data().ReductionFraction, 0.000012);
  EXPECT_EQ(form().Text("txtReduction"), "0.");
  form().Leave("txtReduction");
  EXPECT_EQ(data().ReductionFraction, 0.000012);
}

TEST_F(AlgorithmEditorTest, LogFileOpensAndClosesFromTheEditor) {
  OpenFromMenu();
  const std::string path = TempPath("progress.qvl");
  ui_.File(path);
  form().Click("cmdOpenLog");
  const FileDialogRequest& request = ui_.FileRequests.back();
  EXPECT_EQ(request.title, "Save minimization progress in...");
  EXPECT_EQ(request.filter, "All files (*.*)|*.*|Quorvane log files (*.qvl)|*.qvl");
  EXPECT_EQ(request.filterIndex, 2);
  EXPECT_EQ(request.proposedName, "minimize.qvl");
  EXPECT_EQ(Last().text, "The log file " + path + " is now open for output");
  EXPECT_EQ(Last().title, "Log file management");
  EXPECT_TRUE(session_.Log.IsOpen());
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(data().FileFrequency, 10);
  EXPECT_EQ(data().LogFileName, path);
  EXPECT_EQ(form().Text("txtFileName"), path);
  EXPECT_EQ(form().Text("txtFileFreq"), "10");
  EXPECT_TRUE(form().IsEnabled("txtFileFreq"));
  EXPECT_FALSE(form().IsEnabled("cmdOpenLog"));
  EXPECT_TRUE(form().IsEnabled("cmdCloseLog"));
  EXPECT_EQ(session_.Log.AppendLine("Initial parameter values:"), std::nullopt);

  form().Type("txtFileFreq", "3");
  EXPECT_EQ(data().FileFrequency, 3);
  form().Click("cmdCloseLog");
  EXPECT_EQ(Last().text, "The old log file " + path + " is now closed for input");
  EXPECT_FALSE(session_.Log.IsOpen());
  EXPECT_EQ(data().FileFrequency, 0);
  EXPECT_EQ(form().Text("txtFileName"), "");
  EXPECT_EQ(form().Text("txtFileFreq"), "0");
  EXPECT_FALSE(form().IsEnabled("txtFileFreq"));
  EXPECT_TRUE(form().IsEnabled("cmdOpenLog"));

  // A log that cannot be created is not open, and the user is told why.
  ui_.File("/nonexistent-folder/x.qvl");
  form().Click("cmdOpenLog");
  EXPECT_FALSE(session_.Log.IsOpen());
  EXPECT_NE(Last().text.find("/nonexistent-folder/x.qvl"), std::string::npos);
  EXPECT_EQ(data().FileFrequency, 0);
  // A cancelled chooser changes nothing.
  ui_.File(std::nullopt);
  form().Click("cmdOpenLog");
  EXPECT_EQ(data().LogFileName, path);
}

TEST_F(AlgorithmEditorTest, RestrictedEditorForTheCovarianceAnalysis) {
  ASSERT_EQ(session_.Log.Create(TempPath("open.qvl")), std::nullopt);
  state().EditorOpenedFromCovariance = true;
  state().EditorRestrictions.SetRange(4, 9, true);
  state().EditorClosed = false;
  editor().Open();
  for (const char* name : {"txtAbsRel", "lblAbsRel", "txtMaxFunctions", "txtTerminalFreq",
                           "txtReduction", "txtFileName", "txtFileFreq", "cmdOpenLog",
                           "cmdCloseLog"})
    EXPECT_FALSE(form().IsEnabled(name)) << name;
  EXPECT_EQ(form().Get("txtAbsRel").caption, "");
  EXPECT_EQ(form().Text("txtMaxFunctions"), "");
  EXPECT_EQ(form().Text("txtFileName"), "");
  // Values and steps can still be edited.
  EditCell(1, 1, "3");
  EXPECT_EQ(data().Values[1], 3);

  ui_.Then([&] { form().Click("cmdFinish"); });
  ui_.WaitUntil([&] { return state().EditorClosed; }, "the editor");
  EXPECT_FALSE(state().EditorOpenedFromCovariance);
  EXPECT_FALSE(ui_.IsOpen("frmMenu"));  // the analysis goes on, not the menu
  EXPECT_TRUE(session_.Log.IsOpen());
}

TEST_F(AlgorithmEditorTest, RestrictedColumnsStayEmptyAndCannotBeEdited) {
  // The main menu clears every switch; callers that restrict set theirs.
  state().EditorRestrictions[2] = true;
  editor().Open();
  EXPECT_EQ(Cell(1, 2).text, "");
  form().DoubleClick("grdVS", 1, 2);
  form().DoubleClick("grdVS", 0, 2);  // no pass
  EXPECT_FALSE(form().Get("txtCell").visible);
  EXPECT_TRUE(ui_.Questions().empty());
  EXPECT_THROW(form().ClickMenu("Edit>Step sizes"), FormError);
}

TEST_F(AlgorithmEditorTest, EditsForgetTheStoredSimplexAndCovariances) {
  int forgotten = 0;
  session_.OnParameterSetEdited = [&] { ++forgotten; };
  session_.Simplex.Exists = true;
  state().CovarianceAvailable = true;
  OpenFromMenu();
  EditCell(1, 3, "A");
  EXPECT_FALSE(session_.Simplex.Exists);
  EXPECT_FALSE(state().CovarianceAvailable);
  EXPECT_EQ(forgotten, 1);

  // Fused members are brought in line when editing finishes (and on Update).
  EditCell(3, 3, "a");
  form().Click("cmdUpdate");
  EXPECT_EQ(data().Values[3], 0.5);
  EXPECT_EQ(data().Steps[3], 0.0);
  EXPECT_EQ(Cell(3, 3).foreColor, kEditorBlue);  // no longer marked as changed
  EXPECT_EQ(session_.Free.FreeCount, 1);
}

TEST_F(AlgorithmEditorTest, TheCloseBoxFinishesEditing) {
  OpenFromMenu();
  ASSERT_TRUE(form().onQueryClose);
  EXPECT_FALSE(form().onQueryClose());
  EXPECT_FALSE(ui_.IsOpen("frmAlgorithmEditor"));
  EXPECT_TRUE(state().EditorClosed);
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
}

}  // namespace
}  // namespace quorvane
