#include "base/format/right_justify.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quorvane {
namespace {

TEST(RightJustifyTest, PadsOnTheLeftOrKeepsTheLeftmostCharacters) {
  const struct {
    const char* text;
    double width;
    const char* expected;
  } cases[] = {
      {"abc", 5, "  abc"},
      {"abcdef", 4, "abcd"},
      {"abc", 3, "abc"},
      {"abc", 0, ""},
      {"", 3, "   "},
      {"123456789012345", 14, "12345678901234"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RightJustify(c.text, c.width), c.expected)
        << '"' << c.text << "\" width " << c.width;
  }
}

TEST(RightJustifyTest, WidthRoundsToNearestHalvesToEven) {
  const struct {
    double width;
    std::size_t positions;
  } cases[] = {
      {2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {2.4, 2}, {2.6, 3},
      {2.0000001, 2}, {-1, 0}, {-2.5, 0}, {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RightJustify("", c.width).size(), c.positions) << c.width;
  }
  EXPECT_EQ(RightJustify("abcdef", 3.5), "abcd");
  EXPECT_EQ(RightJustify("abcdef", 2.5), "ab");
}

TEST(RightJustifyTest, NumbersUsePlainNumberText) {
  EXPECT_EQ(RightJustify(-2.5, 6), "  -2.5");
  EXPECT_EQ(RightJustify(0.00001, 7), "  1E-05");
  EXPECT_EQ(RightJustify(0.1 + 0.2, 4), " 0.3");
  EXPECT_EQ(RightJustify(1.23456789012345678, 14), "1.234567890123");
  EXPECT_EQ(RightJustify(42, 4), "  42");
  EXPECT_EQ(RightJustify(short{-7}, 3), " -7");
  EXPECT_EQ(RightJustify(123456789012345LL, 14), "12345678901234");
  EXPECT_EQ(RightJustify(7u, 2), " 7");
}

TEST(RightJustifyTest, TextArgumentsPickTheTextOverload) {
  const char* pointer = "12";
  EXPECT_EQ(RightJustify(pointer, 4), "  12");
  EXPECT_EQ(RightJustify(std::string("xy"), 3), " xy");
}

}  // namespace
}  // namespace quorvane
