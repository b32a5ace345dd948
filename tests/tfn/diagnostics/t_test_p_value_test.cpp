#include "tfn/diagnostics/t_test_p_value.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tfn/diagnostics/student_t_closed_form.h"

namespace quorvane {
namespace {

using testing::StudentTTwoSidedP;

double Limit(long df) {
  switch (df) {
    case 1: return 10000;
    case 2: return 2000;
    case 3: return 100;
    case 4: return 50;
    default: return 20;
  }
}

TEST(TTestPValueTest, AgreesWithTheClosedFormForOneAndTwoDegreesOfFreedom) {
  // df 1 (Cauchy): p = 1 - (2/pi) atan|t|. The mass below -10000 (6.4e-5)
  // and Simpson's error at a step of 0.25 (up to 8e-5) partly cancel: at
  // most 7.4e-5 up to |t| = 1000. Nearer the limit the step grows to 0.5
  // and the error to 2e-3, so the check stops at 1000.
  for (double t = 0; t <= 1000; t = t < 10 ? t + 0.125 : t * 1.1) {
    const PValue p = TTestPValue(t, 1, 2);
    ASSERT_FALSE(p.BelowLimit) << t;
    EXPECT_NEAR(p.Value, 1 - 2 / (4 * std::atan(1.0)) * std::atan(t), 1e-4) << t;
  }
  // df 2: p = 1 - |t| / sqrt(2 + t^2); measured error 2.6e-7 at most.
  for (double t = 0; t < 2000; t = t < 10 ? t + 0.125 : t * 1.1) {
    const PValue p = TTestPValue(-t, 2, 2);
    const double expected = 1 - t / std::sqrt(2 + t * t);
    if (expected < 2e-4) break;
    ASSERT_FALSE(p.BelowLimit) << t;
    EXPECT_NEAR(p.Value, expected, 1e-6) << t;
  }
}

TEST(TTestPValueTest, IntegratesFromItsLimitForEachDegreeOfFreedom) {
  // What the routine integrates exactly: the density from -U to |t|, so
  // p = P(|T| > t) + P(|T| > U). With these steps Simpson's error is below
  // 1e-10 (measured 4e-11); the mass P(|T| > U) is 2.2e-6 for df 3,
  // 9.6e-7 for df 4 and 5.8e-6 for df 5, so p(0) - 1 shows U per df.
  // df 2000 is taken as 999.
  const long dfs[] = {3, 4, 5, 10, 30, 999, 2000};
  for (const long df : dfs) {
    const long used = df > 999 ? 999 : df;
    const double beyondLimit = StudentTTwoSidedP(Limit(used), used);
    for (double t = 0; t < 8; t += 0.25) {
      const PValue p = TTestPValue(t, df, 2);
      const double expected = StudentTTwoSidedP(t, used) + beyondLimit;
      if (expected < 1e-4) {
        EXPECT_TRUE(p.BelowLimit) << "df " << df << " t " << t;
        continue;
      }
      ASSERT_FALSE(p.BelowLimit) << "df " << df << " t " << t;
      EXPECT_NEAR(p.Value, expected, 1e-9) << "df " << df << " t " << t;
    }
  }
  EXPECT_EQ(TTestPValue(2.5, 2000, 2).Value, TTestPValue(2.5, 999, 2).Value);
  EXPECT_NE(TTestPValue(2.5, 998, 2).Value, TTestPValue(2.5, 999, 2).Value);
}

TEST(TTestPValueTest, StatisticsAtOrBeyondTheLimitGiveTheText) {
  for (const long df : {1L, 2L, 3L, 4L, 5L, 10L, 999L}) {
    EXPECT_TRUE(TTestPValue(Limit(df), df, 2).BelowLimit) << df;
    EXPECT_TRUE(TTestPValue(-Limit(df), df, 1).BelowLimit) << df;
  }
  EXPECT_TRUE(TTestPValue(25, 10, 2).BelowLimit);
  // The lower limit of the integral shows at t = 0 as p - 1 = P(|T| > U):
  // 2 / (pi 10000) = 6.37e-5 for df 1 (plus 2.3e-6 of Simpson's error at
  // this step) and 1 - 2000 / sqrt(2 + 2000^2) = 2.5e-7 for df 2.
  EXPECT_NEAR(TTestPValue(0, 1, 2).Value - 1, StudentTTwoSidedP(10000, 1), 5e-6);
  EXPECT_NEAR(TTestPValue(0, 2, 2).Value - 1, StudentTTwoSidedP(2000, 2), 1e-9);
  // Small p inside the limit is given as the text as well.
  EXPECT_TRUE(TTestPValue(5, 30, 2).BelowLimit);
  EXPECT_FALSE(TTestPValue(4, 30, 2).BelowLimit);
  EXPECT_STREQ(kPValueBelowLimitText, "<0.0001");
}

TEST(TTestPValueTest, OneTailIsHalfOfTwo) {
  for (const long df : {1L, 4L, 25L}) {
    const PValue one = TTestPValue(1.3, df, 1);
    const PValue two = TTestPValue(1.3, df, 2);
    EXPECT_NEAR(one.Value, two.Value / 2, 1e-15) << df;
  }
}

}  // namespace
}  // namespace quorvane
