// What a reviewer asks of a fit, on real data: the Nile demo's
// log-likelihood, comparable criteria and Ljung-Box test against an
// independent computation, and the Lake Huron coefficient table against
// the covariance report it comes from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "covariance/covariance_report.h"
#include "covariance/covariance_results.h"
#include "core/algorithm_editor.h"
#include "support/example_setups.h"
#include "tfn/series_preparation.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

using testing::ValueAfter;

class SummaryReviewTest : public testing::SummarySession {
 protected:
  void Load(const std::vector<double>& values, const std::vector<double>& steps) {
    for (int i = 1; i <= static_cast<int>(values.size()); ++i) Set(i, values[i - 1], steps[i - 1]);
    session_.Menu().Close();
    session_.Menu().Show();
  }
  void Simplex() {
    session_.Menu().form().Click("cmdSimplex");
    ASSERT_TRUE(ui_.Showed("Minimum found using Simplex!"));
  }
};

// The first number of a text, as the summary printed it.
double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The chi-square upper tail for an odd df = 2m + 1 in closed form:
//   Q = erfc(sqrt(x/2)) + exp(-x/2) sum_{j=1..m} (x/2)^(j - 1/2) / Gamma(j + 1/2).
double OddChiSquareTail(double x, int df) {
  double sum = std::erfc(std::sqrt(x / 2));
  for (int j = 1; j <= (df - 1) / 2; ++j)
    sum += std::exp(-x / 2 + (j - 0.5) * std::log(x / 2) - std::lgamma(j + 0.5));
  return sum;
}

// The Nile demo (examples/nile.alg, Simplex) against a computation without
// the model's filter: at the estimates the summary reports on, the AR(1)
// noise w = y - mu - omega step has the exact Gaussian log-likelihood with
// sigma^2 profiled out
//   log L = -(n/2)(1 + ln 2 pi) - (n/2) ln(S/n) - (1/2) ln(1 / (1 - phi^2)),
//   S = (1 - phi^2) w(1)^2 + sum_{t>1} (w(t) - phi w(t-1))^2,
// K = 4 (phi, mu, omega, sigma^2), and the standardized one-step residuals
// a(1) = sqrt(1 - phi^2) w(1), a(t) = w(t) - phi w(t-1), whose Ljung-Box Q(10)
// has 10 - 1 = 9 df. The summary prints 4 decimals: the tolerance 1e-4
// covers the rounding of its last digit.
TEST_F(SummaryReviewTest, NileDemoLogLikelihoodCriteriaAndLjungBoxAgreeWithAnIndependentComputation) {
  SetUpModel(testing::NileSetup());
  Load({0.3, 0, 1100, 1899, 1, -200, 0, 0}, {0.05, 0, 20, 0, 0, 20, 0, 0});
  Simplex();
  const std::string text = Summarize();

  const std::vector<double>& P = model().Best().Parameters;
  const double phi = P[0], mu = P[2], omega = P[5];
  const ResponseSeriesData nile = ReadResponseSeries(testing::NileSetup());
  std::vector<double> w, a;
  for (int t = 1871; t <= 1970; ++t) w.push_back(*nile.Raw.At(t, 1) - mu - (t >= 1899 ? omega : 0.0));
  a.push_back(std::sqrt(1 - phi * phi) * w[0]);
  for (size_t t = 1; t < w.size(); ++t) a.push_back(w[t] - phi * w[t - 1]);
  double S = 0;
  for (double e : a) S += e * e;
  const double n = 100, K = 4;
  const double logL = -n / 2 * (1 + std::log(2 * std::numbers::pi)) - n / 2 * std::log(S / n) -
                      0.5 * std::log(1 / (1 - phi * phi));
  const double aic = -2 * logL + 2 * K;

  double mean = 0;
  for (double e : a) mean += e / n;
  double c0 = 0, q = 0;
  for (double e : a) c0 += (e - mean) * (e - mean);
  for (int k = 1; k <= 10; ++k) {
    double ck = 0;
    for (size_t t = 0; t + static_cast<size_t>(k) < a.size(); ++t) ck += (a[t] - mean) * (a[t + static_cast<size_t>(k)] - mean);
    q += (ck / c0) * (ck / c0) / (n - k);
  }
  q *= n * (n + 2);

  EXPECT_NEAR(Number(ValueAfter(text, "The log-likelihood, log L, is:")), logL, 1e-4);
  EXPECT_EQ(ValueAfter(text, "The number of parameters, K, is:"), "4");
  EXPECT_NEAR(Number(ValueAfter(text, "The AIC, -2 log L + 2K, is:")), aic, 1e-4);
  EXPECT_NEAR(Number(ValueAfter(text, "The AICc, AIC + 2K(K+1)/(n-K-1), is:")), aic + 2 * K * (K + 1) / (n - K - 1),
              1e-4);
  EXPECT_NEAR(Number(ValueAfter(text, "The BIC, -2 log L + K ln n, is:")), -2 * logL + K * std::log(n), 1e-4);

  const std::string ljungBox = ValueAfter(text, "The Ljung-Box Q, df and p of the residual autocorrelations to lag  10 are:");
  EXPECT_NEAR(Number(ljungBox), q, 1e-4) << ljungBox;
  const auto comma = ljungBox.find(',');
  ASSERT_NE(comma, std::string::npos);
  EXPECT_EQ(std::atoi(ljungBox.c_str() + comma + 1), 9);
  EXPECT_NEAR(Number(ljungBox.substr(ljungBox.rfind(',') + 1)), OddChiSquareTail(q, 9), 1e-4);

  // The relation to the criteria above: n(1 + ln 2 pi) + 2(K - k), k = 3.
  const double shift = 100 * (1 + std::log(2 * std::numbers::pi)) + 2;
  EXPECT_NEAR(Number(ValueAfter(text, "The AIC, -2 log L + 2K, is:")) -
                  Number(ValueAfter(text, "The AIC of the model fit is:")),
              shift, 2e-4);
  EXPECT_NE(text.find("this AIC is the AIC above + 285.7877."), std::string::npos);
}

