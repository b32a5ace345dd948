#include "evaluate/posterior_integration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model_outputs.h"
#include "core/objective.h"
#include "evaluate/bivariate_normal_model.h"
#include "support/allocation_counter.h"

namespace quorvane {
namespace {

using testing::BivariateNormalModel;
using M = BivariateNormalModel;

// The objective of a bivariate normal model with n parameters, all at
// their means, outside any session.
struct NormalObjective {
  explicit NormalObjective(int n = 2) : model(n) {
    objective.Evaluate(data.Values, 0, false);
    DefaultAlgorithmData(data);
    data.Values[1] = M::Mean1;
    data.Values[2] = M::Mean2;
    BuildFuseGroups(data, groups);
  }
  BivariateNormalModel model;
  AlgorithmData data;
  FuseGroups groups;
  AppState state;
  ModelOutputs outputs;
  PriorTerm prior;
  Objective objective{model, data, groups, state, outputs, prior};
};

// Parameter 1 at n points of step h around its mean; the first k of the
// parameters 2, 3, ... on m points of step s around their values.
PosteriorGridSpec Spec(const NormalObjective& o, int n, double h, int k, int m,
                       std::vector<double> s) {
  PosteriorGridSpec spec;
  spec.EvaluatedParameter = 1;
  spec.Centre = o.data.Values[1];
  spec.Step = h;
  spec.PointCount = static_cast<std::int16_t>(n);
  spec.GridPointCount = static_cast<std::int16_t>(m);
  spec.GridParameterCount = k;
  for (int i = 0; i < k; ++i) {
    spec.GridParameter[static_cast<size_t>(i)] = static_cast<std::int16_t>(i + 2);
    spec.GridCentre[static_cast<size_t>(i)] = o.data.Values[i + 2];
    spec.GridStep[static_cast<size_t>(i)] = s[static_cast<size_t>(i)];
  }
  spec.ObjectiveScale = 1.0;
  OneBased<double> P = o.data.Values;
  spec.ReferenceObjective = M::MinusLnL(P);
  return spec;
}

struct GridRun {
  PosteriorGridResult result;
  OneBased<double> work;
};

GridRun Integrate(NormalObjective& o, const PosteriorGridSpec& spec, PosteriorGridProgress& progress) {
  GridRun run;
  run.result.Prepare(spec);
  run.work = o.data.Values;
  IntegratePosterior(o.objective, spec, o.data.Values, run.work, progress, run.result);
  return run;
}

GridRun Integrate(NormalObjective& o, const PosteriorGridSpec& spec) {
  PosteriorGridProgress quiet;
  return Integrate(o, spec, quiet);
}

TEST(PosteriorIntegrationTest, MarginalAndJointOfABivariateNormal) {
  // Parameter 1 over its mean +- 6 SD at 101 points, parameter 2 over its
  // mean +- 7.5 SD at 121 points: the grid sums of a Gaussian at these
  // spacings (an eighth of an SD) are exact far below 1e-6, and the cut
  // tails hold less than 1e-8 of the mass.
  NormalObjective o;
  const auto spec = Spec(o, 101, 12 * M::Sd1 / 100, 1, 121, {15 * M::Sd2 / 120});
  const GridRun run = Integrate(o, spec);
  const auto& r = run.result;
  ASSERT_EQ(r.PointsKept, 101);
  EXPECT_EQ(r.EvaluationCount, 101 * 121);
  EXPECT_EQ(r.BestPoint, 51);
  EXPECT_DOUBLE_EQ(r.BestValue, M::Mean1);

  // Moments of the marginal exp(-Objective[p]) by plain sums over the points.
  double s0 = 0, s1 = 0, s2 = 0;
  for (int p = 1; p <= 101; ++p) {
    const double d = std::exp(-r.Objective[p]);
    s0 += d;
    s1 += d * r.Values[p];
    s2 += d * r.Values[p] * r.Values[p];
  }
  const double mean = s1 / s0;
  EXPECT_NEAR(mean, M::Mean1, 1e-3);
  EXPECT_NEAR(std::sqrt(s2 / s0 - mean * mean), M::Sd1, 1e-3);

  // The weighted correlation of the joint densities is rho.
  const BivariateGrid& g = r.Bivariate;
  ASSERT_TRUE(g.Exists());
  double w = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (int p = 1; p <= g.PointCount(); ++p)
    for (int j = 1; j <= g.GridPointCount(); ++j) {
      const double d = g.Density(p, j), x = g.X[p], y = g.Y[j];
      w += d, sx += d * x, sy += d * y, sxx += d * x * x, syy += d * y * y, sxy += d * x * y;
    }
  const double rho = (sxy - sx * sy / w) / std::sqrt((sxx - sx * sx / w) * (syy - sy * sy / w));
  EXPECT_NEAR(rho, M::Rho, 1e-3);
  // The peak is the centre node, where F equals the reference: density 1.
  EXPECT_DOUBLE_EQ(g.PeakDensity, 1.0);
  EXPECT_DOUBLE_EQ(g.PeakX, M::Mean1);
  EXPECT_DOUBLE_EQ(g.PeakY, M::Mean2);
}

TEST(PosteriorIntegrationTest, NodesCoverEveryCombinationOfGridPoints) {
  // Two grid parameters, n = 3, m = 3: each point sums 9 nodes, checked
  // against the same sum written out here.
  NormalObjective o(3);
  o.data.Values[3] = 0.25;
  const auto spec = Spec(o, 3, 0.2, 2, 3, {0.5, 0.3});
  const GridRun run = Integrate(o, spec);
  EXPECT_EQ(run.result.EvaluationCount, 27);
  for (int p = 1; p <= 3; ++p) {
    double sum = 0;
    for (int a = 1; a <= 3; ++a)
      for (int b = 1; b <= 3; ++b) {
        OneBased<double> P = {M::Mean1 - (2 - p) * 0.2, M::Mean2 - (2 - a) * 0.5, 0.25 - (2 - b) * 0.3};
        sum += std::exp(-(M::MinusLnL(P) - spec.ReferenceObjective));
      }
    EXPECT_NEAR(run.result.Objective[p], -std::log(sum), 1e-12) << "point " << p;
  }
  // The current values never move; only the work vector does.
  EXPECT_DOUBLE_EQ(o.data.Values[2], M::Mean2);
  EXPECT_DOUBLE_EQ(o.data.Values[3], 0.25);
  EXPECT_FALSE(run.result.Bivariate.Exists());
}

TEST(PosteriorIntegrationTest, WithoutGridParametersEachPointIsOneEvaluation) {
  NormalObjective o;
  const auto spec = Spec(o, 5, 0.5, 0, 0, {});
  const GridRun run = Integrate(o, spec);
  EXPECT_EQ(run.result.EvaluationCount, 5);
  for (int p = 1; p <= 5; ++p) {
    OneBased<double> P = {M::Mean1 - (3 - p) * 0.5, M::Mean2};
    EXPECT_DOUBLE_EQ(run.result.Values[p], P[1]);
    EXPECT_DOUBLE_EQ(run.result.Objective[p], M::MinusLnL(P));
  }
  EXPECT_FALSE(run.result.Bivariate.Exists());
}

TEST(PosteriorIntegrationTest, FiveByThreeGridHoldsEveryNode) {
  NormalObjective o;
  const auto spec = Spec(o, 5, 0.1, 1, 3, {0.4});
  const GridRun run = Integrate(o, spec);
  const BivariateGrid& g = run.result.Bivariate;
  EXPECT_EQ(run.result.EvaluationCount, 15);
  ASSERT_EQ(g.PointCount(), 5);
  ASSERT_EQ(g.GridPointCount(), 3);
  EXPECT_EQ(g.XParameter, 1);
  EXPECT_EQ(g.YParameter, 2);
  for (int p = 1; p <= 5; ++p) EXPECT_DOUBLE_EQ(g.X[p], M::Mean1 + (p - 3) * 0.1);
  for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(g.Y[j], M::Mean2 + (j - 2) * 0.4);
  OneBased<double> P = {g.X[4], g.Y[1]};
  EXPECT_DOUBLE_EQ(g.Density(4, 1), std::exp(-(M::MinusLnL(P) - spec.ReferenceObjective)));
}

// Stops when the given grid level enters its given point at point p.
struct StopAt : PosteriorGridProgress {
  int point, level;
  int current = 0;
  StopAt(int p, int l) : point(p), level(l) {}
  void PointStarted(int p, double) override { current = p; }
  bool LevelEntered(int l, int j) override { return !(current == point && l == level && j == 2); }
  bool PointFinished(int p) override { return level != 0 || p != point; }
};

// An even count would leave the confidence distribution without its last
// point (its cumulative value 0, its confidence columns negative).
TEST(PosteriorIntegrationTest, AStopKeepsAnOddNumberOfThePointsUpToTwoBeforeIt) {
  struct Case {
    int k, stopPoint, level, kept;
  } cases[] = {
      {2, 4, 2, 1},  // inside the innermost loop of point 4: two, made odd
      {2, 7, 2, 5},  // inside point 7
      {1, 5, 1, 3},  // in the outer loop of point 5
      {0, 3, 0, 1},  // after point 3 without grid parameters
      {1, 1, 1, 0},  // at once: nothing is kept
  };
  for (const Case& c : cases) {
    NormalObjective o(3);
    const auto spec = Spec(o, 7, 0.1, c.k, 3, {0.5, 0.5});
    StopAt stop(c.stopPoint, c.level);
    const GridRun run = Integrate(o, spec, stop);
    EXPECT_TRUE(run.result.Stopped) << c.k;
    EXPECT_EQ(run.result.StoppedAtPoint, c.stopPoint) << c.k;
    EXPECT_EQ(run.result.PointsKept, c.kept) << c.k;
  }
}

TEST(PosteriorIntegrationTest, TheLoopsAllocateNothing) {
  NormalObjective o(4);
  const auto spec = Spec(o, 5, 0.1, 3, 5, {0.5, 0.5, 0.5});
  PosteriorGridResult result;
  result.Prepare(spec);
  OneBased<double> work = o.data.Values;
  PosteriorGridProgress quiet;
  testing::AllocationCounter counter;
  IntegratePosterior(o.objective, spec, o.data.Values, work, quiet, result);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(result.EvaluationCount, 5 * 125);
}

}  // namespace
}  // namespace quorvane
