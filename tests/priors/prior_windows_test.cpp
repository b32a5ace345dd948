// The loader and the editor driven through their forms.
#include "priors/prior_windows.h"

#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "app/session.h"
#include "core/model.h"
#include "priors/priors_file.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

// A model whose objective is a sum of squares over 20 observations, so the
// editor fixes the sum-of-squares scale, unless it suggests a constant.
class SquaresModel : public Model {
 public:
  std::optional<double> constant;
  std::string Name() const override { return "Squares"; }
  void MODEL(double& F, OneBased<double>& P, OneBased<double>&, OneBased<std::string>&,
             OneBased<std::string>&, std::int16_t&, std::int32_t, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    F = 10.0 + P[1] * P[1];
    NOBS = 20;
  }
  std::optional<double> ObjectiveConstant() const override { return constant; }
};

class PriorWindowsTest : public ::testing::Test {
 protected:
  PriorWindowsTest() : session_(ui_, &model_) {
    session_.Start();
    AlgorithmData& data = session_.Algorithm;
    data.ParameterCount = 3;
    data.Values = {0.0, 0.5, 2.0};
    data.Steps = {0.1, 0.1, 0.0};
    data.FuseCodes = {"~~", "~~", "~~"};
    data.Descriptions = {"First [0]", "Second [0]", "Third [0]"};
    session_.Priors.Reset(3);
  }
  Form& loader() { return session_.PriorsView().Loader(); }
  Form& editor() { return session_.PriorsView().Editor(); }
  void OpenEditor() {
    session_.State.PriorsOpenedFromMenu = true;
    session_.PriorsView().OpenLoader();
    ui_.Answer(Answer::Yes);
    loader().Click("cmdSet");
    ASSERT_TRUE(editor().IsOpen());
  }
  void Select(int parameter) { editor().DoubleClick("grdSetPriors", parameter + 1, 1); }
  const PriorRow& Row(int parameter) { return session_.Priors.Rows[parameter - 1]; }

  ScriptedUi ui_;
  SquaresModel model_;
  Session session_;
};

TEST_F(PriorWindowsTest, SetSkipsTheLongQuestionWhenAPriorIsSet) {
  session_.Priors.Rows[1].Type = "N";
  session_.Priors.Rows[1].FirstTerm = 1.0;
  session_.Priors.Rows[1].SecondTerm = 1.0;
  session_.State.PriorsOpenedFromMenu = true;
  session_.PriorsView().OpenLoader();
  EXPECT_TRUE(session_.State.PriorsActive);
  loader().Click("cmdSet");
  EXPECT_TRUE(ui_.Questions().empty());
  EXPECT_TRUE(editor().IsOpen());
  EXPECT_EQ(editor().Cell("grdSetPriors", 3, 1), "Gaussian or Normal");
  EXPECT_EQ(editor().Get("grdSetPriors").grid.At(3, 2).foreColor, kPriorSetColor);
  EXPECT_EQ(editor().Get("grdSetPriors").grid.At(2, 2).foreColor, -1);
}

TEST_F(PriorWindowsTest, AnsweringNoResetsEveryPriorAndReturnsToTheMenu) {
  session_.State.PriorsOpenedFromMenu = true;
  session_.PriorsView().OpenLoader();
  ui_.Answer(Answer::No);
  loader().Click("cmdSet");
  EXPECT_FALSE(session_.State.PriorsActive);
  EXPECT_FALSE(editor().IsOpen());
  EXPECT_TRUE(ui_.Showed("Prior probabilities have been set to default (uniform-unbounded) values"));
  EXPECT_TRUE(session_.MainMenuIsOpen());
  EXPECT_FALSE(session_.State.PriorsOpenedFromMenu);
}

