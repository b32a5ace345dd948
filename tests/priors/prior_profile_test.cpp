// The prior profile: its domains and points by prior type, the number of
// points, the distribution it gives, and a run through the questions.
#include "priors/prior_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "app/session.h"
#include "core/model.h"
#include "priors/prior_report_windows.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

PriorRow Row(const std::string& type, double first, double second, const std::string& third = "Unused",
             const std::string& fourth = "Unused") {
  PriorRow row;
  row.Type = type;
  row.FirstTerm = first;
  row.SecondTerm = second;
  row.SetThirdTerm(third);
  row.SetFourthTerm(fourth);
  return row;
}

struct PointsCase {
  const char* name;
  PriorRow row;
  int n;
  double first, second, last;  // the values of points 1, 2 and n
  double step;                 // the step the distribution is integrated with
};

TEST(PriorProfilePoints, FollowTheDomainOfEachType) {
  // Points are sums of a few decimal steps: 1e-12 absorbs their rounding.
  const PointsCase cases[] = {
      {"N(10, 2)", Row("N", 10, 2), 101, 0.0, 0.2, 20.0, 0.2},
      {"G(1, 1) moved above 0", Row("G", 1, 1), 101, 1E-06, 0.060001, 6.000001, 0.1},
      {"L(1, 1) moved above 0", Row("L", 1, 1), 101, 1E-06, 0.060001, 6.000001, 0.1},
      {"E with mean 2 from 0", Row("E", 2, 2), 101, 0.0, 0.2, 20.0, 0.2},
      {"B at 11 points", Row("B", 0.5, 0.2), 11, 1E-06, 0.1, 0.999999, 0.1},
      {"S with foot 0 and SD 1", Row("S", 0, 1), 101, -3.0, -2.94, 3.0, 0.06},
      {"S with foot 2 and SD 0", Row("S", 2, 0), 101, 0.0, 0.04, 4.0, 0.04},
      {"S with foot 0 and SD 0", Row("S", 0, 0), 101, -5.0, -4.9, 5.0, 0.1},
      {"D with foot 0 and SD 1", Row("D", 0, 1), 101, -3.0, -2.94, 3.0, 0.06},
      {"T(0, 10, 1, 1)", Row("T", 0, 1, "10", "1"), 101, -3.0, -2.84, 13.0, 0.16},
  };
  for (const PointsCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto domain = PriorProfileDomainFor(c.row, c.n);
    ASSERT_TRUE(domain);
    EXPECT_NEAR(domain->Step, c.step, 1e-12);
    EXPECT_NEAR(PriorProfilePointValue(c.row, *domain, c.n, 1), c.first, 1e-12);
    EXPECT_NEAR(PriorProfilePointValue(c.row, *domain, c.n, 2), c.second, 1e-12);
    EXPECT_NEAR(PriorProfilePointValue(c.row, *domain, c.n, c.n), c.last, 1e-12);
  }
  EXPECT_NEAR(PriorProfileDomainFor(Row("T", 0, 1, "10", "1"), 101)->Centre, 5.0, 1e-12);
  // B's inner points keep the plain grid.
  const PriorRow beta = Row("B", 0.5, 0.2);
  EXPECT_NEAR(PriorProfilePointValue(beta, *PriorProfileDomainFor(beta, 11), 11, 10), 0.9, 1e-12);
}

TEST(PriorProfilePoints, HaveNoDomainForUOrAnExponentialMeanOfZero) {
  EXPECT_FALSE(PriorProfileDomainFor(PriorRow{}, 101));
  EXPECT_FALSE(PriorProfileDomainFor(Row("E", 0, 0), 101));
  EvaluationSeries series;
  EXPECT_FALSE(TabulatePriorProfile(Row("E", 0, 0), 1, 101, series));
}

TEST(PriorProfilePoints, ANegativeCliffSdStillGivesAscendingPoints) {
  // Only a priors file can hold it; a descending grid would give a negative PDF.
  EvaluationSeries series;
  ASSERT_TRUE(TabulatePriorProfile(Row("S", 0, -1), 1, 101, series));
  EXPECT_NEAR(series.ProfileValues[1], -5.0, 1e-12);
  EXPECT_NEAR(series.ProfileValues[101], 5.0, 1e-12);
  for (int p = 1; p <= 101; ++p) EXPECT_GE(series.ProfilePdf[static_cast<std::size_t>(p)], 0.0);
}

