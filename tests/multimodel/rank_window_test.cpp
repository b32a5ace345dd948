// The ranking window through its form: adding, ranking, C-hat, deleting,
// notes, averaging from covariance files and the multi-model statistics file.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "base/files/text_file.h"
#include "core/algorithm_editor.h"
#include "core/model_set_up.h"
#include "multimodel/covariance_report_fixture.h"
#include "multimodel/rank_window.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "support/scripted_ui.h"
#include "support/test_model_setup.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

// F = 10 + sum (P[i] - i)^2, with a sample size the test chooses (0: the
// model gives none, as a model that leaves NSAMPLE alone).
class SampleSizeModel : public Model {
 public:
  SampleSizeModel(int n, std::int32_t sampleSize) : SampleSize(sampleSize), n_(n) {}
  std::string Name() const override { return "Sample size model"; }
  std::optional<double> ObjectiveConstant() const override { return 1.0; }
  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t& NSAMPLE) override {
    NOBS = 100;
    if (NF == 0) {
      testing::SetUpTestParameters(n_, "Parameter", P, STP, DESC, FUSE, NP);
      return;
    }
    F = 10.0;
    for (int i = 1; i <= P.size(); ++i) F += (P[i] - i) * (P[i] - i);
    if (SampleSize != 0) NSAMPLE = SampleSize;
  }

  std::int32_t SampleSize;

 private:
  int n_;
};

class RankWindowTest : public ::testing::Test {
 protected:
  explicit RankWindowTest(std::int32_t sampleSize = 50) : model_(3, sampleSize), session_(ui_, &model_) {
    session_.Start();
    SetUpModel(session_);
    SetModel({1, 2, 3}, {1, 1, 0}, "first.alg");
  }

  Form& form() { return session_.Ranking().form(); }
  const std::vector<RankedModel>& models() { return session_.Ranking().Models(); }
  std::string Cell(int row, int col) { return form().Cell("grdRank", row, col); }

