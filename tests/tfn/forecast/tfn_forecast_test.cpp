// Forecasts of the time-series model in closed form: each case sets up one
// series, evaluates the model at fixed values (NF = 1, as the forecast
// command does) and checks every period ahead on both scales.
#include "tfn/forecast/tfn_forecast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tfn/forecast/scale_transform.h"
#include "tfn/series_file_fixture.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::SeriesFile;
using testing::TfnModelHarness;

constexpr double kZ = kForecastZ;

// Parameters of one series, lag order 1, one group (layout: Phi(1),
// Theta(1), intercept, then per intervention start, code, Omega(0),
// Omega(1), Delta(1)).
struct Fixture {
  TfnModelHarness h;
  std::vector<double> y;  // periods 1..N

  Fixture(const std::string& file, std::vector<double> values, int interventions, int d = 0,
          SeriesTransformation how = SeriesTransformation::None, double lambda = 1, double constant = 0)
      : y(std::move(values)) {
    std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
    for (size_t t = 0; t < y.size(); ++t) {
      char field[16];
      std::snprintf(field, sizeof field, "%.4f", y[t]);
      rows.push_back({std::to_string(t + 1), field});
    }
    TfnSetup s;
    s.Response = {SeriesFile(file, rows), 1, static_cast<std::int16_t>(y.size()), 1, 1,
                  static_cast<std::int16_t>(d), how, lambda, constant};
    s.GroupCount = 1;
    s.GroupFirst[0] = s.GroupLast[0] = 1;
    s.Interventions[0] = static_cast<std::int16_t>(interventions);
    s.LagOrder = 1;
    s.EstimateLogits = false;
    h.SetUp(s);
  }
  void Set(int i, double value, double step = 0.1) {
    h.P[i] = value;
    h.STP[i] = value != 0.0 ? step : 0.0;
  }
  TfnForecast Forecast(int periods) {
    h.Evaluate(1);
    return ForecastTfnModel(h.model, h.P, h.STP, periods);
  }
  int N() const { return static_cast<int>(y.size()); }
};

const std::vector<double> kSeries = {10.3, 11.1, 9.4, 8.8, 10.9, 12.0, 11.2, 10.1, 9.0, 9.7,
                                     10.8, 11.5, 10.2, 9.1, 10.6, 11.9};

// Expected forecast and standard error at h, given sigma.
using Expected = std::function<std::pair<double, double>(int h, double sigma)>;

struct ClosedFormCase {
  const char* name;
  std::function<void(Fixture&)> parameters;
  int interventions;
  int d;
  // sigma^2 = SUMSQ / n in closed form, from the fixture's values.
  std::function<double(const Fixture&)> sigma2;
  Expected analysed;
  Expected original;  // the level for d = 1; empty: same as analysed
};

double Square(double x) { return x * x; }