TEST(PriorProfilePointCount, FollowsTheAnswer) {
  EXPECT_EQ(PriorProfilePointCountFromAnswer(0), 101);
  EXPECT_EQ(PriorProfilePointCountFromAnswer(2), 3);
  EXPECT_EQ(PriorProfilePointCountFromAnswer(100), 101);
  EXPECT_EQ(PriorProfilePointCountFromAnswer(2.5), 3);  // halves to even: 2
  EXPECT_EQ(PriorProfilePointCountFromAnswer(1001), 1001);
  EXPECT_FALSE(PriorProfilePointCountFromAnswer(1002));
  EXPECT_FALSE(PriorProfilePointCountFromAnswer(-1));
}

TEST(PriorProfileDistribution, GivesTheMomentsOfThePrior) {
  struct Case {
    const char* name;
    PriorRow row;
    double mean, se, tolerance;
  };
  // N: symmetric, the +-5 SD tails hold 6e-7 of the mass. E: the truncated
  // exponential on 0..T, T = 10 m, has mean m - T e^-10 / (1 - e^-10) and
  // variance m^2 - T^2 e^-10 / (1 - e^-10)^2; Simpson with h = m/10 is good
  // to about 1e-4 relative.
  const Case cases[] = {
      {"N(10, 2)", Row("N", 10, 2), 10.0, 2.0, 1e-3},
      {"E with mean 2", Row("E", 2, 2), 2.0 - 20.0 * std::exp(-10.0) / (1 - std::exp(-10.0)),
       std::sqrt(4.0 - 400.0 * std::exp(-10.0) / std::pow(1 - std::exp(-10.0), 2)), 1e-3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EvaluationSeries series;
    ASSERT_TRUE(TabulatePriorProfile(c.row, 1, 101, series));
    EXPECT_NEAR(series.ExpectedValue, c.mean, c.tolerance);
    EXPECT_NEAR(series.EstimatedSE, c.se, c.tolerance * 2);
    EXPECT_NEAR(series.ProfileCumulative[101], 1.0, 1e-3);
  }
  EvaluationSeries normal;
  TabulatePriorProfile(Row("N", 10, 2), 1, 101, normal);
  EXPECT_EQ(normal.BestPoint, 51);
  EXPECT_DOUBLE_EQ(normal.BestValue, 10.0);
  EXPECT_NEAR(normal.ProfileObjective[1], 0.5 * 25.0, 1e-12);  // 0.5 ((0 - 10)/2)^2
}

// Gamma points moved to x > 0 lie closer than the step; the density is
// normalised over their real spacing, so it is the Gamma density itself:
// mean 2, SD 1 is shape 4, rate 2, f(x) = 2^4 x^3 e^(-2x) / 3!. The
// tabulated range (to 7) leaves out about 5e-4 of the mass, which bounds
// the error of the normalised density well inside 1e-3 (its peak is 0.60).
TEST(PriorProfileDistribution, AMovedGammaProfileGivesTheGammaDensity) {
  EvaluationSeries series;
  ASSERT_TRUE(TabulatePriorProfile(Row("G", 2, 1), 1, 101, series));
  ASSERT_GT(series.ProfileValues[2] - series.ProfileValues[1], 0.0);
  for (int p = 1; p <= 101; ++p) {
    const double x = series.ProfileValues[static_cast<std::size_t>(p)];
    const double density = 16.0 * x * x * x * std::exp(-2.0 * x) / 6.0;
    EXPECT_NEAR(series.ProfilePdf[static_cast<std::size_t>(p)], density, 1e-3) << "x = " << x;
  }
}

TEST(PriorProfileDistribution, TiesKeepTheEarlierPoint) {
  // A bounded uniform is flat between its feet: the first flat point is best.
  EvaluationSeries series;
  ASSERT_TRUE(TabulatePriorProfile(Row("T", 0, 0, "10", "0"), 1, 11, series));
  EXPECT_EQ(series.BestPoint, 1);
  EXPECT_DOUBLE_EQ(series.BestValue, 0.0);
}

TEST(PriorProfileReport, HasTheColumnsAndClosingLines) {
  EvaluationSeries series;
  TabulatePriorProfile(Row("N", 0, 1), 1, 3, series);
  const std::string text = PriorProfileReport(series);
  EXPECT_EQ(text.rfind("Bayesian prior distribution data\r\n\r\n  Point       Value         -ln[L]           PDF"
                       "        Cumulative     Attenuated     Normal PDF\r\n",
                       0),
            0u);
  // Centred on 0: the percent difference cannot be divided.
  EXPECT_NE(text.find("Percent Diff:      Undefined   \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    2    "), std::string::npos);
}

// A model of three parameters; the prior profile never calls it.
class ThreeParameters : public Model {
 public:
  std::string Name() const override { return "Three"; }
  void MODEL(double& F, OneBased<double>&, OneBased<double>&, OneBased<std::string>&,
             OneBased<std::string>&, std::int16_t&, std::int32_t, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    F = 1.0;
    NOBS = 10;
  }
};

class PriorProfileRunTest : public ::testing::Test {
 protected:
  PriorProfileRunTest() : session_(ui_, &model_), windows_(session_) {
    session_.Start();
    session_.Algorithm.ParameterCount = 3;
    session_.Algorithm.Values = {1.0, 2.0, 3.0};
    session_.Algorithm.Steps = {0.1, 0.1, 0.1};
    session_.Algorithm.FuseCodes = {"~~", "~~", "~~"};
    session_.Priors.Reset(3);
    session_.Priors.Rows[1] = Row("N", 10, 2);
    session_.ShowDistributionPlots = [this] {
      ++plots_;
      plotModeOn_ = session_.State.PriorProfileMode;
    };
  }
  ScriptedUi ui_;
  ThreeParameters model_;
  Session session_;
  PriorReportWindows windows_;
  int plots_ = 0;
  bool plotModeOn_ = false;
};

TEST_F(PriorProfileRunTest, AsksAgainRefusesUAndShowsThePlotsAndReport) {
  ui_.Answer(Answer::Ok).Value("1");  // parameter 1 is U: back to the start
  ui_.Answer(Answer::Ok).Value("7").Value("2").Value("1002").Value("100");
  RunPriorProfile(session_, windows_);
  EXPECT_TRUE(ui_.Showed("There is nothing to plot when the prior distribution is uniform-unbounded"));
  EXPECT_EQ(session_.State.ProfiledParameter, 2);
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 101);
  EXPECT_FALSE(session_.State.PriorProfileMode);
  EXPECT_EQ(plots_, 1);
  EXPECT_TRUE(plotModeOn_);
  EXPECT_TRUE(windows_.PriorDists().IsOpen());
  EXPECT_EQ(windows_.PriorDists().Text("rtbPriorDists"), PriorProfileReport(session_.Evaluation));
  EXPECT_EQ((ui_.StatusPanels[{5, 1}]),
            "Calculating profile point 101 of 101, Value of parameter # 2 which is being profiled "
            "is: 2.0000E+01");
  EXPECT_EQ(ui_.Beeps, 1);
}