int CountItems(const Surface& surface, SurfaceItem::Kind kind) {
  int n = 0;
  for (const SurfaceItem& item : surface.Items()) n += item.kind == kind;
  return n;
}

// The residual section lists lags 1..20 for n = 100 with both tests, and
// the window "Residual plots" draws the same correlations and the
// quantile plot of the 100 residuals.
TEST_F(SummaryReviewTest, TheNileResidualsAsTablesAndPlots) {
  SetUpModel(testing::NileSetup());
  Load({0.3, 0, 1100, 1899, 1, -200, 0, 0}, {0.05, 0, 20, 0, 0, 20, 0, 0});
  Simplex();
  Form& summary = app_.Summary().form();
  summary.Click("cmdResidualPlots");  // before any summary: nothing to show
  Form& plots = app_.Summary().ResidualPlots().form();
  EXPECT_FALSE(plots.IsOpen());

  const std::string text = Summarize();
  EXPECT_NE(text.find("Series 1 (Flow): n = 100 residuals, band +-1.96/sqrt(n) = +-0.1960\r\n  Lag"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n   20 "), std::string::npos);
  EXPECT_EQ(text.find("\r\n   21 "), std::string::npos);
  EXPECT_NE(text.find("to lag  20 are:"), std::string::npos);

  summary.Click("cmdResidualPlots");
  ASSERT_TRUE(plots.IsOpen());
  EXPECT_EQ(plots.Get("cboResidualSeries").items, std::vector<std::string>{"Flow"});
  EXPECT_EQ(CountItems(plots.Get("Graph").surface, SurfaceItem::Kind::Rectangle), 21);  // 20 bars and the border
  const Figure& figure = plots.Get("Graph").figure;
  EXPECT_EQ(figure.X.Title, "Lag");
  EXPECT_EQ(figure.Y.Title, "Autocorrelation");
  EXPECT_EQ(figure.Title, plots.Get("lblResidualNote").caption);
  EXPECT_EQ(figure.Title.rfind("ACF of the standardized residuals of series 1 (Flow), n = 100", 0), 0u);

  plots.Choose("optResidualPacf");
  EXPECT_EQ(plots.Get("Graph").figure.Y.Title, "Partial autocorrelation");
  plots.Choose("optResidualQq");
  EXPECT_EQ(CountItems(plots.Get("Graph").surface, SurfaceItem::Kind::Circle), 100);
  EXPECT_EQ(plots.Get("Graph").figure.X.Title, "Standard normal quantile");

  // Closing the summary closes its plots.
  ui_.CloseForm(summary);
  EXPECT_FALSE(plots.IsOpen());
}

// The chi-square upper tail for an even df = 2m in closed form:
//   Q = exp(-x/2) sum_{j=0..m-1} (x/2)^j / j!.
double EvenChiSquareTail(double x, int df) {
  double term = 1.0, sum = 0.0;
  for (int j = 0; j < df / 2; ++j) {
    sum += term;
    term *= x / 2 / (j + 1);
  }
  return std::exp(-x / 2) * sum;
}

// The airline model of the monthly airline passengers, months 1..144, as
// logarithms before differencing at lags 1 and 12, with Theta(1) and
// Theta_s(1) free: its residual autocorrelations go to lag 2s = 24 rather
// than to min(10 log10 131, 131/4) = 21, and its Ljung-Box tests are at
// 10, 12, 20 and 24, each with two degrees of freedom fewer than its lags
// for the two moving-average coefficients.
TEST_F(SummaryReviewTest, ASeasonalModelsResidualsAreTestedAtItsSeasonalLags) {
  TfnSetup airline;
  airline.Response = {testing::ExamplePath("airpassengers.dat"), 1, 144, 1, 1, 1, SeriesTransformation::BoxCox,
                      0, 0, true};
  airline.GroupFirst[0] = airline.GroupLast[0] = 1;
  airline.LagOrder = 1;
  airline.EstimateLogits = false;
  airline.SeasonalPeriod = 12;
  airline.SeasonalDifferencing = 1;
  airline.SeasonalMaOrder = 1;
  SetUpModel(airline);
  Set(layout_.Theta(1), 0.4018, 0.05);
  Set(4, 0.5569, 0.05);  // Theta_s(1), after the intercept
  const std::string& text = Summarize();

  EXPECT_NE(text.find("     to lag 2s with the seasonal period s = 12; * marks"), std::string::npos) << text;
  EXPECT_NE(text.find("has h - 2 df: the lags less the free ARMA coefficients."), std::string::npos);
  EXPECT_NE(text.find(": n = 131 residuals"), std::string::npos);
  EXPECT_NE(text.find("\r\n   24 "), std::string::npos);
  EXPECT_EQ(text.find("\r\n   25 "), std::string::npos);
  for (const auto& [lag, df] : std::vector<std::pair<int, int>>{{10, 8}, {12, 10}, {20, 18}, {24, 22}}) {
    SCOPED_TRACE(lag);
    char label[96];
    std::snprintf(label, sizeof label, "The Ljung-Box Q, df and p of the residual autocorrelations to lag %3d are:",
                  lag);
    const std::string line = ValueAfter(text, label);
    const auto comma = line.find(',');
    ASSERT_NE(comma, std::string::npos) << line;
    EXPECT_EQ(std::atoi(line.c_str() + comma + 1), df);
    // The p-value printed to 4 decimals follows from the printed Q (4
    // decimals too) with these df; "<0.0001" below that.
    const double p = EvenChiSquareTail(Number(line), df);
    const std::string printed = line.substr(line.rfind(',') + 1);
    if (p < 0.0001) EXPECT_NE(printed.find("<0.0001"), std::string::npos) << line;
    else EXPECT_NEAR(Number(printed), p, 1e-4) << line;
  }
}

// One row of the coefficient table: its fields after the parameter number.
struct TableRow {
  double estimate = NAN, se = NAN, z = NAN;
  std::string p;
  double lower = NAN, upper = NAN;
};

TableRow RowOf(const std::string& text, int parameter) {
  const auto table = text.find("Estimates with standard errors from ");
  if (table == std::string::npos) return {};
  char head[8];
  std::snprintf(head, sizeof head, "\r\n%4d ", parameter);
  const auto at = text.find(head, table);
  if (at == std::string::npos) return {};
  // The six fields after the number, "-" where there is none.
  std::istringstream fields(text.substr(at + 6, text.find("\r\n", at + 2) - at - 6));
  std::string f[6];
  for (std::string& field : f) fields >> field;
  const auto number = [](const std::string& field) { return field == "-" ? NAN : std::strtod(field.c_str(), nullptr); };
  return {number(f[0]), number(f[1]), number(f[2]), f[3], number(f[4]), number(f[5])};
}

// The grid-3 standard error of a parameter as the covariance report prints
// it, in columns 61-74 of its line under "Standard errors of the estimates".
double ReportedStandardError(const std::string& report, int parameter) {
  const auto section = report.find("Standard errors of the estimates");
  char head[8];
  std::snprintf(head, sizeof head, "\r\n%3d ", parameter);
  const auto at = report.find(head, section);
  if (section == std::string::npos || at == std::string::npos) return NAN;
  return std::strtod(report.substr(at + 2 + 60, 14).c_str(), nullptr);
}

// Lake Huron, ARMA(1,1) noise with an intercept and a linear trend
// (examples/lakehuron-arma11.alg), fitted and then given its covariances:
// the table names grid 3, its standard errors are the report's, and z, p
// and the interval follow from them.
TEST_F(SummaryReviewTest, LakeHuronTableTakesItsStandardErrorsFromTheCovarianceReport) {
  SetUpModel(testing::LakeHuronSetup());
  Load({0.5, 0, 0, 0, 580, 1875, 3, -0.02, 0, 0, 0, 0}, {0.05, 0, 0.05, 0, 0.5, 0, 0, 0.005, 0, 0, 0, 0});
  Simplex();
  std::string text = Summarize();
  EXPECT_NE(text.find("Estimates with standard errors: there are no covariance results for these estimates."),
            std::string::npos);

  ui_.Answer(Answer::No).Answer(Answer::Ok);
  ui_.Then([this] { session_.Editor().Finish(); });
  ui_.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
  ui_.Value("1").Answer(Answer::No);
  session_.Menu().form().Click("cmdCovariance");
  ASSERT_TRUE(session_.State.CovarianceAvailable);
  const std::string report =
      CovarianceReport(session_.Covariance, session_.Algorithm.FuseCodes, session_.Algorithm.Descriptions, {});

  text = Summarize();
  EXPECT_NE(text.find("Estimates with standard errors from grid 3 (grid factor 0.01) of the numerical "
                      "covariance analysis:"),
            std::string::npos);
  const std::vector<double>& P = model().Best().Parameters;
  for (int parameter : {1, 3, 5, 8}) {
    SCOPED_TRACE(parameter);
    const TableRow row = RowOf(text, parameter);
    const double reported = ReportedStandardError(report, parameter);
    const double se = *CovarianceStandardDeviation(session_.Covariance, 3, parameter);
    // The report's 8 significant digits and the table's 6 show the same number.
    EXPECT_NEAR(reported, se, 1e-7 * se);
    EXPECT_NEAR(row.se, se, 1e-5 * se);
    const double estimate = P[static_cast<size_t>(parameter - 1)];
    EXPECT_NEAR(row.estimate, estimate, 1e-5 * std::fabs(estimate));
    const double z = estimate / se;
    EXPECT_NEAR(row.z, z, 0.005 + 1e-9);
    const double p = std::erfc(std::fabs(z) / std::numbers::sqrt2);
    if (p < 0.0001) EXPECT_EQ(row.p, "<0.0001");
    else EXPECT_NEAR(std::strtod(row.p.c_str(), nullptr), p, 0.5e-4 + 1e-9) << row.p;
    EXPECT_NEAR(row.lower, estimate - 1.959963984540054 * se, 1e-5 * (std::fabs(estimate) + 2 * se));
    EXPECT_NEAR(row.upper, estimate + 1.959963984540054 * se, 1e-5 * (std::fabs(estimate) + 2 * se));
  }

  // A new fit leaves the standard errors behind.
  Simplex();
  EXPECT_NE(Summarize().find("there are no covariance results for these estimates"), std::string::npos);
}

// Covariance results for the values summarised, with grid 3 unusable:
// the table takes grid 2 and names it, and marks Phi( 1), which the model
// holds on the limit of the stationary region, without a test. Results for
// other values are not shown.
TEST_F(SummaryReviewTest, TheTableFallsBackToGridTwoAndMarksAnEstimateOnTheLimit) {
  SetUpModel(testing::NileSetup());
  Load({1.2, 0, 1100, 1899, 1, -250, 0, 0}, {0.05, 0, 20, 0, 0, 20, 0, 0});
  CovarianceResults& cov = session_.Covariance;
  cov.CovarianceMethod = "N";
  cov.CovValues = session_.Algorithm.Values;
  cov.CovSteps = session_.Algorithm.Steps;
  cov.nCov = 3;
  cov.CovIndex = {1, 3, 6};
  cov.CovSlot = {1, 0, 2, 0, 0, 3, 0, 0};
  for (int g = 1; g <= 3; ++g) cov.Grid(g).MarkUnavailable(3);
  const double se[] = {0.02, 30.0, 35.0};
  for (int k = 1; k <= 3; ++k) {
    cov.Grid(2)(k, k) = se[k - 1] * se[k - 1];
    cov.Grid(2)(0, k) = se[k - 1];
  }
  session_.State.CovarianceAvailable = true;

  const std::string text = Summarize();
  EXPECT_NE(text.find("Estimates with standard errors from grid 2 (grid factor 0.1) of the numerical "
                      "covariance analysis:"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Phi( 1)  (on the limit of the stationary region)"), std::string::npos);
  const TableRow phi = RowOf(text, 1);
  EXPECT_NEAR(phi.se, 0.02, 1e-12);
  EXPECT_TRUE(std::isnan(phi.z));  // "-": no z, p or interval
  EXPECT_NEAR(RowOf(text, 6).z, -250.0 / 35.0, 0.005);

  cov.CovValues[3] = 1101;
  EXPECT_NE(Summarize().find("there are no covariance results for these estimates"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
