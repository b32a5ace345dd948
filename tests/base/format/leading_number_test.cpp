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

}  // namespace
}  // namespace quorvane