TEST_F(PriorProfileRunTest, CancelLeavesTheSeriesAndTurnsTheModeOff) {
  session_.Evaluation.ProfilePointCount = 5;
  ui_.Answer(Answer::Ok).Value("");  // empty parameter: back to the start
  ui_.Answer(Answer::Cancel);
  RunPriorProfile(session_, windows_);
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 5);
  EXPECT_FALSE(session_.State.PriorProfileMode);
  EXPECT_EQ(plots_, 0);
}

TEST_F(PriorProfileRunTest, SavesThePaneAsAPdpFile) {
  ui_.Answer(Answer::Ok).Value("2").Value("3");
  RunPriorProfile(session_, windows_);
  windows_.PriorDists().SetText("rtbPriorDists", "edited\r\n");
  const std::string path = ::testing::TempDir() + "quorvane_prior_profile.pdp";
  ui_.File(path);
  windows_.PriorDists().Click("cmdSavePriorDists");
  ASSERT_FALSE(ui_.FileRequests.empty());
  EXPECT_EQ(ui_.FileRequests.back().title, "Save Bayesian prior values in...");
  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved, "Originally saved with the file name: " + path + "\r\n\r\nedited\r\n");
  EXPECT_EQ(windows_.PriorDists().Text("rtbPriorDists"), saved);
}

TEST_F(PriorProfileRunTest, TheSessionHooksOpenTheTwoReportWindows) {
  session_.ShowDistributionPlots = nullptr;
  ui_.Answer(Answer::Ok).Value("2").Value("0");
  ASSERT_TRUE(session_.ProfilePriorDistributions);
  session_.ProfilePriorDistributions();
  EXPECT_TRUE(ui_.IsOpen("frmPriorDists"));
  EXPECT_EQ(session_.Evaluation.ProfilePointCount, 101);

  session_.Priors.Terms = {0.0, 0.125, 0.0};
  ASSERT_TRUE(session_.ReviewPriors);
  session_.ReviewPriors();
  EXPECT_TRUE(ui_.IsOpen("frmReviewPriors"));
}

}  // namespace
}  // namespace quorvane
