// Reading a model's estimates back from its covariance results file, and
// refusing files whose layout the fixed positions do not fit.
#include <gtest/gtest.h>

#include "multimodel/covariance_file_estimates.h"
#include "multimodel/covariance_report_fixture.h"

namespace quorvane {
namespace {

using testing::CovarianceReportLines;

TEST(CovarianceFileEstimatesTest, ReadsValuesAndErrorsAtTheirPositions) {
  const auto lines = CovarianceReportLines({0.5, -1234.5678, 1899},
                                           {{1, {0.01, -1, 0.03}}, {2, {12.5, 13.5, 14.5}}});
  ASSERT_EQ(lines[3 + 19 - 1], kCovarianceStandardErrorHeading);  // the heading at P + 19
  const auto read = ReadCovarianceEstimates(lines, 3, {1, 2});
  ASSERT_TRUE(std::holds_alternative<ModelEstimates>(read)) << std::get<std::string>(read);
  const ModelEstimates& m = std::get<ModelEstimates>(read);
  // The report writes 8 significant digits.
  EXPECT_NEAR(m.Value[0], 0.5, 1e-12);
  EXPECT_NEAR(m.Value[1], -1234.5678, 1e-9);
  EXPECT_NEAR(m.Value[2], 1899, 1e-9);
  EXPECT_EQ(m.StandardError[0], (std::array<double, 3>{0.01, -1, 0.03}));
  EXPECT_EQ(m.StandardError[1], (std::array<double, 3>{12.5, 13.5, 14.5}));
  EXPECT_EQ(m.StandardError[2], (std::array<double, 3>{0, 0, 0}));  // held fixed
}

TEST(CovarianceFileEstimatesTest, RefusesFilesTheFixedPositionsDoNotFit) {
  const auto good = CovarianceReportLines({0.5, 2.0, 3.0}, {{1, {0.1, 0.1, 0.1}}, {3, {0.2, 0.2, 0.2}}});
  auto savedTwice = good;
  savedTwice.insert(savedTwice.begin(), {"Originally saved with the file name: again.cov", ""});
  auto edited = good;
  edited.erase(edited.begin() + 6);  // a parameter line removed
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    int P;
    std::vector<int> free;
    const char* reasonContains;
  };
  const Case cases[] = {
      {"saved twice", savedTwice, 3, {1, 3}, "line 3"},
      {"edited", edited, 3, {1, 3}, "line 22"},
      {"another parameter count", good, 4, {1, 3}, "line 23"},
      {"a parameter the model did not estimate", good, 3, {1, 2}, "line 24"},
      {"fewer standard errors than the model's K", good, 3, {1, 2, 3}, "line 25"},
      {"truncated", std::vector<std::string>(good.begin(), good.begin() + 10), 3, {1, 3}, "fewer lines"},
  };
  for (const Case& c : cases) {
    const auto read = ReadCovarianceEstimates(c.lines, c.P, c.free);
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.what;
    EXPECT_NE(std::get<std::string>(read).find(c.reasonContains), std::string::npos)
        << c.what << ": " << std::get<std::string>(read);
  }
}

}  // namespace
}  // namespace quorvane
