// The grids of the Nile fit (AR(1), an intercept and a step at 1899) on
// worker threads: the same numbers bit for bit as on one thread, and not a
// single allocation on the workers however many evaluations they make.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/session.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "covariance/covariance_results.h"
#include "covariance/hessian_grid.h"
#include "evaluate/bivariate_grid_file.h"
#include "evaluate/posterior_integration.h"
#include "support/allocation_counter.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// Bitwise equality of two vectors of doubles (EXPECT_EQ on doubles would
// call -0 and 0 equal).
bool SameBits(const OneBased<double>& a, const OneBased<double>& b) {
  return a.size() == b.size() &&
         std::memcmp(&*a.begin(), &*b.begin(), sizeof(double) * static_cast<std::size_t>(a.size())) == 0;
}

bool SameBits(const OneBasedMatrix& a, const OneBasedMatrix& b) {
  if (a.rows() != b.rows() || a.cols() != b.cols()) return false;
  for (int i = 1; i <= a.rows(); ++i)
    for (int j = 1; j <= a.cols(); ++j) {
      const double x = a(i, j), y = b(i, j);
      if (std::memcmp(&x, &y, sizeof(double)) != 0) return false;
    }
  return true;
}

// The Nile model near its fit, the AR coefficient, the intercept and the
// step free.
class ThreadedNileGridsTest : public ::testing::Test {
 protected:
  ThreadedNileGridsTest() : session_(ui_, &app_.Model()) {
    app_.Attach(session_);
    app_.Model().SetPendingSetup(testing::NileSetup());
    SetUpModel(session_);
    const double values[] = {0.5, 0, 1097, 1899, 1, -242, 0, 0};
    const double steps[] = {0.02, 0, 6, 0, 0, 8, 0, 0};
    for (int i = 1; i <= 8; ++i) {
      session_.Algorithm.Values[i] = values[i - 1];
      session_.Algorithm.Steps[i] = steps[i - 1];
    }
    BuildFuseGroups(session_.Algorithm, session_.Fuse);
  }

  CovarianceResults Covariance() {
    CovarianceResults cov;
    cov.CovValues = session_.Algorithm.Values;
    cov.CovSteps = session_.Algorithm.Steps;
    cov.nCov = 3;
    cov.CovIndex = {1, 3, 6};
    OneBased<double> P = cov.CovValues;
    cov.CovCenter = session_.MakeObjective().Evaluate(P, 1, true);
    return cov;
  }

  PosteriorGridSpec Posterior(int k) {
    PosteriorGridSpec spec;
    spec.EvaluatedParameter = 1;
    spec.Centre = session_.Algorithm.Values[1];
    spec.Step = 0.02;
    spec.PointCount = 5;
    spec.GridPointCount = 7;
    spec.GridParameterCount = k;
    const int grid[] = {3, 6};
    for (int i = 0; i < k; ++i) {
      spec.GridParameter[static_cast<size_t>(i)] = static_cast<std::int16_t>(grid[i]);
      spec.GridCentre[static_cast<size_t>(i)] = session_.Algorithm.Values[grid[i]];
      spec.GridStep[static_cast<size_t>(i)] = session_.Algorithm.Steps[grid[i]];
    }
    OneBased<double> P = session_.Algorithm.Values;
    spec.ReferenceObjective = session_.MakeObjective().Evaluate(P, 1, true);
    return spec;
  }

  PosteriorGridResult Integrate(const PosteriorGridSpec& spec, int threads) {
    PosteriorGridResult result;
    result.Prepare(spec);
    OneBased<double> work = session_.Algorithm.Values;
    PosteriorGridProgress quiet;
    IntegratePosterior(session_.MakeObjective(), spec, session_.Algorithm.Values, work, quiet, result, threads);
    return result;
  }

  static GridHooks Quiet() {
    GridHooks hooks;
    hooks.status = [](int, const std::string&) {};
    hooks.append = [](const std::string&) {};
    hooks.pump = [] {};
    hooks.quitGrid = [] { return false; };
    hooks.seconds = [] { return 0.0; };
    hooks.interruptPending = [] { return false; };
    return hooks;
  }

  testing::ScriptedUi ui_;
  TfnApplication app_;
  Session session_;
};

TEST_F(ThreadedNileGridsTest, CovarianceGridsAreTheSameOnFourThreadsAndTheWorkersAllocateNothing) {
  for (const bool optimistic : {false, true}) {
    CovarianceResults cov = Covariance();
    cov.Optimistic = optimistic;
    for (int g = 1; g <= 3; ++g) {
      const GridOutcome serial = ComputeGrid(session_.MakeObjective(), cov, g, true, Quiet(), 1);
      long workerAllocations = -1;
      GridOutcome threaded;
      {
        testing::OtherThreadsAllocationCounter counter;
        threaded = ComputeGrid(session_.MakeObjective(), cov, g, true, Quiet(), 4);
        workerAllocations = counter.Count();
      }
      EXPECT_EQ(workerAllocations, 0) << "grid " << g;
      EXPECT_TRUE(SameBits(threaded.Up, serial.Up)) << "grid " << g;
      EXPECT_TRUE(SameBits(threaded.Down, serial.Down)) << "grid " << g;
      EXPECT_EQ(std::memcmp(&threaded.Mean, &serial.Mean, sizeof(double)), 0) << "grid " << g;
      EXPECT_EQ(std::memcmp(&threaded.Sd, &serial.Sd, sizeof(double)), 0) << "grid " << g;
      EXPECT_EQ(threaded.Summary, serial.Summary);
      EXPECT_TRUE(SameBits(GridHessian(threaded, cov, g), GridHessian(serial, cov, g)));
    }
  }
}

TEST_F(ThreadedNileGridsTest, PosteriorGridsAreTheSameOnFourThreadsAndTheWorkersAllocateNothing) {
  for (const int k : {1, 2}) {
    const PosteriorGridSpec spec = Posterior(k);
    const PosteriorGridResult serial = Integrate(spec, 1);
    long workerAllocations = -1;
    PosteriorGridResult threaded;
    {
      testing::OtherThreadsAllocationCounter counter;
      threaded = Integrate(spec, 4);
      workerAllocations = counter.Count();
    }
    EXPECT_EQ(workerAllocations, 0) << k;
    EXPECT_EQ(threaded.EvaluationCount, serial.EvaluationCount);
    EXPECT_TRUE(SameBits(threaded.Values, serial.Values)) << k;
    EXPECT_TRUE(SameBits(threaded.Objective, serial.Objective)) << k;
    EXPECT_EQ(threaded.BestPoint, serial.BestPoint);
    if (k == 1) {
      EXPECT_EQ(BivariateGridText(threaded.Bivariate), BivariateGridText(serial.Bivariate));
    }
  }
}

}  // namespace
}  // namespace quorvane
