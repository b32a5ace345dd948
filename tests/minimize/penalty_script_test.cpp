// Where the model can compute no likelihood it returns its penalty; the
// console runs on the Nile data show that such a point is never reported as
// a minimum, and that data whose squares overflow are refused at set-up.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/files/text_file.h"
#include "core/algorithm_file.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

const std::string kNileSetUp =
    "set cboResStartTimePeriod 1871\n"
    "set cboResEndTimePeriod 1970\n"
    "set cboIntervention1 1\n"
    "set cboARMA 1\n"
    "uncheck chkARMALogit\n"
    "click cmdDone\n";

// The Nile flows in units of 1e-197 of their own: 1120 becomes 1.1E200.
// Finite, so the reader takes them; their squares are not.
TEST(PenaltyScriptTest, DataWhoseSquaresOverflowAreRefusedAtSetUp) {
  std::string error;
  const auto lines = ReadTextLines(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.dat", error);
  ASSERT_TRUE(lines) << error;
  std::string scaled = (*lines)[0] + "\r\n";
  for (size_t i = 1; i < lines->size(); ++i) {
    char value[16];
    std::snprintf(value, sizeof value, "%.1fE200", std::stod((*lines)[i].substr(9)) / 1000.0);
    scaled += (*lines)[i].substr(0, 9) + value + "\r\n";
  }
  const std::string data = testing::TestTempPath("nile-scaled.dat");
  { std::ofstream(data, std::ios::binary) << scaled; }

  const testing::ProgramRun run = testing::RunConsole(
      "click cmdInitialize\nset txtResDataInput " + data + "\n" + kNileSetUp +
          "click cmdCancel\nclick cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("[Fatal data input error] The square of the analysed value of response "
                            "series 1 at period 1871 is beyond the range of numbers; better rescale "
                            "the data"),
            std::string::npos)
      << run.output;
  std::remove(data.c_str());
}

// An intercept of 1E+200 leaves every noise value's square beyond the range
// of numbers, so every vertex of the simplex holds the model's penalty.
TEST(PenaltyScriptTest, ASimplexOfPenaltyValuesReportsNoMinimum) {
  const std::string saved = testing::TestTempPath("after.alg");
  std::remove(saved.c_str());
  const testing::ProgramRun run = testing::RunConsole(
      "click cmdInitialize\nset txtResDataInput examples/nile.dat\n" + kNileSetUp +
          "click cmdLoadAlg\nyes\nexamples/nile.alg\n"
          "click cmdEditAlg\ndblclick grdVS 3 1\nset txtCell 1e200\nclick cmdFinish\n"
          "click cmdSimplex\n"
          "click cmdSaveAlg\n" + saved + "\n"
          "click cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.find("Minimum found using Simplex!"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("[No minimum found] No minimum found: every vertex of the simplex has "
                            "the penalty value 1.0000000E+40"),
            std::string::npos)
      << run.output;

  // The parameter values are the starting values, not a penalised vertex.
  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error;
  AlgorithmData read;
  read.ParameterCount = 8;
  ASSERT_EQ(ParseAlgorithmFile(*lines, 8, read).Problem, AlgorithmFileProblem::None);
  EXPECT_EQ(read.Values[1], 0.3);
  EXPECT_EQ(read.Values[3], 1e200);
  EXPECT_EQ(read.Values[6], -200.0);
  std::remove(saved.c_str());
}

}  // namespace
}  // namespace quorvane