TEST_F(PriorWindowsTest, BetaTellsItsShapesOrRefusesThem) {
  OpenEditor();
  Select(2);
  ui_.Value("0.5").Value("0.1");
  editor().ClickMenu("Edit prior distributions>Mean and SD>Beta");
  EXPECT_EQ(ui_.Messages().back(),
            "The corresponding values for 'a' & 'b' of \xC3\x9F (a,b) are: 12. & 12.");
  EXPECT_EQ(Row(2).Type, "B");

  Select(1);
  ui_.Value("0.5").Value("0.6");
  editor().ClickMenu("Edit prior distributions>Mean and SD>Beta");
  EXPECT_EQ(ui_.Messages().back(), "An unacceptable (< 0) value for 'a' of \xC3\x9F (a,b) is: -0.1528");
  EXPECT_EQ(Row(1), PriorRow{});
}

TEST_F(PriorWindowsTest, EditCommandsCheckAndStoreTheirTerms) {
  OpenEditor();
  Select(1);
  ui_.Value("2").Value("3");  // SD above the mean: refused
  editor().ClickMenu("Edit prior distributions>Mean and SD>Gamma");
  EXPECT_EQ(Row(1).Type, "U");
  ASSERT_FALSE(ui_.Messages().empty());
  EXPECT_EQ(ui_.Messages().back(),
            "The prior of parameter #1 cannot be used: a Gamma prior needs 0 < SD < mean.\r\n"
            "The prior of parameter #1 has not been changed.");
  ui_.Value("3").Value("2");
  editor().ClickMenu("Edit prior distributions>Mean and SD>Gamma");
  EXPECT_EQ(Row(1).Type, "G");
  EXPECT_EQ(editor().Cell("grdSetPriors", 2, 2), "3.000E+000");

  Select(2);
  ui_.Value("-4");
  editor().ClickMenu("Edit prior distributions>Mean and SD>Exponential");
  EXPECT_EQ(Row(2).Type, "E");
  EXPECT_EQ(Row(2).FirstTerm, 4.0);
  EXPECT_EQ(Row(2).SecondTerm, 4.0);

  // Feet 5 and 5: all four questions again; the second answers are stored.
  Select(3);
  const std::size_t asked = ui_.Questions().size();
  ui_.Value("5").Value("1").Value("5").Value("1").Value("0").Value("0").Value("10").Value("-2");
  editor().ClickMenu("Edit prior distributions>Foot (mean) of a>Feet of a uniform-bounded");
  EXPECT_EQ(ui_.Questions().size(), asked + 8u);
  EXPECT_EQ(Row(3).Type, "T");
  EXPECT_EQ(Row(3).ThirdTerm, "10");
  EXPECT_EQ(Row(3).FourthValue, 2.0);

  // An empty answer ends a command with the row unchanged.
  ui_.Value("");
  editor().ClickMenu("Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)");
  EXPECT_EQ(Row(3).Type, "T");

  editor().ClickMenu("Edit prior distributions>Default (Uniform-unbounded)");
  EXPECT_EQ(Row(3), PriorRow{});
  for (int col : {2, 3}) EXPECT_EQ(editor().Cell("grdSetPriors", 4, col), "*");
  for (int col : {4, 5}) EXPECT_EQ(editor().Cell("grdSetPriors", 4, col), "Unused");
}

