// A Normal prior on the Nile model's Phi(1), set in the console's prior
// editor: Simplex then Marquardt must reach the minimum of -ln[L] plus the
// prior term, found here independently, and the saved priors reload.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/files/text_file.h"
#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "core/algorithm_file.h"
#include "minimize/nile_ar1_oracle.h"
#include "priors/priors_file.h"
#include "support/console_run.h"
#include "support/example_setups.h"
#include "tfn/series_preparation.h"

namespace quorvane {
namespace {

// The prior term of N(0.5, 0.1) on phi.
double Prior(double phi) { return 0.5 * std::pow((phi - 0.5) / 0.1, 2); }

// -ln[L] of the AR(1) regression at given phi, mu and omega: the
// Prais-Winsten residual sum of squares at these coefficients, profiled
// over the variance only.
double Ar1Objective(const std::vector<double>& y, const std::vector<double>& step, double phi,
                    double mu, double omega) {
  const double head = std::sqrt(1 - phi * phi);
  double ss = 0;
  for (std::size_t t = 0; t < y.size(); ++t) {
    const double e = t == 0 ? head * (y[0] - mu - omega * step[0])
                            : (y[t] - mu - omega * step[t]) -
                                  phi * (y[t - 1] - mu - omega * step[t - 1]);
    ss += e * e;
  }
  const double n = static_cast<double>(y.size());
  return n / 2 * std::log(ss / n) + 0.5 * std::log(1 / (1 - phi * phi));
}

TEST(NilePriorScriptTest, MinimisersReachTheMinimumOfTheObjectivePlusThePrior) {
  const std::string alg = testing::TestTempPath("estimates.alg");
  const std::string pri = testing::TestTempPath("phi.pri");
  std::remove(alg.c_str());
  std::remove(pri.c_str());
  const testing::ProgramRun run = testing::RunConsole(
      "click cmdInitialize\n"
      "set txtResDataInput examples/nile.dat\n"
      "set cboResStartTimePeriod 1871\n"
      "set cboResEndTimePeriod 1970\n"
      "set cboIntervention1 1\n"
      "set cboARMA 1\n"
      "uncheck chkARMALogit\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "yes\n"
      "examples/nile.alg\n"
      "click cmdBayesian\n"
      "click cmdSet\n"
      "yes\n"
      "dblclick grdSetPriors 2 1\n"
      "menu Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)\n"
      "0.5\n"
      "0.1\n"
      "menu Save prior distributions\n" +
          pri +
          "\n"
          "menu Finished\n"
          "no\n"
          "click cmdSimplex\n"
          "click cmdMarquardt\n"
          "no\n"
          "no\n"
          "close\n"  // the review of the estimates against the priors
          "close\n"
          "click cmdSaveAlg\n" +
          alg +
          "\n"
          "click cmdQuit\n"
          "yes\n"
          "no\n"
          "no\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;

  std::string error;
  const auto lines = ReadTextLines(alg, error);
  ASSERT_TRUE(lines) << error << run.output;
  AlgorithmData read;
  read.ParameterCount = 8;
  ASSERT_EQ(ParseAlgorithmFile(*lines, 8, read).Problem, AlgorithmFileProblem::None);

  std::vector<double> y, step;
  const ResponseSeriesData nile = ReadResponseSeries(testing::NileSetup());
  for (int t = 1871; t <= 1970; ++t) {
    y.push_back(*nile.Raw.At(t, 1));
    step.push_back(t >= 1899 ? 1.0 : 0.0);
  }
  // The penalised minimum over phi by golden section, mu and omega profiled.
  const auto penalised = [&](double phi) {
    return testing::ProfileAr1Regression(y, step, phi).objective + Prior(phi);
  };
  double a = 0.0, b = 0.9;
  const double g = (std::sqrt(5.0) - 1) / 2;
  while (b - a > 1e-12) {
    const double c = b - g * (b - a), d = a + g * (b - a);
    if (penalised(c) < penalised(d))
      b = d;
    else
      a = c;
  }
  const double minimum = penalised((a + b) / 2);
  const double found =
      Ar1Objective(y, step, read.Values[1], read.Values[3], read.Values[6]) + Prior(read.Values[1]);
  // 1e-6: the searches' tolerance on the objective; the saved values carry
  // eight digits, whose rounding moves the objective far less.
  EXPECT_NEAR(found, minimum, 1e-6) << "phi " << read.Values[1];

  const auto priorLines = ReadTextLines(pri, error);
  ASSERT_TRUE(priorLines) << error;
  const auto reloaded = ParsePriorsFile(*priorLines, 8);
  ASSERT_TRUE(std::holds_alternative<std::vector<PriorRow>>(reloaded));
  std::vector<PriorRow> expected(8);
  expected[0].Type = "N";
  expected[0].FirstTerm = 0.5;
  expected[0].SecondTerm = 0.1;
  EXPECT_EQ(std::get<std::vector<PriorRow>>(reloaded), expected);
  std::remove(alg.c_str());
  std::remove(pri.c_str());
}

// The review after the Simplex search shows Phi(1) at the minimum the search
// reports, and the prior term there.
TEST(NilePriorScriptTest, TheReviewAfterSimplexShowsTheMinimumAndItsPriorTerm) {
  const testing::ProgramRun run = testing::RunConsole(
      "click cmdInitialize\n"
      "set txtResDataInput examples/nile.dat\n"
      "set cboResStartTimePeriod 1871\n"
      "set cboResEndTimePeriod 1970\n"
      "set cboIntervention1 1\n"
      "set cboARMA 1\n"
      "uncheck chkARMALogit\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "yes\n"
      "examples/nile.alg\n"
      "click cmdBayesian\n"
      "click cmdSet\n"
      "yes\n"
      "dblclick grdSetPriors 2 1\n"
      "menu Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)\n"
      "0.5\n"
      "0.1\n"
      "menu Finished\n"
      "no\n"
      "click cmdSimplex\n"
      "click cmdQuit\nyes\nno\nno\n",
      "", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  // Phi(1) as the final report gives it, eight digits.
  const auto minimum = run.output.find("Minimum of ");
  ASSERT_NE(minimum, std::string::npos) << run.output;
  const auto line = run.output.find("    001) ", minimum);
  ASSERT_NE(line, std::string::npos) << run.output;
  const double phi = std::strtod(run.output.c_str() + line + 9, nullptr);
  // Started at 0.3, the search moves Phi(1) well away from it.
  ASSERT_GT(std::fabs(phi - 0.3), 0.01) << phi;
  const std::string row = "Parameter   1 at " + RightJustify(FormatPicture(phi, "0.000E+00"), 10) +
                          " has a prior -ln[L] of " +
                          RightJustify(FormatPicture(Prior(phi), "##0.00"), 8) +
                          " and a prior likelihood of " +
                          RightJustify(FormatPicture(std::exp(-Prior(phi)), "0.000000"), 8);
  EXPECT_NE(run.output.find(row, minimum), std::string::npos) << row << "\n" << run.output.substr(minimum);
}

}  // namespace
}  // namespace quorvane
