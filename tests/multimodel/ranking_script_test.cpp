// The ranking end to end in the console on the Nile flow: two fits (with
// and without the step at 1899) saved with their covariance files, ranked,
// averaged and saved as a multi-model statistics file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "core/algorithm_file.h"
#include "multimodel/covariance_report_fixture.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

std::vector<double> SavedValues(const std::string& path) {
  std::string error;
  const auto lines = ReadTextLines(path, error);
  EXPECT_TRUE(lines) << error;
  AlgorithmData read;
  read.ParameterCount = 8;
  EXPECT_EQ(ParseAlgorithmFile(*lines, 8, read).Problem, AlgorithmFileProblem::None);
  std::vector<double> values;
  for (int i = 1; i <= 8; ++i) values.push_back(read.Values[i]);
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

}  // namespace
}  // namespace quorvane
