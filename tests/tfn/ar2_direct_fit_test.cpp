// Estimated directly, the time-series model reaches an AR(2) optimum that
// lies outside the box -1 < Phi(j) < 1 but inside the stationary region,
// and says so when a minimum stops on the limit of the region.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "support/scripted_ui.h"
#include "tfn/series_file_fixture.h"
#include "tfn/simulated_series.h"
#include "minimize/marquardt_window.h"
#include "minimize/simplex_window.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// The exact -ln[L] of y = mu + w, w a stationary AR(2), profiled over mu
// and the innovation variance, without any Kalman filter: the first two
// values have the stationary covariance G (in units of the innovation
// variance), g0 = (1 - phi2) / ((1 + phi2)((1 - phi2)^2 - phi1^2)),
// g1 = phi1 g0 / (1 - phi2); later values contribute their conditional
// residuals. S(mu) = q(y - mu) is quadratic in mu, minimised in closed form;
// F = (N/2) ln(S/N) + (1/2) ln det G.
double Ar2Objective(const std::vector<double>& y, double phi1, double phi2) {
  const double g0 = (1 - phi2) / ((1 + phi2) * ((1 - phi2) * (1 - phi2) - phi1 * phi1));
  const double g1 = phi1 * g0 / (1 - phi2);
  const double det = g0 * g0 - g1 * g1;
  // The bilinear form q(u, v) of the quadratic above.
  const auto q = [&](const auto& u, const auto& v) {
    double s = (g0 * u(0) * v(0) - g1 * (u(0) * v(1) + u(1) * v(0)) + g0 * u(1) * v(1)) / det;
    for (size_t t = 2; t < y.size(); ++t)
      s += (u(t) - phi1 * u(t - 1) - phi2 * u(t - 2)) * (v(t) - phi1 * v(t - 1) - phi2 * v(t - 2));
    return s;
  };
  const auto data = [&](size_t t) { return y[t]; };
  const auto one = [](size_t) { return 1.0; };
  const double mu = q(data, one) / q(one, one);
  const auto centred = [&](size_t t) { return y[t] - mu; };
  const double n = static_cast<double>(y.size());
  return n / 2 * std::log(q(centred, centred) / n) + 0.5 * std::log(det);
}

// Minimum of f over (lo, hi) by golden sections, to about 1e-10 in x.
template <class F>
double GoldenMinimum(F f, double lo, double hi) {
  const double g = (std::sqrt(5.0) - 1) / 2;
  double a = lo, b = hi, c = b - g * (b - a), d = a + g * (b - a);
  double fc = f(c), fd = f(d);
  while (b - a > 1e-10) {
    if (fc < fd) {
      b = d, d = c, fd = fc, c = b - g * (b - a), fc = f(c);
    } else {
      a = c, c = d, fc = fd, d = a + g * (b - a), fd = f(d);
    }
  }
  return (a + b) / 2;
}

// The maximum-likelihood AR(2) by nested golden sections over the partial
// autocorrelations (r1, r2), phi1 = r1 (1 - r2), phi2 = r2, which keeps
// every trial point stationary.
double Ar2Minimum(const std::vector<double>& y) {
  const auto inner = [&](double r2) {
    const auto f = [&](double r1) { return Ar2Objective(y, r1 * (1 - r2), r2); };
    return f(GoldenMinimum(f, -0.999, 0.999));
  };
  const double r2 = GoldenMinimum(inner, -0.999, 0.999);
  return inner(r2);
}

int MessagesContaining(const testing::ScriptedUi& ui, const std::string& text) {
  int count = 0;
  for (const std::string& message : ui.Messages()) count += message.find(text) != std::string::npos;
  return count;
}

std::string WriteSeries(const std::string& name, const std::vector<double>& y) {
  std::vector<std::vector<std::string>> rows = {{"Period", "Value"}};
  char text[32];
  for (size_t t = 0; t < y.size(); ++t) {
    std::snprintf(text, sizeof text, "%.4f", y[t]);
    rows.push_back({std::to_string(t + 1), text});
  }
  return testing::SeriesFile(name, rows);
}

