// The exact likelihood holds the values recorded from the recursion before
// negligible gain components were set to 0, and before the settled steps
// multiplied by 1/h instead of dividing by h: those changes remove
// subnormal arithmetic and divisions only, so F, every a(t) and every h(t)
// must stay as they were, up to rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tfn/melard_likelihood.h"

namespace quorvane {
namespace {

struct RecordedModel {
  std::string Name;
  std::vector<double> Phi, Theta, W, A, H;
  double SumSq = 0.0, Fact = 0.0;
};

// Reads tests/tfn/fixtures/melard_recorded.txt (its header describes the
// layout).
std::vector<RecordedModel> ReadRecordedModels() {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/tfn/fixtures/melard_recorded.txt");
  std::vector<RecordedModel> models;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string word;
    fields >> word;
    if (word == "model") {
      RecordedModel m;
      std::size_t count = 0, n = 0;
      fields >> m.Name >> word >> count;
      m.Phi.resize(count);
      for (double& v : m.Phi) fields >> v;
      fields >> word >> count;
      m.Theta.resize(count);
      for (double& v : m.Theta) fields >> v;
      fields >> word >> n;
      m.W.reserve(n);
      models.push_back(m);
    } else if (word == "result") {
      fields >> models.back().SumSq >> models.back().Fact;
    } else {
      RecordedModel& m = models.back();
      std::string h;
      double a = 0.0;
      fields >> a >> h;
      m.W.push_back(std::stod(word));
      m.A.push_back(a);
      m.H.push_back(h == "=" ? m.H.back() : std::stod(h));
    }
  }
  return models;
}

// -ln L with sigma^2 concentrated out, as the model forms it.
double Objective(double sumSq, double fact, std::size_t n) {
  const double count = static_cast<double>(n);
  return count / 2.0 * std::log(sumSq * fact / count);
}

// AR(1), MA(1), ARMA(1,1), ARMA(2,1) with phi = (0.5, -0.3) and theta = -0.4
// over 850 points, and a seasonal (1 - 0.4B)(1 - 0.5B^4) autoregression with
// an MA(1) part. The gains of every model with a moving-average part fall
// below the smallest normal number within the series (from step 229 to 733).
// Tolerance 1e-14 relative: the changes may move a result by a bit or two of
// rounding, never by more. a(t) = (w(t) - xhat_1) / sqrt(h(t)) is a
// prediction error: a bit of rounding in the prediction moves it by a bit
// of the larger of w(t) and xhat_1, which is many bits of a(t) itself where
// the prediction is nearly right (a(265) = 0.0072 of the ARMA(1,1) moves by
// 2e-16, a bit of w(265) = -1.59). So a(t) is held to 1e-14 of the larger
// of |a(t)| and |w(t)| / sqrt(h(t)).
TEST(MelardLikelihoodTest, MatchesTheValuesRecordedBeforeNegligibleGainsWereSetToZero) {
  const std::vector<RecordedModel> models = ReadRecordedModels();
  ASSERT_EQ(models.size(), 5u);
  const auto near = [](double value, double recorded, double scale = 0.0) {
    return std::fabs(value - recorded) <= 1e-14 * std::fmax(std::fabs(recorded), scale);
  };
  MelardWorkspace work(5);
  for (const RecordedModel& m : models) {
    SCOPED_TRACE(m.Name);
    const std::size_t n = m.W.size();
    ASSERT_EQ(m.A.size(), n);
    std::vector<double> a(n), h(n);
    const MelardResult result = MelardLikelihood(m.Phi, m.Theta, m.W, a, h, work);
    EXPECT_TRUE(near(result.SumSq, m.SumSq)) << result.SumSq << " vs " << m.SumSq;
    EXPECT_TRUE(near(result.Fact, m.Fact)) << result.Fact << " vs " << m.Fact;
    EXPECT_TRUE(near(Objective(result.SumSq, result.Fact, n), Objective(m.SumSq, m.Fact, n)));
    int mismatches = 0;
    for (std::size_t t = 0; t < n; ++t)
      if (!near(a[t], m.A[t], std::fabs(m.W[t]) / std::sqrt(m.H[t])) || !near(h[t], m.H[t])) {
        if (++mismatches <= 3)
          ADD_FAILURE() << "t = " << t + 1 << ": a " << a[t] << " vs " << m.A[t] << ", h " << h[t]
                        << " vs " << m.H[t];
      }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
}  // namespace quorvane
