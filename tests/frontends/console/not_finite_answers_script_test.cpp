// Answers beyond the range of a double ("1e400") to the value prompts of the
// Nile analysis: each is refused with a message naming it and asked for
// again, so no infinity reaches a profile, a forecast, a grid factor, the
// covariance constant (and so ObjectiveScale), C-hat or a prior's terms.
#include <gtest/gtest.h>

#include <cstdio>

#include "base/files/text_file.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(NotFiniteAnswersScriptTest, EveryValuePromptRefusesAnInfiniteAnswerAndAsksAgain) {
  const std::string cov = testing::TestTempPath("nile.cov");
  const std::string pri = testing::TestTempPath("nile.pri");
  std::remove(cov.c_str());
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
      "click cmdSimplex\n"
      // The profiled parameter's number; then the profile is cancelled.
      "click cmdParEstimate\n"
      "click cmdML\n"
      "yes\n"
      "1e400\n"
      "\n"
      // The number of periods to forecast; then the forecast is cancelled.
      "click cmdUserSummary\n"
      "no\n"
      "click cmdForecast\n"
      "1e400\n"
      "\n"
      "close\n"
      // Covariances: grid 1's factor refused, then the three factors.
      "click cmdCovariance\n"
      "no\n"
      "ok\n"
      "menu Edit>Finish editing\n"
      "1e400\n"
      "1\n"
      "0.1\n"
      "0.01\n"
      "yes\n"
      // The constant: too large, then so small that 1/constant overflows.
      "1e400\n"
      "1e-310\n"
      "1\n"
      "no\n"
      "window frmCovDisplay\n"
      "click cmdScreen\n"
      "window frmCovDisplay\n"
      "click cmdFile\n" +
          cov +
          "\n"
          "click cmdFinish\n"
          // C-hat in the ranking window.
          "click cmdRank\n"
          "click cmdQAICc\n"
          "-1e400\n"
          "2\n"
          "show\n"
          "click cmdFinish\n"
          // A prior's mean.
          "click cmdBayesian\n"
          "click cmdSet\n"
          "yes\n"
          "dblclick grdSetPriors 2 1\n"
          "menu Edit prior distributions>Mean and SD>Gaussian (i.e., Normal)\n"
          "1e400\n"
          "0.5\n"
          "0.1\n"
          "menu Save prior distributions\n" +
          pri +
          "\n"
          "menu Finished\n"
          "no\n"
          "click cmdQuit\n"
          "yes\n"
          "no\n"
          "no\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;

  const std::string refused =
      "\"1e400\" is beyond the range of numbers (about 1.8E+308 either way), so it cannot be used.";
  EXPECT_EQ(Count(run.output, "[ML parameter estimate evaluation] " + refused), 1u) << run.output;
  EXPECT_EQ(Count(run.output, "[Forecast] " + refused), 1u) << run.output;
  EXPECT_EQ(Count(run.output, "[Covariance calculator] " + refused), 1u) << run.output;
  EXPECT_EQ(Count(run.output, "[Enter constant] " + refused), 1u) << run.output;
  EXPECT_EQ(Count(run.output, "[Enter constant] The constant \"1e-310\" is too small"), 1u)
      << run.output;
  EXPECT_EQ(
      Count(run.output, "[Overdispersion correction] \"-1e400\" is beyond the range of numbers"),
      1u)
      << run.output;
  EXPECT_EQ(Count(run.output, "[Gaussian (i.e., Normal)] " + refused), 1u) << run.output;

  // The answers that followed are the ones used.
  const std::string covText = testing::ReadAll(cov);
  EXPECT_NE(covText.find("Covariance constant: 1\r\n"), std::string::npos) << covText;
  EXPECT_NE(
      covText.find("Factors:              1) 1.0000000E+00  2) 1.0000000E-01  3) 1.0000000E-02"),
      std::string::npos)
      << covText;
  const std::string results = covText.substr(covText.find("\r\n"));  // after the saved name
  EXPECT_EQ(results.find("Inf"), std::string::npos) << covText;
  EXPECT_NE(run.output.find("text box txtCHat = \"C-hat: 2.000\""), std::string::npos)
      << run.output;
  EXPECT_NE(testing::ReadAll(pri).find("  1   N 5.000E-001 1.000E-001"), std::string::npos);
  std::remove(cov.c_str());
  std::remove(pri.c_str());
}

}  // namespace
}  // namespace quorvane
