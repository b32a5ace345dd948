// The covariance dialogue end to end on a quadratic objective whose exact
// covariance matrix is known: every grid must recover it, and the report
// and its file must carry it in the places their readers expect.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <fstream>

#include "support/console_run.h"
#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "covariance/covariance_command.h"
#include "covariance/covariance_results.h"
#include "covariance/covariance_session.h"

namespace quorvane {
namespace {

using testing::InverseOfA;

class CovarianceCommandTest : public testing::CovarianceSession {};

// The value of a report line after its label, field by field (18 wide).
double FieldOf(const std::string& line, std::size_t start, std::size_t width = 18) {
  return LeadingNumber(line.substr(start, width));
}

std::string LineStartingWith(const std::string& text, const std::string& start) {
  const auto at = text.find("\r\n" + start);
  if (at == std::string::npos) return "";
  const auto end = text.find("\r\n", at + 2);
  return text.substr(at + 2, end - at - 2);
}

TEST_F(CovarianceCommandTest, EveryGridRecoversTheExactCovarianceMatrix) {
  AnswerNumericalDialogue("2", false);
  RunAndShowReport();
  // The model suggests nothing, so the sum-of-squares constant
  // (N - nCov) / (2 F0) = 37 / 100 is proposed.
  EXPECT_EQ(ui_.ValueDefaults.at(3), "3.7000000E-01");
  EXPECT_TRUE(session_.State.CovarianceAvailable);
  ASSERT_EQ(cov().nCov, 3);
  EXPECT_EQ(cov().CovIndex, (OneBased<int>{1, 2, 4}));

  // Constant 2: C = A^-1 / 2. A quadratic has exact central differences;
  // what is left is rounding of F ~ 50 over the smallest step 1e-3, ~1e-10.
  const auto inv = InverseOfA();
  double det = 1.0 / 8.0 / (4.0 * (3.0 * 2.0 - 0.64) - 1.0 * (2.0 + 0.4) + 0.5 * (-0.8 - 1.5));
  for (int g = 1; g <= 3; ++g) {
    const GridCovariance& r = cov().Grid(g);
    for (int k = 1; k <= 3; ++k) {
      for (int m = 1; m <= 3; ++m)
        EXPECT_NEAR(r(k, m), inv[k - 1][m - 1] / 2, 1e-7) << "grid " << g << " " << k << "," << m;
      EXPECT_NEAR(r(0, k), std::sqrt(inv[k - 1][k - 1] / 2), 1e-7);
    }
    EXPECT_NEAR(r(0, 0), det, 1e-8);
    const auto sd = CovarianceStandardDeviation(cov(), g, 4);
    ASSERT_TRUE(sd);
    EXPECT_NEAR(*sd, std::sqrt(inv[2][2] / 2), 1e-7);
    EXPECT_FALSE(CovarianceStandardDeviation(cov(), g, 3));  // not varied
  }

  // The correlation determinant is det(C) / prod C_kk, shown for every grid.
  const double correlationDet = det / (inv[0][0] / 2 * inv[1][1] / 2 * inv[2][2] / 2);
  const std::string line = LineStartingWith(report(), "Correlation Matrix: ");
  ASSERT_FALSE(line.empty()) << report();
  for (int g = 0; g < 3; ++g)
    EXPECT_NEAR(FieldOf(line, 20 + 18 * static_cast<std::size_t>(g)), correlationDet, 1e-6);
  const double r12 = inv[0][1] / std::sqrt(inv[0][0] * inv[1][1]);
  const std::string pair = LineStartingWith(report(), "  1    2");
  EXPECT_NEAR(FieldOf(pair, 8, 30), r12, 1e-6) << report();
  // The -ln[L] values are reported in -ln[L] units: the objective times 2.
  EXPECT_NE(report().find("Covariance constant: 2\r\n"), std::string::npos);
  EXPECT_NEAR(FieldOf(LineStartingWith(report(), "   Mean:"), 20), 100.0, 0.1);
}

// The method question proposes analytical covariances only for a model that
// computes its derivatives (this one does); the grids move the progress bar
// from the first call to the last and hide it at the end.
TEST_F(CovarianceCommandTest, TheGridsReportTheirProgressAndTheQuestionFollowsTheModel) {
  AnswerNumericalDialogue("2", false);
  RunAndShowReport();
  ASSERT_EQ(ui_.Log.front().service, "AskYesNoCancel");
  EXPECT_FALSE(ui_.Log.front().noIsDefault);
  ASSERT_GE(ui_.Progress.size(), 3u);
  EXPECT_EQ(ui_.Progress.back(), -1.0);
  const std::vector<double> shown(ui_.Progress.begin(), ui_.Progress.end() - 1);
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
  EXPECT_GT(shown.front(), 0.0);
  EXPECT_DOUBLE_EQ(shown.back(), 1.0);  // 3 grids x n(n+1) = 36 calls, all made
  EXPECT_EQ(shown.size(), 36u);
}

TEST_F(CovarianceCommandTest, AnalyticalCovariancesComeFromTheModelsHessianOnEveryGrid) {
  ui_.Answer(Answer::Yes).Value("4").Answer(Answer::No);  // analytical, constant 4, full SEs
  RunAndShowReport();
  EXPECT_EQ(cov().CovarianceMethod, "A");
  EXPECT_EQ(cov().GridFactor, (OneBased<double>{0.0, 0.0, 0.0}));
  const auto inv = InverseOfA();
  for (int g = 1; g <= 3; ++g)
    for (int k = 1; k <= 3; ++k)
      for (int m = 1; m <= 3; ++m)
        EXPECT_NEAR(cov().Grid(g)(k, m), inv[k - 1][m - 1] / 4, 1e-15);  // an exact 3 x 3 solve
  EXPECT_NE(report().find("Analytical covariance results are redundant for all grids; likelihood "
                          "function value summary is meaningless\r\n"),
            std::string::npos);
  // Mean: the objective of the analytical call in -ln[L] units (50 x 4);
  // no spread on an analytical "grid".
  const std::string mean = LineStartingWith(report(), "   Mean:");
  for (int g = 0; g < 3; ++g) EXPECT_EQ(FieldOf(mean, 20 + 18 * static_cast<std::size_t>(g)), 200.0);
  EXPECT_EQ(LineStartingWith(report(), "   Std Dev:"),
            "   Std Dev:             -1.0000000E+00    -1.0000000E+00    -1.0000000E+00");
}

TEST_F(CovarianceCommandTest, OptimisticStandardErrorsAreConditionalAndSkipThePairs) {
  AnswerNumericalDialogue("1", true);
  RunAndShowReport();
  for (int k = 1; k <= 3; ++k)
    EXPECT_NEAR(cov().Grid(2)(0, k), 1.0 / std::sqrt(testing::QuadraticObjectiveModel::kA[k - 1][k - 1]),
                1e-7);
  EXPECT_NE(report().find("\r\nNote: The above SE estimates are optimistic (under-estimated) "
                          "conditional estimates\r\n"),
            std::string::npos);
  EXPECT_EQ(report().find("Correlations"), std::string::npos);
  EXPECT_EQ(report().find("Covariances\r\n"), std::string::npos);
  EXPECT_NE(report().find("Determinants\r\nCovariance Matrix:  "), std::string::npos);
}

TEST_F(CovarianceCommandTest, AnInterruptedGridIsMarkedUnavailableAndTheOthersRun) {
  AnswerNumericalDialogue("1", false);
  // Grid 1 has 12 evaluations; the user clicks Interrupt during grid 2 and
  // confirms.
  int pumps = 0;
  ui_.onPump = [&] {
    if (++pumps == 40) session_.CovarianceView().DataForm().Click("cmdStop");
  };
  ui_.Answer(Answer::Yes);
  session_.Menu().form().Click("cmdCovariance");
  // Once the grids are done there is nothing to interrupt.
  EXPECT_FALSE(session_.CovarianceView().DataForm().IsEnabled("cmdStop"));
  display().Click("cmdScreen");
  ASSERT_TRUE(ui_.Showed("Interrupt received. Do you want to quit calculating this grid?"));
  int unavailable = 0;
  for (int g = 1; g <= 3; ++g) {
    if (cov().GridMean[g] != -1.0) continue;
    ++unavailable;
    EXPECT_EQ(cov().GridSd[g], -1.0);
    EXPECT_EQ(cov().Grid(g)(0, 1), -1.0);
    EXPECT_EQ(cov().Grid(g)(2, 3), -1.0);
    EXPECT_FALSE(CovarianceStandardDeviation(cov(), g, 1));
  }
  EXPECT_EQ(unavailable, 1);
  EXPECT_GT(cov().Grid(3)(0, 1), 0.0);
  // The interrupted grid's coefficient of variation is |-1 / -1| = 1.
  EXPECT_NE(LineStartingWith(report(), "   Coef of Var:").find("1.0000000"), std::string::npos);
}

TEST_F(CovarianceCommandTest, OneVariedParameterHasNoCorrelationsAndOneCovariance) {
  session_.Algorithm.Steps[2] = session_.Algorithm.Steps[4] = 0.0;
  AnswerNumericalDialogue("1", false);
  RunAndShowReport();
  ASSERT_EQ(cov().nCov, 1);
  EXPECT_NEAR(cov().Grid(1)(1, 1), 0.25, 1e-9);  // 1 / A(1, 1)
  EXPECT_NE(report().find("Correlations\r\n\r\nPar#,Par#                                   "
                          "Covariances\r\n  1    1 "),
            std::string::npos);
  EXPECT_NE(report().find("\r\n  1    1 "), std::string::npos);
  EXPECT_EQ(report().find("\r\n  1    2 "), std::string::npos);
}

// Steps so small that every grid point rounds to the centre: the -ln[L]
// values do not vary at all (their deviation shows as 0, having no sign),
// and the flat Hessian is refused rather than inverted.
TEST_F(CovarianceCommandTest, AGridWithoutSpreadShowsZeroDeviationAndNoCovariances) {
  for (int p : {1, 2, 4}) session_.Algorithm.Steps[p] = 1e-300;
  AnswerNumericalDialogue("1", false);
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_NE(report().find("Average: 5.0000000E+01; Standard deviation: 0.0000000E+00\r\n"),
            std::string::npos);
  EXPECT_NE(report().find("Sorry, this Hessian matrix is not positive-definite"), std::string::npos);
  display().Click("cmdScreen");
  for (int g = 1; g <= 3; ++g) {
    EXPECT_EQ(cov().GridSd[g], 0.0);
    EXPECT_EQ(cov().Grid(g)(0, 1), -1.0);
  }
  EXPECT_EQ(LineStartingWith(report(), "   Std Dev:"),
            "   Std Dev:              0.0000000E+00     0.0000000E+00     0.0000000E+00");
  EXPECT_EQ(LineStartingWith(report(), "Correlation Matrix: "),
            "Correlation Matrix:     -1.0000000E+00    -1.0000000E+00    -1.0000000E+00");
}

TEST_F(CovarianceCommandTest, ANonPositiveConstantIsRefusedUntilAPositiveOneIsGiven) {
  ui_.Answer(Answer::No).Answer(Answer::Ok);
  ui_.Then([this] { session_.Editor().Finish(); });
  ui_.Value("1").Value("-1").Value("abc").Answer(Answer::Yes);  // factor 2 and 3 keep their values
  ui_.Value("0").Value("-3").Value("4").Answer(Answer::No);
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_EQ(ui_.Messages().size() - 1, 2u);  // after the editor's own message
  EXPECT_TRUE(ui_.Showed("Cannot accept a negative or zero constant; perhaps the degrees of "
                         "freedom are zero or fewer"));
  EXPECT_DOUBLE_EQ(session_.State.ObjectiveScale, 0.25);
  EXPECT_EQ(cov().GridFactor, (OneBased<double>{1.0, 0.1, 0.01}));
}

TEST_F(CovarianceCommandTest, CancelledDialoguesReturnToTheMenuAndViewingAgainRebuildsTheReport) {
  ui_.Answer(Answer::Cancel);
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_TRUE(session_.MainMenuIsOpen());
  EXPECT_FALSE(cov().CovRunning);

  // An empty grid factor cancels too. Neither run made results, so none
  // are offered for viewing.
  ui_.Answer(Answer::No).Answer(Answer::Ok);
  ui_.Then([this] { session_.Editor().Finish(); });
  ui_.Value("1").Value("");
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_TRUE(session_.MainMenuIsOpen());
  EXPECT_FALSE(session_.State.CovarianceAvailable);

  AnswerNumericalDialogue("1", false);
  RunAndShowReport();
  const std::string first = report();
  display().Click("cmdFinish");
  EXPECT_TRUE(session_.MainMenuIsOpen());
  EXPECT_FALSE(session_.CovarianceView().DataForm().IsOpen());

  ui_.Answer(Answer::Yes);  // view the last results
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_EQ(display().Get("lblCovDisplay").caption, "Do you wish to:");
  EXPECT_FALSE(display().IsEnabled("cmdFile"));
  display().Click("cmdScreen");
  EXPECT_EQ(report(), first);

  // A new calculation cancelled at its grid factors leaves them whole, its
  // method and factors included.
  display().Click("cmdFinish");
  ui_.Answer(Answer::No);  // not the last results: a new calculation
  ui_.Answer(Answer::No).Answer(Answer::Ok);
  ui_.Then([this] { session_.Editor().Finish(); });
  ui_.Value("2").Value("");
  session_.Menu().form().Click("cmdCovariance");
  EXPECT_TRUE(session_.State.CovarianceAvailable);
  ui_.Answer(Answer::Yes);
  session_.Menu().form().Click("cmdCovariance");
  display().Click("cmdScreen");
  EXPECT_EQ(report(), first);
}

// A report edited in its pane is saved with every line ended by CR LF.
TEST_F(CovarianceCommandTest, AnEditedReportIsSavedWithCrLfLineEnds) {
  AnswerNumericalDialogue("2", false);
  RunAndShowReport();
  session_.CovarianceView().DataForm().SetText(CovarianceWindows::kPane, "first\nsecond\rthird\r\n");
  const std::string path = TempPath("edited.cov");
  ui_.File(path);
  display().Click("cmdFile");
  EXPECT_EQ(testing::ReadAll(path),
            "Originally saved with the file name: " + path + "\r\n\r\nfirst\r\nsecond\r\nthird\r\n");
}

// A .cov saved once from an unedited report: model averaging reads the
// standard errors at fixed lines and columns.
TEST_F(CovarianceCommandTest, SavedFileHasTheStandardErrorsAtTheirFixedPlaces) {
  AnswerNumericalDialogue("2", false);
  RunAndShowReport();
  const std::string path = TempPath("results.cov");
  ui_.File(path);
  display().Click("cmdFile");
  ASSERT_EQ(ui_.FileRequests.size(), 1u);
  EXPECT_EQ(ui_.FileRequests[0].filterIndex, 3);
  EXPECT_EQ(ui_.FileRequests[0].filter,
            "All files (*.*)|*.*|Covariance files (*.cov)|*.cov|"
            "Named for algorithm file (quadratic.*)|quadratic.*|");

  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  const int P = 4, K = 3;
  EXPECT_EQ((*lines)[0], "Originally saved with the file name: " + path);
  EXPECT_EQ(LeadingNumber((*lines)[4].substr(6, 14)), 1.5);  // parameter 1's value, columns 7-20
  EXPECT_EQ((*lines)[P + 19 - 1], "Par#                               Standard errors of the estimates");
  for (int k = 1; k <= K; ++k) {
    const std::string& line = (*lines)[static_cast<size_t>(P + 19 + k - 1)];
    EXPECT_EQ(LeadingNumber(line.substr(0, 3)), testing::QuadraticObjectiveModel::kFree[k - 1]);
    for (int g = 1; g <= 3; ++g) {
      const std::size_t column = 25 + 18 * static_cast<std::size_t>(g - 1);
      // The field holds 8 significant digits.
      EXPECT_NEAR(LeadingNumber(line.substr(column - 1, 14)), cov().Grid(g)(0, k), 1e-7);
      EXPECT_EQ(line[column - 2], ' ');
    }
  }
  // The whole file ends its lines in CR LF, and the pane shows what was saved.
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, report());
  EXPECT_EQ(bytes.find('\n') - 1, bytes.find("\r\n"));
  std::remove(path.c_str());
}

TEST_F(CovarianceCommandTest, ACancelledOrFailedSaveLeavesThePaneAndAnyOldFile) {
  AnswerNumericalDialogue("1", false);
  RunAndShowReport();
  const std::string shown = report();
  ui_.File(std::nullopt);
  display().Click("cmdFile");
  EXPECT_EQ(report(), shown);

  ui_.File(TempPath("no-such-folder") + "/results.cov");
  display().Click("cmdFile");
  EXPECT_EQ(report(), shown);
  ASSERT_FALSE(ui_.Log.empty());
  EXPECT_EQ(ui_.Log.back().title, "Covariance results not saved");
  EXPECT_EQ(ui_.Log.back().icon, Icon::Exclamation);
}

}  // namespace
}  // namespace quorvane
