// Seasonal models of monthly series, differenced at lags 1 and 12: the
// airline model (0,1,1)(0,1,1)12 and the seasonal AR model
// (1,1,0)(1,1,0)12 of the airline passengers, 1949-1960, on the logarithm
// of the series taken before differencing; and the airline model of the
// accidental deaths in the USA, 1973-1978, as read. The passengers' airline
// model is fitted from both forms of their file: months numbered 1 to 144,
// and the CSV form whose months are dates (1949-01 is period 12 x 1949).
// Simplex, then Marquardt, must reach the exact maximum-likelihood fit
// computed independently, and the grid-3 standard errors must agree with
// that fit's; the deaths' forecasts on their original scale too.
//
// The reference values were computed with numpy/scipy from the values of
// the differenced series w = (1 - B)(1 - B^12) x (x = ln y for the
// passengers), without any recursion: autocovariances of the product model
// from its psi weights (20000 terms), the n x n Toeplitz covariance matrix
// G (n = 131 for the passengers, 59 for the deaths) and its Cholesky
// factor, -ln[L] = (n/2) ln(w' G^-1 w / n) + (1/2) ln det G, minimised by
// Nelder-Mead and BFGS to 1e-13; standard errors from the inverse of a
// central-difference Hessian with Richardson extrapolation (steps 1e-3 and
// 5e-4); forecasts from the conditional distribution of the future
// differences given w under the dense covariance, summed back to levels
// (as in airline_forecast_console_test.cpp). R's arima (method "ML") gives
// the same estimates to 4 digits.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "covariance/covariance_results.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/forecast/tfn_forecast.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// The deaths' forecasts for 1979 from the independent fit: mean and
// standard error, months 73..84.
const double kDeathsForecast[][2] = {
    {8336.058892883331, 315.4568811576332}, {7531.81213197177, 363.01555584198246},
    {8314.634144963256, 405.02783076823977}, {8616.87770604284, 443.0742529310277},
    {9488.924720090068, 478.1025449879457}, {9859.75554081472, 510.7340731119405},
    {10907.49491801118, 541.4023858010559}, {10086.521182262204, 570.4242221931304},
    {9164.999123194604, 598.0393324675227}, {9384.278681154166, 624.4343785312933},
    {8884.99721020749, 649.7580649790543}, {9376.632533712691, 674.1311392591855},
};

struct AirlineCase {
  const char* name;
  const char* file;
  int first, last;  // the periods of the window
  bool logarithm;       // of the series as read, before differencing
  bool autoregressive;  // Phi(1) and Phi_s(1); else Theta(1) and Theta_s(1)
  double start;
  double regular, seasonal, objective;  // the independent fit
  double regularSe, seasonalSe;
  const double (*forecast)[2];  // 12 months ahead, or nothing
};

const AirlineCase kCases[] = {
    {"AirlineModel", "airpassengers.dat", 1, 144, true, false, 0.3, 0.4018231265222816, 0.5569365038181113,
     -430.577434682673, 0.0896446519270677, 0.07310510015839983, nullptr},
    {"AirlineModelOfDatedMonths", "airpassengers.csv", 12 * 1949, 12 * 1960 + 11, true, false, 0.3,
     0.4018231265222816, 0.5569365038181113, -430.577434682673, 0.0896446519270677, 0.07310510015839983,
     nullptr},
    {"SeasonalAutoregression", "airpassengers.dat", 1, 144, true, true, -0.3, -0.37446432938784524,
     -0.4637200068586361, -426.2873573227131, 0.08081914688945967, 0.0807944580233502, nullptr},
    {"AccidentalDeaths", "usaccdeaths.dat", 1, 72, false, false, 0.3, 0.4302705269702123, 0.552728297335971,
     341.72372897177456, 0.12280700176871147, 0.1783641061181241, kDeathsForecast},
};

void PrintTo(const AirlineCase& c, std::ostream* out) { *out << c.name; }