TEST(TfnForecastTest, ClosedForms) {
  const double phi = 0.6, mu = 10.4, theta = 0.5;
  const std::vector<ClosedFormCase> cases = {
      {"AR(1) with mean",
       [&](Fixture& f) { f.Set(1, phi); f.Set(3, mu); }, 0, 0,
       [&](const Fixture& f) {
         // (1 - phi^2)(y1 - mu)^2 + sum of (y_t - mu - phi (y_{t-1} - mu))^2
         double s = (1 - phi * phi) * Square(f.y[0] - mu);
         for (size_t t = 1; t < f.y.size(); ++t) s += Square(f.y[t] - mu - phi * (f.y[t - 1] - mu));
         return s / f.y.size();
       },
       [&](int h, double sigma) {
         return std::pair{mu + std::pow(phi, h) * (kSeries.back() - mu),
                          sigma * std::sqrt((1 - std::pow(phi, 2 * h)) / (1 - phi * phi))};
       },
       nullptr},
      {"MA(1) from the exact final state",
       [&](Fixture& f) { f.Set(2, theta); f.Set(3, mu); }, 0, 0,
       // The innovations algorithm: v_0 = 1 + theta^2, v_t = 1 + theta^2 -
       // theta^2 / v_{t-1}; e_t = w_t + theta e_{t-1} / v_{t-2}, the
       // prediction of w_{t+1} being -theta e_t / v_{t-1}.
       [&](const Fixture& f) {
         double v = 1 + theta * theta, e = 0, s = 0, vPrev = 1;
         for (size_t t = 0; t < f.y.size(); ++t) {
           const double pred = t == 0 ? 0 : -theta * e / vPrev;
           e = f.y[t] - mu - pred;
           s += e * e / v;
           vPrev = v;
           v = 1 + theta * theta - theta * theta / v;
         }
         return s / f.y.size();
       },
       [&](int h, double sigma) {
         double v = 1 + theta * theta, e = 0, vPrev = 1;
         for (size_t t = 0; t < kSeries.size(); ++t) {
           const double pred = t == 0 ? 0 : -theta * e / vPrev;
           e = kSeries[t] - mu - pred;
           vPrev = v;
           v = 1 + theta * theta - theta * theta / v;
         }
         if (h == 1) return std::pair{mu - theta * e / vPrev, sigma * std::sqrt(v)};
         return std::pair{mu, sigma * std::sqrt(1 + theta * theta)};
       },
       nullptr},
      {"white noise with a step that stays on",
       [&](Fixture& f) { f.Set(3, 9.0); f.Set(4, 5, 0); f.Set(5, 1, 0); f.Set(6, 1.5); }, 1, 0,
       [&](const Fixture& f) {
         double s = 0;
         for (size_t t = 0; t < f.y.size(); ++t) s += Square(f.y[t] - (t + 1 >= 5 ? 10.5 : 9.0));
         return s / f.y.size();
       },
       [&](int, double sigma) { return std::pair{10.5, sigma}; }, nullptr},
      {"white noise with a trend that keeps rising",
       [&](Fixture& f) { f.Set(3, 9.0); f.Set(4, 12, 0); f.Set(5, 3, 0); f.Set(6, 0.25); }, 1, 0,
       [&](const Fixture& f) {
         double s = 0;
         for (size_t t = 0; t < f.y.size(); ++t)
           s += Square(f.y[t] - 9.0 - (t + 1 >= 12 ? 0.25 * (t + 1 - 12 + 1) : 0.0));
         return s / f.y.size();
       },
       [&](int h, double sigma) { return std::pair{9.0 + 0.25 * (16 + h - 12 + 1), sigma}; }, nullptr},
      {"a pulse that decays through its transfer function",
       [&](Fixture& f) { f.Set(3, 10.0); f.Set(4, 14, 0); f.Set(5, 2, 0); f.Set(6, 2.0); f.Set(8, 0.5); },
       1, 0,
       [&](const Fixture& f) {
         double s = 0;
         for (size_t t = 0; t < f.y.size(); ++t)
           s += Square(f.y[t] - 10.0 - (t + 1 >= 14 ? 2.0 * std::pow(0.5, t + 1 - 14) : 0.0));
         return s / f.y.size();
       },
       [&](int h, double sigma) { return std::pair{10.0 + 2.0 * std::pow(0.5, 16 + h - 14), sigma}; },
       nullptr},
      {"random walk with drift (d = 1, order 0)",
       [&](Fixture& f) { f.Set(3, 0.1); }, 0, 1,
       [&](const Fixture& f) {
         double s = 0;
         for (size_t t = 1; t < f.y.size(); ++t) s += Square(f.y[t] - f.y[t - 1] - 0.1);
         return s / (f.y.size() - 1);
       },
       [&](int, double sigma) { return std::pair{0.1, sigma}; },
       [&](int h, double sigma) { return std::pair{kSeries.back() + 0.1 * h, sigma * std::sqrt(h)}; }},
  };
  for (const ClosedFormCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f("closed_form.dat", kSeries, c.interventions, c.d);
    c.parameters(f);
    const TfnForecast forecast = f.Forecast(7);
    // sigma^2 from sums of a few squares: 1e-12 relative.
    const double sigma2 = c.sigma2(f);
    EXPECT_NEAR(forecast.Sigma2, sigma2, 1e-12 * sigma2);
    const double sigma = std::sqrt(sigma2);
    ASSERT_EQ(forecast.Horizon, 7);
    ASSERT_EQ(forecast.Series.size(), 1u);
    const SeriesForecast& s = forecast.Series[0];
    ASSERT_EQ(s.Analysed.size(), 7u);
    ASSERT_EQ(s.Original.size(), 7u) << s.OriginalNote;
    for (int h = 1; h <= 7; ++h) {
      const auto check = [&](const ForecastRow& row, const Expected& expected, const char* scale) {
        const auto [mean, se] = expected(h, sigma);
        // Recursions of 16 steps in double: 1e-10.
        EXPECT_EQ(row.Period, 16 + h) << scale;
        EXPECT_NEAR(row.Forecast, mean, 1e-10) << scale << " h " << h;
        EXPECT_NEAR(row.StandardError, se, 1e-10) << scale << " h " << h;
        EXPECT_NEAR(row.Lower, mean - kZ * se, 1e-9) << scale << " h " << h;
        EXPECT_NEAR(row.Upper, mean + kZ * se, 1e-9) << scale << " h " << h;
      };
      check(s.Analysed[static_cast<size_t>(h - 1)], c.analysed, "analysed");
      check(s.Original[static_cast<size_t>(h - 1)], c.original ? c.original : c.analysed, "original");
    }
  }
}

