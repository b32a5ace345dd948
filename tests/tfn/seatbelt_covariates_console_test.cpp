// End to end from the console: the drivers killed on the roads of Great
// Britain (seatbelts.dat, series 3) with AR(1) noise, a mean and zero-delay
// covariate series in one group: the petrol price (x1000) and the
// kilometres driven, and in the shipped example also the seat-belt law as
// an intervention series. The Simplex search and Marquardt must reach the
// exact maximum-likelihood fit of the same regression with AR(1) errors,
// and the grid-3 standard errors must agree with that fit's.
//
// The reference values were computed with numpy/scipy from the dense
// 192 x 192 covariance G = phi^|i-j| / (1 - phi^2) and its Cholesky factor:
// -ln[L] = (n/2) ln(e' G^-1 e / n) + (1/2) ln det G with e the response
// less I + w1 (petrol - mean) + w2 (kms - mean) [+ w3 law], the regression
// coefficients by generalised least squares for each phi and phi by a
// bounded scalar search to 1e-12; standard errors from the inverse of a
// central-difference Hessian with Richardson extrapolation (steps 1e-3 and
// 5e-4 relative). R's arima(y, c(1,0,0), xreg, method = "ML") gives the same
// -ln[L] (567.70464924803 and 566.88787102636 with the constant
// (n/2)(ln 2 pi + 1) taken off) and coefficients to 6 digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "base/format/leading_number.h"
#include "support/console_run.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::ReadAll;
using testing::ReplaceAll;

struct SeatBeltCase {
  const char* name;
  bool law;
  double objective;
  // Phi(1), the intercept and Omega(0) of each covariate series, in layout
  // order (1, 3, 6, 11[, 16]), and their standard errors.
  std::vector<double> estimates, errors;
};

const SeatBeltCase kCases[] = {
    {"PetrolAndKilometres", false, 567.704649248011,
     {0.5476701542622943, 122.91951490061628, -0.6112796756871504, -1.3482982291485877},
     {0.06148971444095548, 3.0473716355336316, 0.24128627404087086, 0.8895152888115906}},
    {"WithTheLawAsAnIntervention", true, 566.8878710263452,
     {0.5407586113466927, 124.45270140355744, -0.526934200504984, -0.9883149165117576, -12.350122097556488},
     {0.0619466448308131, 3.2202305984587345, 0.24698763324779513, 0.9227839451683614, 9.610270203604072}},
};


// The set-up the script makes.
TfnSetup ScriptSetup(bool law) {
  TfnSetup s;
  s.Response = {testing::ExamplePath("seatbelts.dat"), 1, 192, 3, 3, 0, SeriesTransformation::None, 1, 0};
  s.GroupFirst[0] = s.GroupLast[0] = 3;
  s.UseCovariates = true;
  s.Covariates = {testing::ExamplePath("seatbelts_cov.dat"), 1, 192, 1, static_cast<std::int16_t>(law ? 3 : 2),
                  0, SeriesTransformation::None, 1, 0};
  s.CovariateGroup = {1, 1, static_cast<std::int16_t>(law ? 1 : 0)};
  s.CovariateIsIntervention[2] = law;
  s.LagOrder = 1;
  s.EstimateLogits = false;
  return s;
}

// The value column of each parameter line of a saved algorithm data file.
std::vector<double> SavedValues(const std::string& text) {
  std::vector<double> values;
  size_t at = text.find("\r\n") + 2;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    const std::string line = text.substr(at, end - at);
    if (line.find("Value, step then link for") == std::string::npos) break;
    values.push_back(LeadingNumber(line));
    at = end + 2;
  }
  return values;
}

