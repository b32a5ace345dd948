// The ranking end to end in the console: on the Nile flow, two fits (with
// and without the step at 1899) saved with their covariance files, ranked,
// averaged and saved as a multi-model statistics file; and on the level of
// Lake Huron in feet, whose criteria are all negative.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "core/algorithm_file.h"
#include "multimodel/covariance_report_fixture.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

std::vector<double> SavedValues(const std::string& path, int count = 8) {
  std::string error;
  const auto lines = ReadTextLines(path, error);
  EXPECT_TRUE(lines) << error;
  if (!lines) return std::vector<double>(static_cast<size_t>(count), 0.0);
  AlgorithmData read;
  read.ParameterCount = static_cast<std::int16_t>(count);
  EXPECT_EQ(ParseAlgorithmFile(*lines, count, read).Problem, AlgorithmFileProblem::None);
  std::vector<double> values;
  for (int i = 1; i <= count; ++i) values.push_back(read.Values[i]);
  return values;
}

std::string SetUpNile() {
  return "click cmdInitialize\n"
         "set txtResDataInput examples/nile.dat\n"
         "set cboResStartTimePeriod 1871\n"
         "set cboResEndTimePeriod 1970\n"
         "set cboIntervention1 1\n"
         "set cboARMA 1\n"
         "uncheck chkARMALogit\n"
         "click cmdDone\n";
}

