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

}  // namespace
}  // namespace quorvane