// sigma^2 is where the exact likelihood in sigma^2 is largest: the
// Gaussian -ln L(sigma^2) = (n/2) ln sigma^2 + SUMSQ / (2 sigma^2) + const
// rises on both sides of it.
TEST(TfnForecastTest, InnovationVarianceMaximisesTheExactLikelihood) {
  Fixture f("sigma.dat", kSeries, 0);
  f.Set(1, 0.8);
  f.Set(3, 10.0);
  const TfnForecast forecast = f.Forecast(1);
  const TfnBestEvaluation& best = f.h.model.Best();
  const auto minusLnL = [&](double s2) { return 8.0 * std::log(s2) + best.SumSq[1] / (2 * s2); };
  EXPECT_LT(minusLnL(forecast.Sigma2), minusLnL(forecast.Sigma2 * 1.001));
  EXPECT_LT(minusLnL(forecast.Sigma2), minusLnL(forecast.Sigma2 / 1.001));
  // FACT x SUMSQ / n holds the determinant too: (1/(1 - 0.64))^(1/16) larger.
  EXPECT_NEAR(best.Fact[1] * best.SumSq[1] / 16 / forecast.Sigma2, std::pow(1 / 0.36, 1.0 / 16), 1e-12);
}

// Box-Cox with lambda 0 analyses logarithms: the original-scale forecast is
// the exponential of the log forecast (the median) and its limits the
// exponentials of the log limits; no standard error is given there.
TEST(TfnForecastTest, BoxCoxLambdaZeroLimitsAreExponentialsOfTheLogLimits) {
  for (const double constant : {0.0, 2.0}) {
    SCOPED_TRACE(constant);
    Fixture f("boxcox.dat", kSeries, 0, 0, SeriesTransformation::BoxCox, 0.0, constant);
    f.Set(1, 0.5);
    f.Set(3, std::log(10.4 + constant));
    const TfnForecast forecast = f.Forecast(5);
    const SeriesForecast& s = forecast.Series[0];
    ASSERT_EQ(s.Original.size(), 5u);
    for (size_t h = 0; h < 5; ++h) {
      const ForecastRow& log = s.Analysed[h];
      const ForecastRow& raw = s.Original[h];
      EXPECT_NEAR(raw.Forecast, std::exp(log.Forecast) - constant, 1e-12);
      EXPECT_NEAR(raw.Lower, std::exp(log.Lower) - constant, 1e-12);
      EXPECT_NEAR(raw.Upper, std::exp(log.Upper) - constant, 1e-12);
      EXPECT_TRUE(std::isnan(raw.StandardError));
    }
  }
}

TEST(TfnForecastTest, ABoxCoxLowerLimitBelowTheRangeIsTheBoundOfTheValues) {
  SeriesFileChoice choice;
  choice.Transformation = SeriesTransformation::BoxCox;
  choice.BoxCoxLambda = 0.5;
  choice.BoxCoxConstant = 3.0;
  EXPECT_EQ(UntransformValue(choice, -2.5), -3.0);  // 0.5 v + 1 < 0
  EXPECT_NEAR(UntransformValue(choice, 2.0), 4.0 - 3.0, 1e-15);
  choice.BoxCoxLambda = -1.0;
  EXPECT_TRUE(std::isinf(UntransformValue(choice, 1.5)));  // -v + 1 < 0: unbounded above
}

