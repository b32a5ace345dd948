// The Nile covariance and posterior examples run by the console with one
// worker thread, two and four: every file they save is the same, byte for
// byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/console_run.h"

namespace quorvane {
namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Runs an example script with QUORVANE_THREADS = threads, its saved files
// redirected to the running test's temporary names (the same names on
// every run, since the reports name their own file); the saved bytes by
// the example's name of the file.
std::map<std::string, std::string> RunExample(const std::string& example, const std::vector<std::string>& files,
                                              const std::string& threads) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/" + example);
  std::stringstream script;
  script << in.rdbuf();
  std::string text = script.str();
  std::map<std::string, std::string> paths;
  for (const std::string& file : files) {
    const std::string path = testing::TestTempPath(file.substr(file.find('/') + 1));
    std::remove(path.c_str());
    const size_t at = text.find(file);
    EXPECT_NE(at, std::string::npos) << file;
    if (at != std::string::npos) text.replace(at, file.size(), path);
    paths[file] = path;
  }
  setenv("QUORVANE_THREADS", threads.c_str(), 1);
  const testing::ProgramRun run = testing::RunConsole(text, "--quiet", QUORVANE_SOURCE_DIR);
  unsetenv("QUORVANE_THREADS");
  EXPECT_EQ(run.status, 0) << run.output;
  std::map<std::string, std::string> bytes;
  for (const auto& [file, path] : paths) {
    bytes[file] = FileBytes(path);
    std::remove(path.c_str());
  }
  return bytes;
}

TEST(ThreadedGridFilesTest, TheNileCovarianceFileIsTheSameOnOneTwoAndFourThreads) {
  const std::vector<std::string> files = {"build/nile.cov"};
  const auto one = RunExample("nile-covariance.txt", files, "1");
  ASSERT_FALSE(one.at("build/nile.cov").empty());
  for (const std::string threads : {"2", "4"}) {
    const auto more = RunExample("nile-covariance.txt", files, threads);
    EXPECT_EQ(more.at("build/nile.cov"), one.at("build/nile.cov")) << threads << " threads";
  }
}

TEST(ThreadedGridFilesTest, TheNilePosteriorReportGridAndPlotsAreTheSameOnOneTwoAndFourThreads) {
  const std::vector<std::string> files = {"build/nile-posterior.pos", "build/nile-posterior.grd",
                                          "build/nile-posterior-plot2.svg", "build/nile-posterior-bivariate.png"};
  const auto one = RunExample("nile-posterior.txt", files, "1");
  for (const std::string threads : {"2", "4"}) {
    const auto more = RunExample("nile-posterior.txt", files, threads);
    for (const std::string& file : files) {
      ASSERT_FALSE(one.at(file).empty()) << file;
      EXPECT_TRUE(more.at(file) == one.at(file)) << file << " differs on " << threads << " threads";
    }
  }
}

}  // namespace
}  // namespace quorvane