  std::string TempPath(const std::string& name) const {
    return ::testing::TempDir() + "quorvane_rank_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }

  // The current model: values, steps and the algorithm file it came from.
  void SetModel(std::vector<double> values, std::vector<double> steps, const std::string& file) {
    for (int i = 1; i <= 3; ++i) {
      session_.Algorithm.Values[i] = values[static_cast<size_t>(i - 1)];
      session_.Algorithm.Steps[i] = steps[static_cast<size_t>(i - 1)];
    }
    session_.State.AlgorithmFileName = file.empty() ? "" : TempPath(file);
  }

  void Open() {
    session_.State.InitializeAlready = true;
    session_.Menu().SetCommandsEnabled(true);
    session_.Menu().form().Click("cmdRank");
  }

  void Add(std::vector<double> values, std::vector<double> steps, const std::string& file) {
    SetModel(std::move(values), std::move(steps), file);
    form().Click("cmdAICc");
  }

  ScriptedUi ui_;
  SampleSizeModel model_;
  Session session_;
};

TEST_F(RankWindowTest, FirstModelGetsItsCriterionFromFKAndN) {
  Open();
  ASSERT_TRUE(form().IsOpen());
  ASSERT_EQ(models().size(), 1u);
  const RankedModel& m = models()[0];
  EXPECT_EQ(m.K, 2);
  EXPECT_EQ(m.NegLogL, 10.0);  // the model's objective already is -ln[L]
  // 2K N / (N - K - 1) + 2 (-ln[L]) = 200 / 47 + 20; rounding only.
  EXPECT_NEAR(*m.Criterion, 200.0 / 47.0 + 20.0, 1e-12);
  EXPECT_EQ(Cell(1, 0), "   1)    1");
  EXPECT_EQ(Cell(1, 3), "2.4255E+01");
  EXPECT_EQ(Cell(1, 4), "undefined");
  EXPECT_EQ(Cell(1, 6), "quorvane_rank_FirstModelGetsItsCriterionFromFKAndN_first.alg");
  EXPECT_EQ(Cell(1, 7), "No covariance file found");
  EXPECT_EQ(Cell(1, 8), "No Priors loaded");
  EXPECT_EQ(Cell(0, 0), "Random");
  EXPECT_FALSE(form().IsEnabled("cmdRank"));
  EXPECT_FALSE(form().IsEnabled("cmdAverage"));
}

class RankWindowWithoutSampleSizeTest : public RankWindowTest {
 protected:
  RankWindowWithoutSampleSizeTest() : RankWindowTest(0) {}
};

TEST_F(RankWindowWithoutSampleSizeTest, NoSampleSizeGivesTwiceMinusLnLExactly) {
  SetModel({1.5, 2, 3}, {1, 1, 1}, "first.alg");
  Open();
  EXPECT_EQ(*models()[0].Criterion, 2.0 * (10.0 + 0.25));
}

TEST_F(RankWindowTest, TooFewDegreesOfFreedomIsShownAndNeverRanked) {
  model_.SampleSize = 3;  // N - K - 1 = 0 with K = 2
  Open();
  Add({1, 2, 4}, {1, 0, 0}, "second.alg");
  EXPECT_EQ(Cell(1, 3), "Undefined (too few degrees of freedom)");
  form().Click("cmdRank");
  EXPECT_EQ(Cell(1, 0), "   1)    2");
  EXPECT_EQ(Cell(1, 5), "1.000000");
  EXPECT_EQ(Cell(2, 0), "   2)    1");
  EXPECT_EQ(Cell(2, 5), "undefined");
}

TEST_F(RankWindowTest, EntryNumbersSurviveRankingAndWeightsFollowTheDifferences) {
  Open();
  Add({1, 2, 5}, {1, 1, 0}, "second.alg");  // F = 14
  Add({1, 2, 3}, {0, 1, 0}, "third.alg");   // F = 10 with K = 1: the best
  form().Click("cmdRank");
  EXPECT_EQ(Cell(0, 0), "Ranked");
  EXPECT_EQ(form().Get("grdRank").grid.At(0, 0).foreColor, 9);
  EXPECT_EQ(Cell(1, 0), "   1)    3");
  EXPECT_EQ(Cell(2, 0), "   2)    1");
  EXPECT_EQ(Cell(3, 0), "   3)    2");
  const double c1 = 2.0 * 50 / 48 + 20, c2 = 200.0 / 47 + 20, c3 = 200.0 / 47 + 28;
  const double s = 1 + std::exp(-(c2 - c1) / 2) + std::exp(-(c3 - c1) / 2);
  EXPECT_NEAR(*models()[1].Difference, c2 - c1, 1e-12);
  EXPECT_NEAR(*models()[0].Weight, 1 / s, 1e-12);
  EXPECT_NEAR(*models()[2].Weight, std::exp(-(c3 - c1) / 2) / s, 1e-12);
  EXPECT_EQ(Cell(2, 4), "2.17");  // "####0.00"
  EXPECT_TRUE(form().IsEnabled("cmdSaveRank"));
  EXPECT_FALSE(form().IsEnabled("cmdAverage"));  // no covariance files

  Add({1, 2, 3}, {1, 1, 1}, "fourth.alg");  // any change makes the ranking stale
  EXPECT_EQ(Cell(0, 0), "Random");
  EXPECT_EQ(Cell(1, 4), "undefined");
  EXPECT_FALSE(form().IsEnabled("cmdSaveRank"));
}

TEST_F(RankWindowTest, OneModelRanksWithDifferenceZeroWeightOneAndNoAveraging) {
  Open();
  session_.Ranking().RankModels();
  EXPECT_EQ(Cell(1, 4), "0.00");
  EXPECT_EQ(Cell(1, 5), "1.000000");
  EXPECT_FALSE(form().IsEnabled("cmdAverage"));
}

TEST_F(RankWindowTest, CHatIsAskedUntilValidAndEmptyRestoresAicc) {
  Open();
  const double aicc = *models()[0].Criterion;
  ui_.Value("0.5").Value("abc").Value("2");
  form().Click("cmdQAICc");
  EXPECT_EQ(ui_.Questions().size(), 3u);
  EXPECT_EQ(session_.Ranking().CHat(), 2.0);
  EXPECT_EQ(form().Text("txtCHat"), "C-hat: 2.000");
  EXPECT_EQ(Cell(0, 3), "QAICc");
  EXPECT_EQ(Cell(0, 5), "QAIC Wt");
  EXPECT_NEAR(*models()[0].Criterion, 200.0 / 47.0 + 10.0, 1e-12);

  // A model added while C-hat is above 1 asks again.
  ui_.Value("2");
  Add({1, 2, 4}, {1, 0, 0}, "second.alg");
  EXPECT_EQ(ui_.Questions().size(), 4u);
  EXPECT_NEAR(*models()[1].Criterion, 2.0 * 50 / 48 + 11.0, 1e-12);

  ui_.Value("");  // cancel: C-hat 1 and the AICc columns again
  form().Click("cmdQAICc");
  EXPECT_EQ(session_.Ranking().CHat(), 1.0);
  EXPECT_EQ(form().Text("txtCHat"), "C-hat: 1.000");
  EXPECT_EQ(Cell(0, 3), "AICc");
  EXPECT_EQ(Cell(0, 4), "dAICc");
  EXPECT_EQ(*models()[0].Criterion, aicc);
}

TEST_F(RankWindowTest, DeletingTheOnlyModelLeavesOneEmptyRow) {
  Open();
  form().DoubleClick("grdRank", 1, 0);
  EXPECT_TRUE(models().empty());
  EXPECT_EQ(form().Get("grdRank").grid.Rows(), 2);
  for (int col = 0; col < 10; ++col) EXPECT_EQ(Cell(1, col), "") << col;
  EXPECT_EQ(Cell(0, 0), "Random");
  form().DoubleClick("grdRank", 1, 0);  // nothing left to delete
  EXPECT_TRUE(models().empty());
}

TEST_F(RankWindowTest, DeletingARowRenumbersTheRowsButKeepsEntryNumbers) {
  Open();
  Add({1, 2, 4}, {1, 0, 0}, "second.alg");
  Add({1, 2, 5}, {1, 0, 0}, "third.alg");
  form().DoubleClick("grdRank", 1, 0);
  ASSERT_EQ(models().size(), 2u);
  EXPECT_EQ(Cell(1, 0), "   1)    2");
  EXPECT_EQ(Cell(2, 0), "   2)    3");
  EXPECT_EQ(form().Get("grdRank").grid.Rows(), 3);
}

TEST_F(RankWindowTest, TheHundredthModelGetsTheLimitMessage) {
  Open();
  for (int i = 2; i <= 99; ++i) form().Click("cmdAICc");
  ASSERT_EQ(models().size(), 99u);
  EXPECT_EQ(Cell(99, 0), " 99)  99");
  ui_.Log.clear();
  form().Click("cmdAICc");
  EXPECT_EQ(models().size(), 99u);
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"Sorry, no more than 99 models can be ranked"});
  EXPECT_EQ(ui_.Log.back().title, "Model limit reached");
}

