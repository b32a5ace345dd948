#include "core/objective_scale.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct ScaleCase {
  const char* what;
  std::optional<double> constant;
  double F0;
  std::int32_t NOBS, freeCount;
  std::optional<double> expected;
};

TEST(FixedObjectiveScaleTest, FollowsTheModelConstantOrTheSumOfSquares) {
  const ScaleCase cases[] = {
      {"model objective is -ln[L]", 1.0, -250.0, 100, 3, 1.0},
      {"model constant 2", 2.0, 10.0, 0, 0, 0.5},
      {"non-positive constant", 0.0, 10.0, 100, 3, std::nullopt},
      // S0 = 48 over 100 observations and 3 free: 2*48/96 = 1.
      {"sum of squares", std::nullopt, 48.0, 100, 3, 1.0},
      {"no degrees of freedom", std::nullopt, 48.0, 4, 3, std::nullopt},
      {"negative objective", std::nullopt, -1.0, 100, 3, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto scale = FixedObjectiveScale(c.constant, c.F0, c.NOBS, c.freeCount);
    ASSERT_EQ(scale.has_value(), c.expected.has_value()) << c.what;
    if (scale) {
      EXPECT_DOUBLE_EQ(*scale, *c.expected) << c.what;
    }
  }
}

}  // namespace
}  // namespace quorvane
