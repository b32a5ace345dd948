// The demo analysis behind `make run` stays valid: it sets up the Nile
// model, minimises, writes and saves the summary, and quits.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/console_run.h"

namespace quorvane {
namespace {

TEST(NileDemoScriptTest, RunsToTheSavedSummary) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile-demo.txt");
  std::stringstream script;
  script << in.rdbuf();
  const std::string report = testing::TestTempPath("nile-demo.qvo");
  std::remove(report.c_str());
  std::string text = script.str();
  const std::string target = "build/nile-demo.qvo";
  const auto at = text.find(target);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, target.size(), report);

  const testing::ProgramRun run = testing::RunConsole(text, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  std::ifstream saved(report);
  std::stringstream summary;
  summary << saved.rdbuf();
  EXPECT_EQ(summary.str().rfind("Originally saved with the file name: ", 0), 0u);
  // The Simplex with the file's tolerance lands within rounding of the
  // exact minimum 482.6451245 of this model.
  EXPECT_NE(summary.str().find("The objective function minimum is:             482.6451"),
            std::string::npos)
      << summary.str().substr(0, 3000);
  std::remove(report.c_str());
}

}  // namespace
}  // namespace quorvane
