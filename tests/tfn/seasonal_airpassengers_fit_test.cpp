// Two seasonal models of the monthly airline passengers, 1949-1960, on the
// logarithm of the series taken before differencing at lags 1 and 12: the
// airline model (0,1,1)(0,1,1)12 and the seasonal AR model
// (1,1,0)(1,1,0)12. Simplex, then Marquardt, must reach the exact
// maximum-likelihood fit computed independently, and the grid-3 standard
// errors must agree with that fit's.
//
// The reference values were computed with numpy/scipy from the 131 values
// of the differenced log series w = (1 - B)(1 - B^12) ln y, without any
// recursion: autocovariances of the product model from its psi weights
// (20000 terms), the 131 x 131 Toeplitz covariance matrix G and its Cholesky
// factor, -ln[L] = (n/2) ln(w' G^-1 w / n) + (1/2) ln det G, minimised by
// Nelder-Mead and BFGS to 1e-13; standard errors from the inverse of a
// central-difference Hessian with Richardson extrapolation (steps 1e-3 and
// 5e-4). R's arima (method "ML") gives the same estimates to 4 digits.
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
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

struct AirlineCase {
  const char* name;
  bool autoregressive;  // Phi(1) and Phi_s(1); else Theta(1) and Theta_s(1)
  double start;
  double regular, seasonal, objective;  // the independent fit
  double regularSe, seasonalSe;
};

const AirlineCase kCases[] = {
    {"AirlineModel", false, 0.3, 0.4018231265222816, 0.5569365038181113, -430.577434682673, 0.0896446519270677,
     0.07310510015839983},
    {"SeasonalAutoregression", true, -0.3, -0.37446432938784524, -0.4637200068586361, -426.2873573227131,
     0.08081914688945967, 0.0807944580233502},
};

void PrintTo(const AirlineCase& c, std::ostream* out) { *out << c.name; }

class SeasonalAirPassengersFitTest : public ::testing::TestWithParam<AirlineCase> {};

TEST_P(SeasonalAirPassengersFitTest, MinimisersReachTheExactFitAndItsStandardErrors) {
  const AirlineCase& c = GetParam();
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  TfnSetup setup;
  setup.Response = {testing::ExamplePath("airpassengers.dat"), 1, 144, 1, 1, 1, SeriesTransformation::BoxCox, 0, 0,
                    true};
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
}

INSTANTIATE_TEST_SUITE_P(LogAirPassengers, SeasonalAirPassengersFitTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quorvane
