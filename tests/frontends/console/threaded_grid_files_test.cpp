// The Nile covariance and posterior examples run by the console with one
// worker thread, two and four: every file they save is the same, byte for
// byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/console_run.h"

namespace quorvane {
namespace {

TEST(ThreadedGridFilesTest, TheNileCovarianceFileIsTheSameOnOneTwoAndFourThreads) {
  const std::vector<std::string> files = {"build/nile.cov"};
  const auto one = testing::RunExampleScript("nile-covariance.txt", files, "1");
  ASSERT_FALSE(one.at("build/nile.cov").empty());
  for (const std::string threads : {"2", "4"}) {
    const auto more = testing::RunExampleScript("nile-covariance.txt", files, threads);
    EXPECT_EQ(more.at("build/nile.cov"), one.at("build/nile.cov")) << threads << " threads";
  }
}

TEST(ThreadedGridFilesTest, TheNilePosteriorReportGridAndPlotsAreTheSameOnOneTwoAndFourThreads) {
  const std::vector<std::string> files = {"build/nile-posterior.pos", "build/nile-posterior.grd",
                                          "build/nile-posterior-plot2.svg", "build/nile-posterior-bivariate.png"};
  const auto one = testing::RunExampleScript("nile-posterior.txt", files, "1");
  for (const std::string threads : {"2", "4"}) {
    const auto more = testing::RunExampleScript("nile-posterior.txt", files, threads);
    for (const std::string& file : files) {
      ASSERT_FALSE(one.at(file).empty()) << file;
      EXPECT_TRUE(more.at(file) == one.at(file)) << file << " differs on " << threads << " threads";
    }
  }
}

}  // namespace
}  // namespace quorvane