// One series, AR(p) noise and an intercept, coefficients estimated directly.
struct DirectFit {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session{ui, &app.Model()};

  DirectFit(const std::string& file, int periods, int lagOrder) {
    app.Attach(session);
    session.Start();
    TfnSetup setup;
    setup.Response = {file, 1, periods, 1, 1, 0, SeriesTransformation::None, 1, 0};
    setup.GroupFirst[0] = setup.GroupLast[0] = 1;
    setup.LagOrder = lagOrder;
    setup.EstimateLogits = false;
    app.Model().SetPendingSetup(setup);
    SetUpModel(session);
    session.Algorithm.Tolerance = 1e-11;
    session.Algorithm.MaxFunctionCalls = 200000;
    session.State.AlgorithmFileName = "direct.alg";
    session.CloseMainMenu();
    session.ShowMainMenu();
  }

  double Objective() {
    OneBased<double> P = session.Algorithm.Values;
    return EvaluateObjective(session, P, 1, false);
  }

  void SimplexThenMarquardt() {
    session.Menu().form().Click("cmdSimplex");
    ui.Answer(Answer::No).Answer(Answer::No);  // numerical derivatives, no display
    session.Menu().form().Click("cmdMarquardt");
  }
};

TEST(Ar2DirectFitTest, ReachesAnOptimumOutsideTheCoefficientBox) {
  std::vector<double> y = testing::SimulatedArmaSeries({1.3, -0.6}, {}, 300, 2026);
  // Four decimals, as the file holds them, so the test and the model see the same data.
  for (double& v : y) v = std::round((v + 10.0) * 1e4) / 1e4;
  DirectFit fit(WriteSeries("ar2.dat", y), 300, 2);
  AlgorithmData& data = fit.session.Algorithm;
  // Phi(1), Phi(2), Theta(1), Theta(2), the intercept.
  const double values[] = {0.5, 0.0, 0.0, 0.0, 10.0};
  const double steps[] = {0.1, 0.1, 0.0, 0.0, 0.5};
  for (int i = 1; i <= 5; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
  fit.SimplexThenMarquardt();
  ASSERT_TRUE(fit.ui.Showed("Minimum found using Simplex!"));
  ASSERT_TRUE(fit.ui.Showed("Minimum found using Marquardt!"));

  // The searches stop far inside 1e-6 of the minimum; the golden sections
  // of the independent search locate it to about 1e-10 in each coordinate.
  EXPECT_NEAR(fit.Objective(), Ar2Minimum(y), 1e-6);
  EXPECT_GT(data.Values[1], 1.0) << "the estimate lies outside the old box";
  EXPECT_EQ(MessagesContaining(fit.ui, "on the limit"), 0);
}

TEST(Ar2DirectFitTest, AMinimumOnTheLimitSaysSoInBothReports) {
  // Phi(1) held just beyond the stationary region: the penalty (a mere 1 in
  // -ln[L], so Marquardt's numerical derivatives keep their precision) is
  // active at every point, so both minima of the intercept lie on the limit.
  std::vector<double> y = testing::SimulatedArmaSeries({0.5}, {}, 100, 5);
  for (double& v : y) v = std::round((v + 10.0) * 1e4) / 1e4;
  DirectFit fit(WriteSeries("limit.dat", y), 100, 1);
  AlgorithmData& data = fit.session.Algorithm;
  data.Values[1] = 1.0000001;  // Phi(1), fixed
  data.Values[3] = 9.0;  // the intercept
  data.Steps[3] = 0.5;
  const std::string note = "Parameter 1, Phi( 1), is on the limit of the stationary region";
  fit.session.Menu().form().Click("cmdSimplex");
  EXPECT_NE(fit.session.SimplexView().form().Text("rtbSimplex").find(note), std::string::npos);
  fit.ui.Answer(Answer::No).Answer(Answer::No);
  fit.session.Menu().form().Click("cmdMarquardt");
  // "Minimum found using Simplex!" and "... Marquardt!" both carry the note.
  EXPECT_EQ(MessagesContaining(fit.ui, "Minimum found using"), 2);
  EXPECT_EQ(MessagesContaining(fit.ui, note), 2);
}

}  // namespace
}  // namespace quorvane