TEST(RankingScriptTest, TwoNileFitsAreRankedAveragedAndSaved) {
  const std::string step = testing::TestTempPath("step.alg");
  const std::string plain = testing::TestTempPath("plain.alg");
  const std::string mms = testing::TestTempPath("ranks.mms");
  for (const std::string& old : {step, plain, mms})
    std::remove(old.c_str());
  // The model without the step: its Omega(0) held at 0.
  {
    std::string error;
    auto lines = *ReadTextLines(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.alg", error);
    lines[6] = " 0.0000000E+00   0.0000000E+00" + lines[6].substr(30);
    ASSERT_FALSE(WriteTextFileAtomically(plain + ".start", JoinCrLf(lines)));
  }
  const testing::ProgramRun fits = testing::RunConsole(
      SetUpNile() +
          "click cmdLoadAlg\nyes\nexamples/nile.alg\nclick cmdSimplex\nclick cmdSaveAlg\n" + step +
          "\nclick cmdLoadAlg\nyes\n" + plain + ".start\nclick cmdSimplex\nclick cmdSaveAlg\n" +
          plain + "\nclick cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(fits.status, 0) << fits.output;

  // Their covariance files, laid out as saved from the covariance report.
  const std::vector<double> withStep = SavedValues(step), without = SavedValues(plain);
  ASSERT_NE(withStep[5], 0.0);
  ASSERT_EQ(without[5], 0.0);
  auto writeCov = [](const std::string& alg, const std::vector<double>& values,
                     std::vector<testing::StandardErrorLine> errors) {
    const std::string cov = alg.substr(0, alg.size() - 4) + ".cov";
    ASSERT_FALSE(WriteTextFileAtomically(cov, JoinCrLf(testing::CovarianceReportLines(values, errors))));
  };
  writeCov(step, withStep, {{1, {0.1, 0.11, 0.12}}, {3, {20, 21, 22}}, {6, {30, 31, 32}}});
  writeCov(plain, without, {{1, {0.08, 0.09, 0.1}}, {3, {40, 41, 42}}});

  std::remove(mms.c_str());
  const testing::ProgramRun ranking = testing::RunConsole(
      SetUpNile() + "click cmdLoadAlg\nyes\n" + step +
          "\nclick cmdRank\nclick cmdLoadAlg\n" + plain +
          "\nclick cmdRank\nclick cmdAverage\nclick cmdSaveRank\n" + mms +
          "\nclick cmdFinish\nno\nclick cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(ranking.status, 0) << ranking.output;

  std::string error;
  const auto lines = ReadTextLines(mms, error);
  ASSERT_TRUE(lines) << error;
  // Count and heads, two rows, an empty line, five lines of heading and eight parameters.
  ASSERT_GE(lines->size(), 2u + 2u + 1u + 5u + 8u) << ranking.output;
  EXPECT_EQ((*lines)[0], "     2 < Number of models ranked");
  // The weights of the two rows, and which model each row is.
  double weightStep = 0, weightPlain = 0;
  for (int r = 2; r <= 3; ++r) {
    const std::string& row = (*lines)[static_cast<size_t>(r)];
    const double weight = LeadingNumber(row.substr(48, 12));
    // The model with the step estimates three parameters.
    (LeadingNumber(row.substr(18, 6)) == 3 ? weightStep : weightPlain) = weight;
  }
  // The file gives the weights to 5 decimals.
  EXPECT_NEAR(weightStep + weightPlain, 1.0, 1e-5);
  EXPECT_GT(weightStep, weightPlain);  // the step at 1899 is real
  for (int p = 1; p <= 8; ++p) {
    const std::string& line = (*lines)[static_cast<size_t>(9 + p)];
    const double averaged = LeadingNumber(line.substr(12, 16));
    const double expected = weightStep * withStep[static_cast<size_t>(p - 1)] +
                            weightPlain * without[static_cast<size_t>(p - 1)];
    // 5 significant digits in the averaging text, 5 decimals in the weights.
    EXPECT_NEAR(averaged, expected, 1e-4 * std::abs(expected) + 1e-5 * 300) << line;
  }
}

std::string ReadScript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lake Huron in feet: -ln[L] of every model is near -35, so every AICc is
// negative. The three models still rank by AICc, with the differences and
// Akaike weights those values give, and average as any other ranking does.
TEST(RankingScriptTest, LakeHuronInFeetRanksByItsNegativeCriteria) {
  std::string script =
      ReadScript(std::string(QUORVANE_SOURCE_DIR) + "/examples/lakehuron-ranking.txt");
  ASSERT_FALSE(script.empty());
  // The script's outputs go to the test's own files instead of build/.
  const std::string prefix = testing::TestTempPath("");
  const std::string target = "build/lakehuron-";
  for (size_t at = script.find(target); at != std::string::npos; at = script.find(target, at))
    script.replace(at, target.size(), prefix);
  const char* const models[] = {"ar1", "arma11", "arma21"};
  for (const char* m : models)
    for (const char* extension : {".alg", ".cov"})
      std::remove((prefix + m + extension).c_str());
  std::remove((prefix + "ranks.mms").c_str());

  const testing::ProgramRun run = testing::RunConsole(script, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  std::string error;
  const auto lines = ReadTextLines(prefix + "ranks.mms", error);
  ASSERT_TRUE(lines) << error;
  // Count and heads, three rows, an empty line, five lines of heading,
  // twelve parameters and the closing empty line.
  ASSERT_EQ(lines->size(), 2u + 3u + 1u + 5u + 12u + 1u) << run.output;
  EXPECT_EQ((*lines)[0], "     3 < Number of models ranked");

  // The exact -ln[L] at each model's maximum, from an independent fit: the
  // N x N autocovariance matrix G of the unit-variance ARMA noise, and
  // -ln[L] = (N/2) ln(w'G^-1 w / N) + ln|G| / 2, minimised over the ARMA
  // coefficients, the intercept and the trend slope with scipy's
  // Nelder-Mead (numpy, scipy 1.10). R's arima(LakeHuron, order, xreg =
  // 1:98, method = "ML") gives the same values to all nine decimals once the
  // constant N/2 (1 + ln 2 pi) is taken from its -loglik. N = 98 years; K
  // counts the estimated parameters; AICc = 2K N / (N - K - 1) + 2 (-ln[L]).
  struct Expected {
    const char* model;
    int K;
    double negLogL, aicc, difference, weight;
  };
  const Expected expected[] = {
      {"arma11", 4, -37.858286289, -67.286465052, 0.0, 0.69374229},
      {"arma21", 5, -38.024091967, -65.396010020, 1.890455032, 0.26958212},
      {"ar1", 3, -33.830903007, -61.406486866, 5.879978186, 0.03667559},
  };
  std::vector<double> weights;
  for (size_t r = 0; r < 3; ++r) {
    const Expected& e = expected[r];
    const std::string& row = (*lines)[2 + r];
    SCOPED_TRACE(row);
    EXPECT_EQ(LeadingNumber(row.substr(0, 6)), static_cast<double>(r + 1));
    EXPECT_EQ(LeadingNumber(row.substr(18, 6)), e.K);  // which model the row is
    // The file keeps 5 significant digits (a half unit of 5E-4 at these
    // sizes); the minimisers stop within 1E-5 of the minimum.
    EXPECT_NEAR(LeadingNumber(row.substr(6, 12)), e.negLogL, 6e-4);
    EXPECT_NEAR(LeadingNumber(row.substr(24, 12)), e.aicc, 6e-4);
    EXPECT_NEAR(LeadingNumber(row.substr(36, 12)), e.difference, 1e-4);
    // Weights to 5 decimals.
    EXPECT_NEAR(LeadingNumber(row.substr(48, 12)), e.weight, 1e-5);
    weights.push_back(LeadingNumber(row.substr(48, 12)));
  }

  // The averaging text follows the table: each estimate is the weighted
  // mean of the three fits' estimates, read back from their covariance files.
  EXPECT_EQ((*lines)[5], "");
  EXPECT_EQ((*lines)[6].rfind("Parameter estimates and their SEs resulting from averaging", 0), 0u);
  std::vector<std::vector<double>> fits;
  for (const Expected& e : expected) fits.push_back(SavedValues(prefix + e.model + ".alg", 12));
  for (int p = 1; p <= 12; ++p) {
    const std::string& line = (*lines)[10 + static_cast<size_t>(p)];
    double mean = 0;
    for (size_t r = 0; r < 3; ++r) mean += weights[r] * fits[r][static_cast<size_t>(p - 1)];
    // 5 significant digits in the text; the weights to 5 decimals, applied
    // to estimates of up to 1875 (the trend's start).
    EXPECT_NEAR(LeadingNumber(line.substr(12, 16)), mean, 1e-4 * std::abs(mean) + 2e-5 * 1875)
        << line;
  }
  for (const char* m : models)
    for (const char* extension : {".alg", ".cov"})
      std::remove((prefix + m + extension).c_str());
  std::remove((prefix + "ranks.mms").c_str());
}

}  // namespace
}  // namespace quorvane