// Runs the shipped script (cut down to two covariate series unless the law
// is in) and checks the fit, its standard errors and the summary's list.
void ExpectTheExactFit(const SeatBeltCase& c) {
  const std::string source = QUORVANE_SOURCE_DIR;
  std::string script = ReadAll(source + "/examples/seatbelts-covariates.txt");
  std::string algorithm = ReadAll(source + "/examples/seatbelts-covariates.alg");
  ASSERT_FALSE(script.empty());
  ASSERT_FALSE(algorithm.empty());
  if (!c.law) {
    // Two covariate series: the law's line, its check and its block go.
    ReplaceAll(script, "set cboLastCovSeries 3", "set cboLastCovSeries 2");
    ReplaceAll(script, "check chkCovSeries3\n", "");
    ReplaceAll(script, "set txtCovGroup1 1, 2, 3", "set txtCovGroup1 1, 2");
    ReplaceAll(algorithm, "            18  Number", "            13  Number");
    const size_t law = algorithm.find(" 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Unused");
    ASSERT_NE(law, std::string::npos);
    const size_t settings = algorithm.rfind("\r\n", algorithm.find("Simplex limit")) + 2;
    algorithm.erase(law, settings - law);
  }
  const std::string start = testing::TestTempPath("start.alg"), fitted = testing::TestTempPath("fit.alg"),
                    summary = testing::TestTempPath("fit.qvo"), cov = testing::TestTempPath("fit.cov");
  for (const std::string& path : {fitted, summary, cov}) std::remove(path.c_str());
  {
    std::FILE* out = std::fopen(start.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(algorithm.data(), 1, algorithm.size(), out);
    std::fclose(out);
  }
  ReplaceAll(script, "examples/seatbelts-covariates.alg", start);
  ReplaceAll(script, "build/seatbelts-covariates.alg", fitted);
  ReplaceAll(script, "build/seatbelts-covariates.qvo", summary);
  ReplaceAll(script, "build/seatbelts-covariates.cov", cov);
  const testing::ProgramRun run = testing::RunConsole(script, "--quiet", source);
  ASSERT_EQ(run.status, 0) << run.output;

  // The saved estimates, evaluated again: the minimum of -ln[L].
  const std::vector<double> values = SavedValues(ReadAll(fitted));
  const TfnSetup setup = ScriptSetup(c.law);
  const ParameterLayout layout(setup);
  ASSERT_EQ(static_cast<int>(values.size()), layout.Count()) << ReadAll(fitted);
  testing::TfnModelHarness h;
  h.SetUp(setup);
  for (int i = 1; i <= h.NP; ++i) h.P[i] = values[static_cast<size_t>(i - 1)];
  // The file's 8 digits move -ln[L] by far less than 1e-9 near the minimum.
  EXPECT_NEAR(h.Evaluate(1), c.objective, 1e-6);
  std::vector<int> varied = {layout.Phi(1), layout.Intercept(1)};
  for (int k = 1; k <= static_cast<int>(c.estimates.size()) - 2; ++k) varied.push_back(layout.BlockOmega(layout.CovariateBase(k), 0));
  for (size_t k = 0; k < varied.size(); ++k) {
    // Within 1e-6 of the minimum an estimate moves by at most about
    // sqrt(2e-6) standard errors.
    EXPECT_NEAR(values[static_cast<size_t>(varied[k] - 1)], c.estimates[k], 2e-3 * c.errors[k]) << varied[k];
  }

  // The grid-3 standard errors, in the order of the varied parameters.
  const std::string report = ReadAll(cov);
  size_t at = report.find("Standard errors of the estimates");
  ASSERT_NE(at, std::string::npos) << report;
  for (size_t k = 0; k < varied.size(); ++k) {
    at = report.find("\r\n", at) + 2;
    const std::string line = report.substr(at, report.find("\r\n", at) - at);
    EXPECT_EQ(LeadingNumber(line.substr(0, 3)), varied[k]) << line;
    // Agreement to 1%: what is left are the grid's finite steps and the
    // estimates' last digits.
    EXPECT_NEAR(LeadingNumber(line.substr(60, 14)) / c.errors[k], 1.0, 0.01) << line;
  }

  // The summary lists the group's covariate series by name.
  EXPECT_NE(ReadAll(summary).find(c.law ? "Covariate series of group 1: 1 (Petrol), 2 (Kms), 3 (Law)"
                                        : "Covariate series of group 1: 1 (Petrol), 2 (Kms)"),
            std::string::npos);
  for (const std::string& path : {start, fitted, summary, cov}) std::remove(path.c_str());
}

TEST(SeatBeltCovariatesTest, PetrolAndKilometres) { ExpectTheExactFit(kCases[0]); }
TEST(SeatBeltCovariatesTest, WithTheLawAsAnIntervention) { ExpectTheExactFit(kCases[1]); }

}  // namespace
}  // namespace quorvane
