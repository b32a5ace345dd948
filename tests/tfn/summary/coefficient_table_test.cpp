// The coefficient table's rows: fused groups once with their members, an
// estimate on a limit of its region without a test, and the text without
// covariance results.
#include <gtest/gtest.h>

#include <cmath>

#include "tfn/summary/coefficient_table.h"
#include "tfn/summary/summary_review_sections.h"

namespace quorvane {
namespace {

AlgorithmData Parameters() {
  AlgorithmData data;
  data.ParameterCount = 5;
  data.Values = {0.9999995, 0.2, 10.0, 0.2, 1875.0};
  // Theta( 1) (2) and Omega( 0) (4) fused: the follower has step 0.
  data.Steps = {0.05, 0.05, 0.5, 0.0, 0.0};
  data.FuseCodes = {"~~", "AB", "~~", "AB", "~~"};
  data.Descriptions = {"Phi( 1) [0; -1 < Phi < +1]", "Theta( 1) [0; -1 < Theta < +1]",
                       "Intercept (at first time period) for group 1 [0; any real number]",
                       "Omega( 0) for Intervention 1 of Group 1 [0; any real number]",
                       "Starting time period for Intervention 1 of Group 1 [0; any + integer] (Step size MUST=0)"};
  return data;
}

TEST(CoefficientTableTest, RowsForFusedGroupsLimitsAndMissingErrors) {
  const AlgorithmData data = Parameters();
  const std::vector<double> estimates(data.Values.begin(), data.Values.end());
  CovarianceStandardErrors errors;
  errors.Grid = 2;
  errors.GridFactor = 0.1;
  errors.Values = estimates;
  errors.StandardError = {0.001, 0.05, std::nullopt, std::nullopt, std::nullopt};
  const CoefficientTable table = BuildCoefficientTable(data, estimates, &errors, {{1, "stationary"}});

  ASSERT_EQ(table.Rows.size(), 3u);  // the free parameters 1, 2, 3
  const CoefficientRow& phi = table.Rows[0];
  EXPECT_EQ(phi.Name, "Phi( 1)");
  EXPECT_EQ(phi.StandardError, 0.001);
  EXPECT_EQ(phi.LimitRegion, "stationary");
  EXPECT_FALSE(phi.Z || phi.P || phi.Lower || phi.Upper);

  const CoefficientRow& theta = table.Rows[1];
  EXPECT_EQ(theta.FuseCode, "AB");
  EXPECT_EQ(theta.FusedMembers, std::vector<int>{4});
  EXPECT_DOUBLE_EQ(*theta.Z, 4.0);
  EXPECT_DOUBLE_EQ(*theta.P, std::erfc(4.0 / std::sqrt(2.0)));
  EXPECT_DOUBLE_EQ(*theta.Lower, 0.2 - 1.959963984540054 * 0.05);

  const CoefficientRow& intercept = table.Rows[2];
  EXPECT_EQ(intercept.Name, "Intercept (at first time period) for group 1");
  EXPECT_FALSE(intercept.StandardError || intercept.Z);

  std::string text;
  WriteCoefficientTableSection(text, table);
  EXPECT_NE(text.find("Estimates with standard errors from grid 2 (grid factor 0.1) of the numerical covariance "
                      "analysis:\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("   Phi( 1)  (on the limit of the stationary region)\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n         fused (code AB) with parameter 4, which takes its value\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("An estimate on the limit of its region has no z, p or interval"), std::string::npos);
}

TEST(CoefficientTableTest, WithoutCovarianceResultsTheTableSaysHowToGetThem) {
  const AlgorithmData data = Parameters();
  const std::vector<double> estimates(data.Values.begin(), data.Values.end());
  std::string text;
  WriteCoefficientTableSection(text, BuildCoefficientTable(data, estimates, nullptr, {}));
  EXPECT_EQ(text.rfind("Estimates with standard errors: there are no covariance results for these estimates.\r\n"
                       "     Choose \"Single model covariances\" in the main menu",
                       0),
            0u)
      << text;
}

TEST(CoefficientTableTest, NamesWithoutTheirRanges) {
  EXPECT_EQ(ParameterName("Phi( 1) [0; -1 < Phi < +1]"), "Phi( 1)");
  EXPECT_EQ(ParameterName("Logit[Delta( 2) for Intervention 1 of Group 1 [0; -1 < Delta < +1]]"),
            "Logit[Delta( 2) for Intervention 1 of Group 1]");
  EXPECT_EQ(ParameterName("Code for Intervention 1 of Group 1 [None=0; Step=1] (Step size MUST=0)"),
            "Code for Intervention 1 of Group 1 (Step size MUST=0)");
  EXPECT_EQ(ParameterName("Parameter 3"), "Parameter 3");
}

TEST(CoefficientTableTest, SignificantDigitsInFixedAndExponentForm) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{0.16010049, "0.160100"}, {1098.551327, "1098.55"},  {-249.11296, "-249.113"},
                        {0.0000123456, "1.23456E-05"}, {12345678.9, "1.23457E+07"}, {0.0, "0"},
                        {0.00098620, "0.000986200"}, {2.0, "2.00000"}};
  for (const Case& c : cases) EXPECT_EQ(SignificantText(c.value, 6), c.text) << c.value;
}

}  // namespace
}  // namespace quorvane