TEST_F(RankWindowTest, ARowWithoutAlgorithmFileStaysEmptyAndIsNotRanked) {
  Open();
  Add({1, 2, 3}, {1, 1, 1}, "");
  EXPECT_EQ(Cell(2, 0), "   2)    2");
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_FALSE(models()[1].HasValues);
  form().Click("cmdRank");
  EXPECT_EQ(Cell(1, 0), "   1)    1");
  EXPECT_EQ(Cell(2, 5), "");
  EXPECT_FALSE(form().IsEnabled("cmdAverage"));
}

TEST_F(RankWindowTest, NotesAndCovarianceFilesAreTypedIntoTheirCells) {
  Open();
  ui_.Value("my note");
  form().DoubleClick("grdRank", 1, 9);
  EXPECT_EQ(Cell(1, 9), "my note");
  EXPECT_EQ(models()[0].Notes, "my note");

  ui_.Value(TempPath("nowhere.cov"));
  form().DoubleClick("grdRank", 1, 7);
  EXPECT_EQ(Cell(1, 7), "No such file exists");
  const std::string cov = TempPath("there.cov");
  ASSERT_FALSE(WriteTextFileAtomically(cov, "x\r\n"));
  ui_.Value(cov);
  form().DoubleClick("grdRank", 1, 7);
  EXPECT_EQ(Cell(1, 7), cov);
  ui_.Value("");  // cancel
  form().DoubleClick("grdRank", 1, 7);
  EXPECT_EQ(models()[0].CovarianceFile, "No such file exists");
}

// Two models (K = 2 each) whose covariance files lie beside their algorithm files.
class RankAveragingTest : public RankWindowTest {
 protected:
  void WriteCov(const std::string& alg, std::vector<double> values,
                std::vector<testing::StandardErrorLine> errors) {
    const std::string path = TempPath(alg.substr(0, alg.size() - 4) + ".cov");
    ASSERT_FALSE(WriteTextFileAtomically(path, JoinCrLf(testing::CovarianceReportLines(values, errors))));
  }
  void OpenTwoAndRank() {
    WriteCov("first.alg", {1, 2, 3}, {{1, {0.1, 0.2, 0.3}}, {2, {0.4, -1, 0.6}}});
    WriteCov("second.alg", {1.5, 2, 3}, {{1, {0.2, 0.2, 0.2}}, {3, {0.5, 0.5, 0.5}}});
    Open();
    Add({1.5, 2, 3}, {1, 0, 1}, "second.alg");
    form().Click("cmdRank");
  }
};

