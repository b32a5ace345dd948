// The Marquardt command end to end: the console program with its built-in
// demonstration model (a quadratic fitted to eight points by least squares)
// loads the example algorithm data, runs Marquardt with numerical
// derivatives and their display, and saves the estimates, which must be the
// least-squares solution.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/algorithm_file.h"
#include "base/files/text_file.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

TEST(MarquardtScriptTest, MarquardtFromTheMainMenuReachesTheLeastSquaresFit) {
  const std::string saved = testing::TestTempPath("saved.alg");
  std::remove(saved.c_str());
  const testing::ProgramRun run = testing::RunConsole(
      "click cmdLoadAlg\n"
      "yes\n"
      "examples/quadratic_fit.alg\n"
      "click cmdMarquardt\n"
      "# numerical derivatives, shown at each iteration\n"
      "no\n"
      "yes\n"
      "# the first display waits; go on without pausing again\n"
      "click cmdContinue\n"
      "close\n"
      "click cmdSaveAlg\n" +
          saved +
          "\n"
          "click cmdQuit\n"
          "yes\n"
          "no\n",
      "--test-model", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("[Marquardt minimization] You have chosen NUMERICAL derivatives"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Numerical 2nd derivative wrt Parameters 001,003)"), std::string::npos);
  EXPECT_NE(run.output.find("[Marquardt minimum] Minimum found using Marquardt!"),
            std::string::npos);
  EXPECT_NE(run.output.find("This result required "), std::string::npos);

  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error;
  AlgorithmData read;
  read.ParameterCount = 3;
  ASSERT_EQ(ParseAlgorithmFile(*lines, 3, read).Problem, AlgorithmFileProblem::None);
  std::remove(saved.c_str());

  // The least-squares solution of y = a + b t + c t^2 on the model's eight
  // points, exactly: (247/240, 37/80, -157/1680), with S* = 1657/16800 and
  // diag((X'X)^-1) = (17/24, 53/168, 1/168). The objective is
  // F = 4 ln(S / 8); the search stops within the example's absolute
  // tolerance L = 1e-6 of its minimum, so S - S* <= S* (exp(L / 4) - 1), and
  // S - S* = d' X'X d bounds each estimate by sqrt((S - S*) (X'X)^-1_kk).
  const double excess = 1657.0 / 16800 * std::expm1(1e-6 / 4);
  EXPECT_NEAR(read.Values[1], 247.0 / 240, std::sqrt(excess * 17 / 24));
  EXPECT_NEAR(read.Values[2], 37.0 / 80, std::sqrt(excess * 53 / 168));
  EXPECT_NEAR(read.Values[3], -157.0 / 1680, std::sqrt(excess / 168));
}

}  // namespace
}  // namespace quorvane
