// The console runs the numerical covariance dialogue from a script on the
// Nile data and saves a .cov whose standard errors sit where model
// averaging reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

TEST(CovarianceScriptTest, NileDialogueRunsToTheSavedCovarianceFile) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile-covariance.txt");
  std::stringstream script;
  script << in.rdbuf();
  const std::string saved = testing::TestTempPath("nile.cov");
  std::remove(saved.c_str());
  std::string text = script.str();
  const std::string target = "build/nile.cov";
  const auto at = text.find(target);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, target.size(), saved);

  const testing::ProgramRun run = testing::RunConsole(text, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error << run.output;
  const size_t P = 8;
  ASSERT_GT(lines->size(), P + 22);
  EXPECT_EQ((*lines)[P + 18], "Par#                               Standard errors of the estimates");
  // Parameters 1 (Phi), 3 (intercept) and 6 (Omega) are varied; every grid
  // gives each a positive standard error.
  const int varied[] = {1, 3, 6};
  for (size_t k = 0; k < 3; ++k) {
    const std::string& line = (*lines)[P + 19 + k];
    EXPECT_EQ(LeadingNumber(line.substr(0, 3)), varied[k]) << line;
    for (size_t column : {25u, 43u, 61u}) EXPECT_GT(LeadingNumber(line.substr(column - 1, 14)), 0.0) << line;
  }
  EXPECT_EQ((*lines)[P + 7], "Covariance constant: 1");
  std::remove(saved.c_str());
}

// Phi(1) held at 1, on the limit of the stationary region (estimated
// directly): the report names it and says its standard errors are undefined,
// below the standard errors; the lines model averaging reads stay in place.
TEST(CovarianceScriptTest, TheReportNamesEstimatesOnALimit) {
  const std::string saved = testing::TestTempPath("limit.cov");
  std::remove(saved.c_str());
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
      "click cmdCovariance\n"
      "no\n"
      "ok\n"
      "dblclick grdVS 1 1\n"
      "set txtCell 1\n"
      "menu Edit>Finish editing\n"
      "1\n0.1\n0.01\nyes\n1\nno\n"
      "window frmCovDisplay\n"
      "click cmdScreen\n"
      "window frmCovDisplay\n"
      "click cmdFile\n" + saved + "\n"
      "click cmdFinish\n"
      "click cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error << run.output;
  const size_t P = 8, K = 3;
  ASSERT_GT(lines->size(), P + 30);
  EXPECT_EQ((*lines)[P + 18], "Par#                               Standard errors of the estimates");
  EXPECT_EQ(LeadingNumber((*lines)[P + 19].substr(0, 3)), 1);
  // After the K standard-error lines: an empty line, then the note.
  EXPECT_EQ((*lines)[P + 19 + K], "");
  const std::vector<std::string> note(lines->begin() + P + 20 + K, lines->begin() + P + 26 + K);
  EXPECT_EQ(note, (std::vector<std::string>{
                      "Note: these estimates lie on a limit of the parameter space, where a penalty holds",
                      "the model inside it. The -ln[L] is not smooth there, so their standard errors are",
                      "undefined: -1 where the Hessian is not positive-definite, meaningless where a number",
                      "is shown:",
                      "   Parameter 1, Phi( 1), is on the limit of the stationary region",
                      ""}));
  std::remove(saved.c_str());
}

// Covariances at the starting values, the Simplex search, then a covariance
// dialogue cancelled at the first grid factor: nothing belongs to the new
// estimates, so the next command offers no "last set" (which would show the
// new values beside the old standard errors) and goes to its first question.
TEST(CovarianceScriptTest, ACancelledCalculationOffersNoResultsOfEarlierEstimates) {
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
      // At the starting values: numerical, the default factors, constant 1.
      "click cmdCovariance\n"
      "no\n"
      "ok\n"
      "menu Edit>Finish editing\n"
      "1\n0.1\n0.01\nyes\n1\nno\n"
      "window frmCovDisplay\n"
      "click cmdFinish\n"
      "click cmdSimplex\n"
      // Cancelled at the first grid factor.
      "click cmdCovariance\n"
      "no\n"
      "ok\n"
      "menu Edit>Finish editing\n"
      "\n"
      // The method question comes first; cancel answers it (and would not
      // answer "View the last set ...?").
      "click cmdCovariance\n"
      "cancel\n"
      "click cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.find("View the last set of calculated covariance results?"), std::string::npos)
      << run.output;
}

}  // namespace
}  // namespace quorvane
