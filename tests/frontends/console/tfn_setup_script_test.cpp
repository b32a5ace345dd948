// Setting up the time-series model on the example data from the console.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "support/console_run.h"

namespace quorvane {
namespace {

using testing::ProgramRun;
using testing::RunConsole;

// The parameter rows of the editor's grid, as `show` prints them: a line
// break, four blanks, the parameter's number and " | ".
int GridParameterRows(const std::string& output) {
  int rows = 0;
  for (size_t at = output.find("\n    "); at != std::string::npos; at = output.find("\n    ", at + 1)) {
    size_t end = at + 5;
    while (end < output.size() && std::isdigit(static_cast<unsigned char>(output[end]))) ++end;
    if (end > at + 5 && output.compare(end, 3, " | ") == 0) ++rows;
  }
  return rows;
}

TEST(TfnSetupScriptTest, NileWithOneInterventionGivesEightParameters) {
  // The first Continue asks for a period after the data end: the message
  // comes, the application and the window stay, and a corrected choice works.
  const ProgramRun run = RunConsole(
      "click cmdInitialize\n"
      "set txtResDataInput examples/nile.dat\n"
      "set cboResStartTimePeriod 1871\n"
      "set cboResEndTimePeriod 1975\n"
      "set cboIntervention1 1\n"
      "set cboARMA 1\n"
      "click cmdDone\n"
      "set cboResEndTimePeriod 1970\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "no\n"
      "click cmdEditAlg\n"
      "show\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  EXPECT_EQ(run.status, 2) << run.output;  // the script ends in the editor
  EXPECT_NE(run.output.find("[Fatal data input error] Your choice for last time period of response "
                            "data to analyze (1975) exceeds the last time period (1970) in the data"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(GridParameterRows(run.output), 8) << run.output;
  EXPECT_NE(run.output.find("| Starting time period for Intervention 1 of Group 1 [0; any + integer] "
                            "(Step size MUST=0)"),
            std::string::npos);
}

TEST(TfnSetupScriptTest, SeatBeltsWithCovariatesGivesTwentyEightParameters) {
  const ProgramRun run = RunConsole(
      "click cmdInitialize\n"
      "set txtResDataInput examples/seatbelts.dat\n"
      "set cboResStartTimePeriod 1\n"
      "set cboResEndTimePeriod 192\n"
      "set cboLastResSeries 3\n"
      "set cboOrdinal1E 1\n"
      "set cboOrdinal2E 2\n"
      "set cboOrdinal3E 3\n"
      "set cboResDiff 1\n"
      "choose optYesCov\n"
      "set txtCovDataInput examples/seatbelts_cov.dat\n"
      "set cboCovStartTimePeriod 1\n"
      "set cboCovEndTimePeriod 192\n"
      "set cboFirstCovSeries 1\n"
      "set cboLastCovSeries 3\n"
      "set cboCovDiff 1\n"
      "check chkCovSeries3\n"
      "set cboARMA 2\n"
      "click cmdDone\n"
      "click cmdLoadAlg\n"
      "no\n"
      "click cmdEditAlg\n"
      "show\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  EXPECT_EQ(GridParameterRows(run.output), 28) << run.output;
  EXPECT_NE(run.output.find("| Unused backward shift for TFN covariate series 3 [0]"), std::string::npos);
  EXPECT_EQ(run.output.find("Problem with"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace quorvane