class SeasonalMonthlyFitTest : public ::testing::TestWithParam<AirlineCase> {};

TEST_P(SeasonalMonthlyFitTest, MinimisersReachTheExactFitAndItsStandardErrors) {
  const AirlineCase& c = GetParam();
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  TfnSetup setup;
  setup.Response = {testing::ExamplePath(c.file),
                    c.first,
                    c.last,
                    1,
                    1,
                    1,
                    c.logarithm ? SeriesTransformation::BoxCox : SeriesTransformation::None,
                    0,
                    0,
                    c.logarithm};
  setup.GroupFirst[0] = setup.GroupLast[0] = 1;
  setup.LagOrder = 1;
  setup.EstimateLogits = false;
  setup.SeasonalPeriod = 12;
  setup.SeasonalDifferencing = 1;
  (c.autoregressive ? setup.SeasonalArOrder : setup.SeasonalMaOrder) = 1;
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);

  // Phi(1), Theta(1), the intercept (held at 0), the seasonal coefficient.
  AlgorithmData& data = session.Algorithm;
  const int regular = c.autoregressive ? 1 : 2;
  data.Values[regular] = c.start;
  data.Steps[regular] = 0.05;
  data.Values[4] = c.start;
  data.Steps[4] = 0.05;
  data.Tolerance = 1e-10;
  session.State.AlgorithmFileName = "airline.alg";
  session.Menu().Close();
  session.Menu().Show();

  session.Menu().form().Click("cmdSimplex");
  ui.Answer(Answer::No).Answer(Answer::No);  // numerical derivatives, not shown
  session.Menu().form().Click("cmdMarquardt");
  ASSERT_TRUE(ui.Showed("Minimum found using Marquardt!"));

  OneBased<double> P = data.Values;
  EXPECT_NEAR(EvaluateObjective(session, P, 1, false), c.objective, 1e-6);
  // Within 1e-6 of the minimum the estimates can move by about
  // sqrt(2e-6 / 120) = 1.3e-4 (120 the smaller curvature of -ln[L]).
  EXPECT_NEAR(data.Values[regular], c.regular, 3e-4);
  EXPECT_NEAR(data.Values[4], c.seasonal, 3e-4);

  // The numerical covariance dialogue with the default grid factors.
  ui.Answer(Answer::No).Answer(Answer::Ok);
  ui.Then([&session] { session.Editor().Finish(); });
  ui.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
  ui.Value("1").Answer(Answer::No);
  session.Menu().form().Click("cmdCovariance");
  const auto regularSe = CovarianceStandardDeviation(session.Covariance, 3, regular);
  const auto seasonalSe = CovarianceStandardDeviation(session.Covariance, 3, 4);
  ASSERT_TRUE(regularSe && seasonalSe);
  // Agreement to 1%: what is left are the grid's finite steps (0.0005) and
  // the estimates' last digits.
  EXPECT_NEAR(*regularSe / c.regularSe, 1.0, 0.01);
  EXPECT_NEAR(*seasonalSe / c.seasonalSe, 1.0, 0.01);

  if (!c.forecast) return;
  OneBased<double> values = data.Values;
  EvaluateObjective(session, values, 1, false);
  const TfnForecast forecast = ForecastTfnModel(app.Model(), data.Values, data.Steps, 12);
  ASSERT_EQ(forecast.Series.size(), 1u);
  const std::vector<ForecastRow>& rows = forecast.Series[0].Original;
  ASSERT_EQ(rows.size(), 12u);
  for (size_t h = 0; h < 12; ++h) {
    // Estimates within 3e-4 of the exact ones move these by far less than 1e-4.
    EXPECT_NEAR(rows[h].Forecast / c.forecast[h][0], 1.0, 1e-4) << h + 1;
    EXPECT_NEAR(rows[h].StandardError / c.forecast[h][1], 1.0, 1e-4) << h + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(MonthlySeries, SeasonalMonthlyFitTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quorvane