TEST(TfnForecastTest, FlatteningIsRefused) {
  std::vector<std::vector<std::string>> rows = {{"T", "A", "B"}};
  for (int t = 1; t <= 8; ++t) rows.push_back({std::to_string(t), std::to_string(t), std::to_string(2 * t)});
  TfnSetup s;
  s.Response = {SeriesFile("flat.dat", rows), 1, 8, 1, 2, 0, SeriesTransformation::None, 1, 0};
  s.Flattening = "Y";
  s.GroupCount = 1;
  s.GroupFirst[0] = 1;
  s.GroupLast[0] = 2;
  s.LagOrder = 1;
  TfnModelHarness h;
  h.SetUp(s);
  h.P[3] = 0.5;
  h.Evaluate(1);
  try {
    ForecastTfnModel(h.model, h.P, h.STP, 10);
    FAIL() << "flattening was not refused";
  } catch (const ForecastError& error) {
    EXPECT_EQ(error.Title, "No forecasts");
    EXPECT_NE(error.Text.find("removes the inter-series covariance"), std::string::npos);
  }
}

TEST(TfnForecastTest, RefusesValuesItWasNotEvaluatedAtAndBadPeriodCounts) {
  Fixture f("refuse.dat", kSeries, 0);
  f.Set(3, 10.0);
  f.h.Evaluate(1);
  EXPECT_THROW(ForecastTfnModel(f.h.model, f.h.P, f.h.STP, 0), ForecastError);
  EXPECT_THROW(ForecastTfnModel(f.h.model, f.h.P, f.h.STP, 1001), ForecastError);
  f.h.P[3] = 11.0;  // changed after the evaluation
  EXPECT_THROW(ForecastTfnModel(f.h.model, f.h.P, f.h.STP, 10), ForecastError);
}

// Under the exact likelihood of the values present the forecasts start
// from the filter's exact state, the last value missing or not. AR(1)
// noise (phi = 1/2) around G = 2, the values t mod 5 and period 12 missing:
// with d = 0 the forecast of period 12 + h is 2 + phi^(h+1) (x(11) - 2)
// with error variance sigma^2 (1 + phi^2 + ... + phi^(2h)); with d = 1 the
// level x(11) + (2 + phi w(11)) + (2 + phi^2 w(11)) at period 13, w(11) =
// x(11) - x(10) - 2, with error variance sigma^2 ((1 + phi)^2 + 1).
TEST(TfnForecastTest, AMissingLastValueIsForecastFromTheExactState) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= 12; ++t) rows.push_back({std::to_string(t), t == 12 ? "Missing" : std::to_string(t % 5)});
  for (const int d : {0, 1}) {
    SCOPED_TRACE(d);
    TfnSetup s;
    s.Response = {SeriesFile("missing_end_exact.dat", rows), 1, 12, 1, 1, static_cast<std::int16_t>(d),
                  SeriesTransformation::None, 1, 0};
    s.GroupCount = 1;
    s.GroupFirst[0] = s.GroupLast[0] = 1;
    s.LagOrder = 1;
    s.EstimateLogits = false;
    TfnModelHarness h;
    h.SetUp(s);
    h.P[1] = 0.5, h.STP[1] = 0.1;
    h.P[3] = 2.0, h.STP[3] = 0.1;
    h.Evaluate(1);
    const TfnForecast forecast = ForecastTfnModel(h.model, h.P, h.STP, 2);
    const SeriesForecast& series = forecast.Series[0];
    const double sigma2 = forecast.Sigma2;
    if (d == 0) {
      EXPECT_NEAR(series.Analysed[0].Forecast, 2.0 - 0.25, 1e-12);
      EXPECT_NEAR(series.Analysed[1].Forecast, 2.0 - 0.125, 1e-12);
      EXPECT_NEAR(series.Analysed[0].StandardError, std::sqrt(sigma2 * 1.25), 1e-12);
      EXPECT_NEAR(series.Analysed[1].StandardError, std::sqrt(sigma2 * (1.25 + 0.0625)), 1e-12);
    } else {
      ASSERT_EQ(series.Original.size(), 2u) << series.OriginalNote;
      EXPECT_NEAR(series.Original[0].Forecast, 1.0 + 1.5 + 1.75, 1e-12);
      EXPECT_NEAR(series.Original[0].StandardError, std::sqrt(sigma2 * 3.25), 1e-12);
    }
  }
}

