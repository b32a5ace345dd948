#pragma once

namespace quorvane {

// The text the diagnostics print for a p-value below 0.0001.
inline constexpr const char* kPValueBelowLimitText = "<0.0001";

// A p-value as the diagnostics report it: a number, or the text
// kPValueBelowLimitText.
struct PValue {
  bool BelowLimit = false;  // the answer is the text "<0.0001"
  double Value = 0.0;       // p, when not BelowLimit
};

// The p-value of a Student t statistic with df degrees of freedom, one- or
// two-sided (tails = 1 or 2). df is capped at 999 and taken as at least 1.
// The distribution function F(|t|) is the t density
//   f(x) = Gamma((df+1)/2) / (Gamma(df/2) sqrt(df pi)) (1 + x^2/df)^(-(df+1)/2)
// integrated by Simpson's rule with 2M intervals from -U to |t|, where
//   df 1: U = 10000, M = 20000    df 2: U = 2000, M = 20000
//   df 3: U = 100,   M = 10000    df 4: U = 50,   M = 5000    df >= 5: U = 20, M = 2000;
// p = 1 - F, or 2 (1 - F) for two tails. |t| >= U, or p < 0.0001, gives
// the text "<0.0001". The mass below -U is left out, so p runs high by up to
// 2/(pi U) = 6.4e-5 (two-sided, df 1), and a t of 0 gives p a little above 1.
PValue TTestPValue(double t, long df, int tails);

}  // namespace quorvane
