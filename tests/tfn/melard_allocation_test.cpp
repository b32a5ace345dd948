#include <gtest/gtest.h>

#include <vector>

#include "support/allocation_counter.h"
#include "tfn/arma_autocovariance.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using testing::AllocationCounter;

TEST(MelardLikelihoodTest, AllocatesNothingWithACallerOwnedWorkspace) {
  const auto w = testing::SimulatedArmaSeries({0.5}, {0.3}, 200, 4);
  std::vector<double> a(w.size()), h(w.size());
  const std::vector<std::vector<double>> phis = {{}, {0.5}, {0.5, -0.2}, {0.5, -0.2, 0.1}};
  const std::vector<std::vector<double>> thetas = {{}, {0.3}, {0.3, 0.2}, {0.3, 0.2, -0.1}};
  const std::vector<double> nonStationary = {0.5, 0.6};
  MelardWorkspace work(3);

  AllocationCounter counter;
  double sink = 0;
  for (std::size_t m = 0; m <= 3; ++m) {
    sink += MelardLikelihood(phis[m], thetas[m], w, a, h, work).Fact;  // p = q = m
    sink += MelardLikelihood(phis[m], {}, w, a, h, work).Fact;         // pure AR path
    sink += ArmaAutocovariance(phis[m], thetas[m], work) ? 1 : 0;
  }
  sink += MelardLikelihood(nonStationary, thetas[2], w, a, h, work).Fact;
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_GT(sink, 0);
}

}  // namespace
}  // namespace quorvane