// Counted as zero noise, a missing value is noise 0, as in the model: the
// forecast after a series whose last value is missing is the AR(1)
// forecast from the group prediction there, phi^h (0).
TEST(TfnForecastTest, AMissingLastValueIsNoiseZeroAndTheLevelCannotBeRebuilt) {
  std::vector<std::vector<std::string>> rows = {{"T", "Y"}};
  for (int t = 1; t <= 12; ++t) rows.push_back({std::to_string(t), t == 12 ? "Missing" : std::to_string(t % 5)});
  for (const int d : {0, 1}) {
    SCOPED_TRACE(d);
    TfnSetup s;
    s.Response = {SeriesFile("missing_end.dat", rows), 1, 12, 1, 1, static_cast<std::int16_t>(d),
                  SeriesTransformation::None, 1, 0};
    s.GroupCount = 1;
    s.GroupFirst[0] = s.GroupLast[0] = 1;
    s.LagOrder = 1;
    s.EstimateLogits = false;
    s.MissingValues = MissingValueTreatment::ZeroNoise;
    TfnModelHarness h;
    h.SetUp(s);
    h.P[1] = 0.5, h.STP[1] = 0.1;
    h.P[3] = 2.0, h.STP[3] = 0.1;
    h.Evaluate(1);
    const TfnForecast forecast = ForecastTfnModel(h.model, h.P, h.STP, 3);
    const SeriesForecast& series = forecast.Series[0];
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(series.Analysed[i].Forecast, 2.0, 1e-12);
    if (d == 1) {
      EXPECT_TRUE(series.Original.empty());
      EXPECT_NE(series.OriginalNote.find("period 12 is missing"), std::string::npos) << series.OriginalNote;
    }
  }
}

// A covariate acts through Omega(0) with backward shift b: the effect at
// End + h needs the covariate at End + h - b. With the file ending at the
// end period the forecasts reach b periods; with later records in the file
// they go on as far as the records do.
TEST(TfnForecastTest, CovariatesReachAsFarAsTheirFileAndTheirShift) {
  std::vector<std::vector<std::string>> response = {{"T", "Y"}}, covariate = {{"T", "X"}};
  const std::vector<double> x = {1, 3, 2, 5, 4, 6, 5, 7, 6, 8, 9, 7, 10, 8};  // periods 1..14
  for (int t = 1; t <= 10; ++t)
    response.push_back({std::to_string(t), std::to_string(10 + t % 3)});
  for (int extra : {0, 4}) {
    SCOPED_TRACE(extra);
    covariate.resize(1);
    for (int t = 1; t <= 10 + extra; ++t) covariate.push_back({std::to_string(t), std::to_string(static_cast<int>(x[static_cast<size_t>(t - 1)]))});
    TfnSetup s;
    s.Response = {SeriesFile("cov_y.dat", response), 1, 10, 1, 1, 0, SeriesTransformation::None, 1, 0};
    s.UseCovariates = true;
    s.Covariates = {SeriesFile("cov_x.dat", covariate), 1, 10, 1, 1, 0, SeriesTransformation::None, 1, 0};
    s.GroupCount = 1;
    s.GroupFirst[0] = s.GroupLast[0] = 1;
    s.LagOrder = 1;
    s.EstimateLogits = false;
    TfnModelHarness h;
    h.SetUp(s);
    // Layout: Phi, Theta, intercept 3, covariate block base 3: shift 4,
    // intercept 5, Omega(0) 6, Omega(1) 7, Delta(1) 8.
    h.P[3] = 11.0, h.STP[3] = 0.1;
    h.P[4] = 2.0;                    // backward shift 2
    h.P[5] = 4.0, h.STP[5] = 0.1;    // the covariate is centred on 4
    h.P[6] = 0.5, h.STP[6] = 0.1;
    h.Evaluate(1);
    const TfnForecast forecast = ForecastTfnModel(h.model, h.P, h.STP, 6);
    EXPECT_EQ(forecast.Horizon, extra == 0 ? 2 : 6);
    EXPECT_EQ(forecast.Notes.empty(), extra != 0);
    const SeriesForecast& series = forecast.Series[0];
    for (size_t i = 0; i < series.Analysed.size(); ++i) {
      const int t = 11 + static_cast<int>(i);
      EXPECT_NEAR(series.Analysed[i].Forecast, 11.0 + 0.5 * (x[static_cast<size_t>(t - 2 - 1)] - 4.0), 1e-12) << t;
    }
  }
}

}  // namespace
}  // namespace quorvane
