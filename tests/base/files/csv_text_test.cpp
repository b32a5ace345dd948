#include "base/files/csv_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace quorvane {
namespace {

TEST(CsvTextTest, QuotesAFieldOnlyWhenItMust) {
  const struct {
    const char* text;
    const char* written;
  } cases[] = {
      {"Front", "Front"},
      {"lower 95%", "lower 95%"},
      {"flow, m3", "\"flow, m3\""},
      {"the \"b\"", "\"the \"\"b\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {" padded", "\" padded\""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.written) << c.text;
  CsvText csv({"Time", "a, b"});
  csv.AddRow({"1983-02", "1.5"});
  EXPECT_EQ(csv.Text(), "Time,\"a, b\"\r\n1983-02,1.5\r\n");
}

// Numbers are written in the shortest form that reads back as the same
// double, so an exported table loses nothing.
TEST(CsvTextTest, NumbersReadBackBitForBit) {
  std::mt19937_64 random(20240531);
  std::uniform_real_distribution<double> exponent(-300.0, 300.0);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  for (int i = 0; i < 10000; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const std::string text = CsvNumber(value);
    double back = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(back, value) << text;
    ASSERT_EQ(text.find(','), std::string::npos);
  }
  EXPECT_EQ(CsvNumber(1120.0), "1120");
  EXPECT_EQ(CsvNumber(3518.5837720206), "3518.5837720206");
  EXPECT_EQ(CsvNumber(0.1), "0.1");
  EXPECT_EQ(CsvNumber(std::numeric_limits<double>::infinity()), "Inf");
  EXPECT_EQ(CsvNumber(-std::numeric_limits<double>::infinity()), "-Inf");
  EXPECT_EQ(CsvNumber(std::nan("")), "");
  EXPECT_EQ(CsvNumber(std::optional<double>()), "");
}

}  // namespace
}  // namespace quorvane
