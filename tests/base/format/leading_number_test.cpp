#include "base/format/leading_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

TEST(LeadingNumberTest, ReadsTheLeadingNumericPart) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},          {"abc", 0},        {"  12", 12},     {"12abc", 12},  {"-3.5", -3.5},
      {"+4", 4},        {".5", 0.5},       {"1E3", 1000},    {"2.5e-2x", 0.025},
      {"7E", 7},        {"7E+", 7},        {"1,5", 1},       {"-", 0},       {"-0", 0},
      {"1968", 1968},   {" 5 6", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
  EXPECT_FALSE(std::signbit(LeadingNumber("-0")));
}

// Beyond the range of a double a number is infinite when too large, and 0
// when too small even for a subnormal (it used to read as infinite too).
TEST(LeadingNumberTest, ReadsNumbersBeyondTheRangeOfADouble) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1e999", HUGE_VAL},       {"-2.5E+400", -HUGE_VAL}, {"123456e305", HUGE_VAL},
      {"1e-999", 0},             {"-1e-330", 0},           {"0.00012e-330", 0},
      {"98765e-330", 0},         {"1e-99999999999", 0},    {"1e+99999999999", HUGE_VAL},
      {"1e-310", 1e-310},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
  EXPECT_FALSE(std::signbit(LeadingNumber("-1e-999")));
}

}  // namespace
}  // namespace quorvane