// What the editor accepts, the priors file's reader accepts: every entry
// the reader would refuse is refused with the reader's reason and leaves the
// row as it was; every stored row is written and read back unchanged in type.
TEST_F(PriorWindowsTest, TheEditorRefusesWhatThePriorsFileCouldNotLoad) {
  struct Case {
    const char* menu;
    std::vector<std::string> answers;
    std::string reason;  // empty: stored
  };
  const std::string normal = "Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)";
  const std::string gamma = "Edit prior distributions>Mean and SD>Gamma";
  const Case cases[] = {
      {normal.c_str(), {"1", "0"}, "the SD of a Normal prior is 0"},
      {normal.c_str(), {"1", "-2"}, ""},  // the SD's absolute value
      {gamma.c_str(), {"-3", "-4"}, "a Gamma prior needs 0 < SD < mean"},  // 3 and 4 as stored
      // The SD is not below the mean as typed.
      {gamma.c_str(), {"-4", "-3"}, "a Gamma prior needs 0 < SD < mean"},
      {gamma.c_str(), {"3", "-2"}, ""},
      {gamma.c_str(), {"1.00001", "1"},
       "rounded to the file's four significant digits, a Gamma prior needs 0 < SD < mean"},
      {"Edit prior distributions>Mean and SD>Exponential", {"0"},
       "the mean of an exponential prior is 0"},
      {"Edit prior distributions>Mean and SD>Ln-normal", {"2", "0"},
       "a Ln-normal prior needs a mean and SD above 0"},
      {"Edit prior distributions>Mean and SD>Beta", {"1.5", "0.1"},
       "a Beta prior needs 0 < mean < 1 and SD > 0"},
      {"Edit prior distributions>Foot (mean) of a>Left-side cliff", {"-1", "-0.5"}, ""},
      {"Edit prior distributions>Foot (mean) of a>Feet of a uniform-bounded",
       {"5", "1", "10abc", "1"},
       "a bounded uniform prior needs numbers for its right foot and SD"},
  };
  OpenEditor();
  Select(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.menu) + " " + c.answers[0]);
    session_.Priors.Reset(3);
    for (const std::string& answer : c.answers) ui_.Value(answer);
    const std::size_t messages = ui_.Messages().size();
    editor().ClickMenu(c.menu);
    if (!c.reason.empty()) {
      EXPECT_EQ(Row(1), PriorRow{});
      ASSERT_EQ(ui_.Messages().size(), messages + 1);
      EXPECT_EQ(ui_.Messages().back(), "The prior of parameter #1 cannot be used: " + c.reason +
                                           ".\r\nThe prior of parameter #1 has not been changed.");
      continue;
    }
    EXPECT_NE(Row(1).Type, "U");
    std::vector<std::string> lines;
    std::istringstream file(PriorsFileText(session_.Priors));
    for (std::string line; std::getline(file, line);)
      lines.push_back(line.substr(0, line.size() - 1));  // without the CR
    const PriorsFileContent read = ParsePriorsFile(lines, 3);
    ASSERT_TRUE(std::holds_alternative<std::vector<PriorRow>>(read));
    EXPECT_EQ(std::get<std::vector<PriorRow>>(read)[0].Type, Row(1).Type);
  }
}

TEST_F(PriorWindowsTest, ClosingFixesTheScaleOfTheModelsObjective) {
  struct Case {
    std::optional<double> constant;
    double scale;
  };
  // Sum of squares: F = 10 at the current values, 20 observations and
  // 2 free parameters give 2 F / (20 - 2 - 1); a model constant c gives 1/c.
  for (const Case& c : {Case{std::nullopt, 2 * 10.0 / 17}, Case{0.5, 2.0}}) {
    model_.constant = c.constant;
    session_.Outputs.NOBS = 20;
    OpenEditor();
    Select(1);
    ui_.Value("0").Value("1");
    editor().ClickMenu("Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)");
    ui_.Answer(Answer::No);
    editor().ClickMenu("Finished");
    EXPECT_TRUE(ui_.Showed("Bayesian priors data, if changed, have been updated"));
    EXPECT_TRUE(ui_.Showed("Save Bayesian priors now?"));
    EXPECT_DOUBLE_EQ(session_.State.ObjectiveScale, c.scale);
    EXPECT_TRUE(session_.State.PriorsActive);
    EXPECT_TRUE(session_.MainMenuIsOpen());
    // The objective now carries the prior: ½ (2/1)² at P1 = 2, times the scale.
    OneBased<double> P = session_.Algorithm.Values;
    P[1] = 2.0;
    EXPECT_DOUBLE_EQ(session_.MakeObjective().Evaluate(P, 1, true), 14.0 + c.scale * 2.0);
    session_.Priors.Reset(3);
  }
}

TEST_F(PriorWindowsTest, ClosingWithEveryPriorUniformSwitchesPriorsOff) {
  OpenEditor();
  const double scale = session_.State.ObjectiveScale;
  editor().ClickMenu("Finished");
  EXPECT_FALSE(session_.State.PriorsActive);
  EXPECT_FALSE(ui_.Showed("Save Bayesian priors now?"));
  EXPECT_EQ(session_.State.ObjectiveScale, scale);
  EXPECT_TRUE(session_.MainMenuIsOpen());
}

}  // namespace
}  // namespace quorvane
