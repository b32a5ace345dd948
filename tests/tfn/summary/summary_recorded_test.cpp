// The sections a summary has always had keep their text to the byte: the
// Nile demo's summary, less the sections for a reviewer, is the one
// recorded before they were added (tests/tfn/fixtures/nile-demo-summary.qvo,
// saved by the console from examples/nile-demo.txt, with the saved path on
// its second line replaced by "<saved path>").
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/console_run.h"

namespace quorvane {
namespace {

// Removes the section that starts with the line `first` up to and with the
// empty line that ends it; false when there is no such section.
bool RemoveSection(std::string& text, const std::string& first) {
  const auto start = text.find("\r\n" + first);
  if (start == std::string::npos) return false;
  const auto end = text.find("\r\n\r\n", start + 2);
  if (end == std::string::npos) return false;
  text.erase(start + 2, end + 2 - (start + 2) + 2);
  return true;
}

std::string WithSavedPathReplaced(std::string text) {
  const auto first = text.find("\r\n");
  const auto second = text.find("\r\n", first + 2);
  return text.replace(first + 2, second - first - 2, "<saved path>");
}

TEST(SummaryRecordedTest, TheSectionsOfEarlierSummariesAreUnchanged) {
  const std::string saved = testing::TestTempPath("nile.qvo");
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
      "click cmdLoadAlg\nyes\nexamples/nile.alg\n"
      "click cmdSimplex\n"
      "click cmdUserSummary\nno\n"
      "click cmdSaveSummary\n" + saved + "\n"
      "close\n"
      "click cmdQuit\nyes\nno\n",
      "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;

  std::string text = WithSavedPathReplaced(testing::ReadAll(saved));
  std::remove(saved.c_str());
  for (const char* section : {"The value, df and p[normal] of the residual (a-hat) Jarque-Bera",
                              "Criteria comparable with other software", "Estimates with standard errors",
                              "Residual autocorrelation:"})
    EXPECT_TRUE(RemoveSection(text, section)) << section;
  const std::string recorded =
      testing::ReadAll(std::string(QUORVANE_SOURCE_DIR) + "/tests/tfn/fixtures/nile-demo-summary.qvo");
  ASSERT_FALSE(recorded.empty());
  EXPECT_EQ(text, recorded);
}

}  // namespace
}  // namespace quorvane
