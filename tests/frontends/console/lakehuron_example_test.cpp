// The Lake Huron posterior example, 390,625 grid nodes of a model that
// takes a few microseconds: the workers take them in blocks of dozens, and
// the report saved is the same, byte for byte, on one thread and on two.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/console_run.h"

namespace quorvane {
namespace {

TEST(LakeHuronExampleTest, ThePosteriorReportIsTheSameOnOneAndTwoThreads) {
  const std::vector<std::string> files = {"build/lakehuron-posterior.pos"};
  const auto one = testing::RunExampleScript("lakehuron-posterior.txt", files, "1");
  const auto two = testing::RunExampleScript("lakehuron-posterior.txt", files, "2");
  const std::string& report = one.at(files[0]);
  ASSERT_NE(report.find("Bayesian posterior distribution data"), std::string::npos) << report;
  EXPECT_TRUE(two.at(files[0]) == report) << "the report differs on two threads";
}

}  // namespace
}  // namespace quorvane