TEST_F(RankAveragingTest, AveragesAreWeightedByTheAkaikeWeightsAndSavedAfterTheTable) {
  OpenTwoAndRank();
  ASSERT_TRUE(form().IsEnabled("cmdAverage"));
  const double w1 = *models()[0].Weight, w2 = *models()[1].Weight;
  EXPECT_EQ(models()[0].EntryNumber, 1);  // F = 10 beats F = 10.25
  form().Click("cmdAverage");
  ASSERT_TRUE(session_.Ranking().Averaged());
  EXPECT_TRUE(form().IsEnabled("lblAverage"));
  const std::string text = form().Text("txtAverage");
  // Parameter 1: mean w1 1 + w2 1.5; grid 2 is -1 for every parameter
  // because model 1 lacks it; parameter 3 was fixed in model 1 (SE 0).
  const double mean1 = w1 * 1.0 + w2 * 1.5;
  const double se11 = w1 * std::sqrt(0.01 + (1 - mean1) * (1 - mean1)) +
                      w2 * std::sqrt(0.04 + (1.5 - mean1) * (1.5 - mean1));
  char expected[200];
  std::snprintf(expected, sizeof expected, "%.4E", se11);
  EXPECT_NE(text.find("          1 " + std::string(6, ' ')), std::string::npos);
  EXPECT_NE(text.find(expected), std::string::npos) << text;
  EXPECT_NE(text.find("-1.0000E+00"), std::string::npos);

  const std::string mms = TempPath("ranks.mms");
  ui_.File(mms);
  form().Click("cmdSaveRank");
  std::string error;
  auto lines = ReadTextLines(mms, error);
  ASSERT_TRUE(lines);
  EXPECT_EQ((*lines)[0], "     2 < Number of models ranked");
  EXPECT_EQ((*lines)[4], "");
  EXPECT_EQ((*lines)[5], "Parameter estimates and their SEs resulting from averaging across all ranked models.");

  // A later change drops the averaging; saving again writes the table alone.
  ui_.Value("note");
  form().DoubleClick("grdRank", 1, 9);
  EXPECT_EQ(form().Text("txtAverage"), "");
  form().Click("cmdRank");
  ui_.File(mms);
  form().Click("cmdSaveRank");
  lines = ReadTextLines(mms, error);
  ASSERT_EQ(lines->size(), 4u);
}

TEST_F(RankAveragingTest, ACovarianceFileOfAnotherLayoutIsNamedAndNothingIsAveraged) {
  OpenTwoAndRank();
  // Saved twice: every line two further down.
  const std::string path = models()[1].CovarianceFile;
  std::string error;
  auto lines = *ReadTextLines(path, error);
  lines.insert(lines.begin(), {"Originally saved with the file name: " + path, ""});
  ASSERT_FALSE(WriteTextFileAtomically(path, JoinCrLf(lines)));
  form().Click("cmdAverage");
  EXPECT_FALSE(session_.Ranking().Averaged());
  EXPECT_EQ(form().Text("txtAverage"), "");
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_NE(ui_.Messages()[0].find(path), std::string::npos);
  EXPECT_NE(ui_.Messages()[0].find("line 3"), std::string::npos);
}

TEST_F(RankAveragingTest, ClosingARankedTableOffersToSaveIt) {
  OpenTwoAndRank();
  ui_.Answer(Answer::No);
  form().Click("cmdFinish");
  EXPECT_EQ(ui_.Log.back().title, "What about ranking results!");
  EXPECT_FALSE(form().IsOpen());
  EXPECT_TRUE(session_.MainMenuIsOpen());
  EXPECT_FALSE(session_.State.EditorOpenedFromRanking);
}

TEST_F(RankWindowTest, EditingHidesTheWindowAndTheEditorBringsItBackWithItsTable) {
  Open();
  form().Click("cmdEditAlg");
  EXPECT_FALSE(form().IsOpen());
  EXPECT_TRUE(session_.State.EditorRestrictions[4]);
  EXPECT_TRUE(session_.State.EditorRestrictions[9]);
  EXPECT_FALSE(ui_.Showed("Do you want to save ranking results?"));
  session_.Editor().Finish();
  EXPECT_TRUE(form().IsOpen());
  EXPECT_EQ(models().size(), 1u);
  EXPECT_FALSE(session_.State.EditorRestrictions[4]);
  EXPECT_FALSE(session_.MainMenuIsOpen());
}

}  // namespace
}  // namespace quorvane
