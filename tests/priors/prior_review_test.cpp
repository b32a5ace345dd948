// The review of the current values against the priors.
#include "priors/prior_review.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

constexpr const char* kTotalLead = "\r\n           The entire model has a prior -ln[L] of ";

TEST(PriorReview, ListsEachSetPriorWithItsScaledTermAndTheTotal) {
  PriorTable table;
  table.Reset(3);
  table.Rows[2].Type = "N";
  table.Rows[0].Type = "E";
  table.Terms = {0.5, 7.0, std::log(2.0) / 2.0};  // parameter 2 is U: not listed
  const OneBased<double> values{2.0, 0.0, 1.5};
  const std::string text = PriorReviewText(table, values, 2.0);  // scale 2: t = ln 2 for parameter 3
  EXPECT_NE(text.find("Parameter   3 at  1.500E+00 has a prior -ln[L] of     0.69 and a prior "
                      "likelihood of 0.500000\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Parameter   1 at  2.000E+00 has a prior -ln[L] of     1.00"), std::string::npos);
  EXPECT_EQ(text.find("Parameter   2"), std::string::npos);
  // 1 + ln 2: exp(-t) = 0.5/e.
  const std::string total = std::string(kTotalLead) + "    1.69 and a prior likelihood of 0.183940\r\n";
  EXPECT_EQ(text.substr(text.size() - total.size()), total);
}

TEST(PriorReview, AnAllUniformReviewListsNoParameter) {
  PriorTable table;
  table.Reset(2);
  const std::string text = PriorReviewText(table, OneBased<double>{1.0, 2.0}, 1.0);
  EXPECT_EQ(text.find("Parameter "), std::string::npos);
  EXPECT_EQ(text.rfind("Note: Here is a chance to review", 0), 0u);
  const std::string ending = "*.pdp files.\r\n\r\n" + std::string(kTotalLead) +
                             "    0.00 and a prior likelihood of 1.000000\r\n";
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

}  // namespace
}  // namespace quorvane
