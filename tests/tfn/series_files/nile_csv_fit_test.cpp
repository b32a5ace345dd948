// The Nile model fitted from delimited text: the same data as the .dat give
// exactly the same minimum, and the flow times pi, written with ten decimals
// that no 7-character field could hold, fits to F(Nile) + 100 ln pi.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/evaluate_objective.h"
#include "core/model_set_up.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/series_file_fixture.h"
#include "tfn/series_preparation.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

struct Fit {
  double objective = 0;
  std::vector<double> values;  // P(1..8) at 0..7
};

// The Simplex search from the starting values and steps of
// examples/nile.alg, with the intercept and the step's Omega(0) (and their
// steps) multiplied by `scale`, as for data in other units.
Fit FitNile(const std::string& file, double scale) {
  testing::ScriptedUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  session.Start();
  TfnSetup setup = testing::NileSetup();
  setup.Response.FileName = file;
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);
  AlgorithmData& data = session.Algorithm;
  const double values[] = {0.3, 0, 1100 * scale, 1899, 1, -200 * scale, 0, 0};
  const double steps[] = {0.05, 0, 20 * scale, 0, 0, 20 * scale, 0, 0};
  for (int i = 1; i <= 8; ++i) {
    data.Values[i] = values[i - 1];
    data.Steps[i] = steps[i - 1];
  }
  data.Tolerance = 1e-10;
  data.MaxFunctionCalls = 100000;
  session.State.AlgorithmFileName = "nile.alg";
  session.Menu().Close();
  session.Menu().Show();
  session.Menu().form().Click("cmdSimplex");
  EXPECT_TRUE(ui.Showed("Minimum found using Simplex!"));
  OneBased<double> P = data.Values;
  Fit fit{EvaluateObjective(session, P, 1, false), {}};
  for (int i = 1; i <= 8; ++i) fit.values.push_back(data.Values[i]);
  return fit;
}

// The Nile flow as the example file holds it.
std::vector<double> NileFlow() {
  const ResponseSeriesData nile = ReadResponseSeries(testing::NileSetup());
  std::vector<double> flow;
  for (int t = 1871; t <= 1970; ++t) flow.push_back(*nile.Raw.At(t, 1));
  return flow;
}

TEST(NileCsvFitTest, ACsvWithHeaderByteOrderMarkAndLfGivesExactlyTheMinimumOfTheDat) {
  std::string text = "\xEF\xBB\xBFyear,flow\n";
  const std::vector<double> flow = NileFlow();
  for (size_t i = 0; i < flow.size(); ++i)
    text += std::to_string(1871 + i) + "," + std::to_string(static_cast<long>(flow[i])) + "\n";
  const Fit dat = FitNile(testing::ExamplePath("nile.dat"), 1.0);
  const Fit csv = FitNile(testing::TextFile("nile.csv", text), 1.0);
  EXPECT_EQ(csv.objective, dat.objective);  // the same doubles: the same search, bit for bit
  EXPECT_EQ(csv.values, dat.values);
}

TEST(NileCsvFitTest, TheFlowTimesPiToTenDecimalsFitsToTheNileMinimumPlus100LnPi) {
  std::string text = "year,flow\n";
  const std::vector<double> flow = NileFlow();
  for (size_t i = 0; i < flow.size(); ++i) {
    char value[64];
    std::snprintf(value, sizeof value, "%.10f", flow[i] * std::numbers::pi);
    text += std::to_string(1871 + i) + "," + value + "\n";
  }
  ASSERT_NE(text.find("\n1871,3518.5837720206\n"), std::string::npos);
  const Fit nile = FitNile(testing::ExamplePath("nile.dat"), 1.0);
  const Fit pi = FitNile(testing::TextFile("nile_pi.csv", text), std::numbers::pi);
  // Multiplying the data by c multiplies the innovation variance by c^2, so
  // the exact -ln[L] of the 100 values rises by 100 ln c at the scaled
  // estimates. Both searches stop where the vertex values agree to 1e-10,
  // and the data's rounding to ten decimals (relative 1e-14) moves the
  // minimum by far less; 1e-8 leaves room for the two searches' paths (the
  // difference was 1.3e-12 when this was written).
  EXPECT_NEAR(pi.objective, nile.objective + 100.0 * std::log(std::numbers::pi), 1e-8);
  EXPECT_NEAR(pi.values[0], nile.values[0], 1e-3);  // Phi(1) does not depend on the units
  EXPECT_NEAR(pi.values[2] / std::numbers::pi, nile.values[2], 0.5);
  EXPECT_NEAR(pi.values[5] / std::numbers::pi, nile.values[5], 0.5);
}

}  // namespace
}  // namespace quorvane
