#include "base/format/plain_number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <limits>

namespace quorvane {
namespace {

TEST(PlainNumberTextTest, RealNumbers) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {0.00001, "1E-05"},
      {1.5e20, "1.5E+20"},
      {-1.5e20, "-1.5E+20"},
      {0.05, "0.05"},
      {0.0001, "0.0001"},
      {-0.0001, "-0.0001"},
      {0.000123, "0.000123"},
      {0.0000123, "1.23E-05"},
      {123456789012345.0, "123456789012345"},
      {1e14, "100000000000000"},
      {1e15, "1E+15"},
      {999999999999999.5, "1E+15"},  // rounding to 15 digits raises the exponent
      {1234567890123456.0, "1.23456789012346E+15"},
      {-2.5, "-2.5"},
      {0.1 + 0.2, "0.3"},
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {100.0, "100"},
      {1e-300, "1E-300"},
      {1.7976931348623157e308, "1.79769313486232E+308"},
      {1.23456789012345678, "1.23456789012346"},
      {-0.000099999999999999999, "-0.0001"},
      {12.5, "12.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlainNumberText(c.value), c.expected) << c.expected;
  }
}

TEST(PlainNumberTextTest, NonFiniteValues) {
  EXPECT_EQ(PlainNumberText(std::numeric_limits<double>::infinity()), "Inf");
  EXPECT_EQ(PlainNumberText(-std::numeric_limits<double>::infinity()), "-Inf");
  EXPECT_EQ(PlainNumberText(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(PlainNumberTextTest, WholeNumbersAreWrittenInFull) {
  EXPECT_EQ(PlainNumberText(0), "0");
  EXPECT_EQ(PlainNumberText(42), "42");
  EXPECT_EQ(PlainNumberText(-42), "-42");
  EXPECT_EQ(PlainNumberText(short{-7}), "-7");
  EXPECT_EQ(PlainNumberText(123456789L), "123456789");
  EXPECT_EQ(PlainNumberText(1234567890123456789LL), "1234567890123456789");
  EXPECT_EQ(PlainNumberText(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(PlainNumberText(ULLONG_MAX), "18446744073709551615");
  EXPECT_EQ(PlainNumberText(4000000000u), "4000000000");
}

TEST(PlainNumberTextTest, IgnoresLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  }
  EXPECT_EQ(PlainNumberText(-2.5), "-2.5");
  EXPECT_EQ(PlainNumberText(1.5e20), "1.5E+20");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace quorvane
