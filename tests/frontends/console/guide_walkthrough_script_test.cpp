// The user guide's walk-through stays true: the console script behind it
// runs every step the guide shows and saves every report and picture it
// names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/console_run.h"

namespace quorvane {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(GuideWalkthroughScriptTest, RunsEveryStepAndSavesWhatTheGuideShows) {
  std::string script = ReadFile(std::string(QUORVANE_SOURCE_DIR) + "/examples/guide-walkthrough.txt");
  ASSERT_FALSE(script.empty());
  // The script's outputs go to the test's own files instead of build/.
  const std::string prefix = testing::TestTempPath("");
  const std::string target = "build/guide-";
  for (size_t at = script.find(target); at != std::string::npos; at = script.find(target, at))
    script.replace(at, target.size(), prefix);
  const std::vector<std::string> saved = {
      "step.alg", "fit.png", "acf.png", "nile.qvo", "step.cov", "table.qvo", "profile.png", "profile.mlc",
      "posterior.png", "posterior-bivariate.png", "posterior.grd", "posterior.pos",
      "phi.pri", "plain.alg", "plain.cov", "ranks.mms"};
  for (const auto& name : saved) std::filesystem::remove(prefix + name);

  const testing::ProgramRun run = testing::RunConsole(script, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  for (const auto& name : saved) {
    SCOPED_TRACE(name);
    EXPECT_GT(std::filesystem::exists(prefix + name) ? std::filesystem::file_size(prefix + name) : 0u,
              0u);
  }
  // The numbers the guide quotes: the minimum of the fit with the step, its
  // Ljung-Box test, the table of estimates after the covariances, and two
  // models in the ranking.
  const std::string summary = ReadFile(prefix + "nile.qvo");
  EXPECT_NE(summary.find("The objective function minimum is:             482.6451"), std::string::npos);
  EXPECT_NE(summary.find("to lag  10 are:      9.4778,   9,  0.3944"), std::string::npos);
  EXPECT_NE(ReadFile(prefix + "table.qvo")
                .find("Estimates with standard errors from grid 3 (grid factor 0.01) of the numerical covariance "
                      "analysis:\r\nPar#     Estimate   Std. error       z    P>|z|"),
            std::string::npos);
  EXPECT_EQ(ReadFile(prefix + "ranks.mms").rfind("     2 < Number of models ranked", 0), 0u);
  for (const auto& name : saved) std::filesystem::remove(prefix + name);
}

// The console lines the guide shows are the script's, in the same order: a
// step changed in one place only would go untested.
TEST(GuideWalkthroughScriptTest, TheGuidesConsoleBlocksAreTheScript) {
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      out.push_back(line);
    }
    return out;
  };
  std::vector<std::string> script;
  for (const auto& line : lines(ReadFile(std::string(QUORVANE_SOURCE_DIR) + "/examples/guide-walkthrough.txt")))
    if (!line.empty() && line[0] != '#') script.push_back(line);

  // Indented blocks of the page whose first line is a console command.
  const std::vector<std::string> commands = {"click ", "set ",   "select ", "check ",
                                             "uncheck ", "menu ", "window ", "dblclick ",
                                             "save ",   "close", "choose "};
  std::vector<std::string> shown;
  bool inBlock = false, commandBlock = false;
  for (const auto& line : lines(ReadFile(std::string(QUORVANE_SOURCE_DIR) + "/docs/walkthrough.md"))) {
    const bool code = line.rfind("    ", 0) == 0;
    if (!code) {
      inBlock = false;
      continue;
    }
    const std::string text = line.substr(4);
    if (!inBlock) {
      commandBlock = false;
      for (const auto& command : commands) commandBlock = commandBlock || text.rfind(command, 0) == 0;
      inBlock = true;
    }
    if (commandBlock) shown.push_back(text);
  }
  EXPECT_EQ(shown, script);
}

}  // namespace
}  // namespace quorvane
