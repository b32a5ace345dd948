// Time of the three numerical covariance grids (each nCov(nCov + 1) model
// evaluations, then the Hessian and its inversion) on the seat-belt
// set-up: ARMA(2,1) noise, three intercepts and three covariate terms free.
#include <benchmark/benchmark.h>

#include "core/model_set_up.h"
#include "core/fuse_groups.h"
#include "covariance/covariance_results.h"
#include "covariance/hessian_grid.h"
#include "covariance/hessian_inversion.h"
#include "app/session.h"
#include "base/ui/form.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

#include "silent_ui.h"

namespace quorvane {
namespace {

using bench::SilentUi;

void BM_SeatBeltThreeGrids(benchmark::State& state) {
  SilentUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  const TfnSetup setup = testing::SeatBeltSetup(true);
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);
  AlgorithmData& data = session.Algorithm;
  const ParameterLayout layout(setup);
  for (int j : {layout.Phi(1), layout.Phi(2), layout.Theta(1)}) data.Steps[j] = 0.1;
  for (int g = 1; g <= 3; ++g) data.Steps[layout.Intercept(g)] = 1;
  for (int c = 1; c <= 3; ++c) data.Steps[layout.BlockOmega(layout.CovariateBase(c), 0)] = 1;
  BuildFuseGroups(data, session.Fuse);

  CovarianceResults cov;
  cov.CovValues = data.Values;
  cov.CovSteps = data.Steps;
  cov.CovSlot.assign(data.ParameterCount, 0);
  for (int p = 1; p <= data.ParameterCount; ++p)
    if (data.Steps[p] != 0.0) {
      cov.CovIndex.push_back(p);
      cov.CovSlot[p] = cov.CovIndex.size();
    }
  cov.nCov = cov.CovIndex.size();
  const Objective objective = session.MakeObjective();
  OneBased<double> center = cov.CovValues;
  cov.CovCenter = objective.Evaluate(center, 1, true);
  GridHooks hooks;
  hooks.status = [](int, const std::string&) {};
  hooks.append = [](const std::string&) {};
  hooks.pump = [] {};
  hooks.quitGrid = [] { return false; };
  hooks.seconds = [] { return 0.0; };

  for (auto _ : state) {
    for (int g = 1; g <= 3; ++g) {
      const GridOutcome grid = ComputeGrid(objective, cov, g, true, hooks);
      const InversionOutcome inverse =
          InvertHessian(GridHessian(grid, cov, g), cov.nCov, 1.0, cov.CovIndex, g);
      benchmark::DoNotOptimize(inverse.Result(0, 0));
    }
  }
  state.counters["nCov"] = cov.nCov;
  state.counters["evaluations"] = 3.0 * cov.nCov * (cov.nCov + 1);
}
BENCHMARK(BM_SeatBeltThreeGrids)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
