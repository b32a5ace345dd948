#include <gtest/gtest.h>

#include "covariance/hessian_grid.h"

namespace quorvane {
namespace {

TEST(TimeRemainingTextTest, MinutesThenTwoDigitSeconds) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {187, "3:07"}, {65, "1:05"}, {0, "0:00"}, {59, "0:59"}, {600, "10:00"}, {-3, "0:00"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(TimeRemainingText(seconds), text) << seconds;
}

}  // namespace
}  // namespace quorvane
