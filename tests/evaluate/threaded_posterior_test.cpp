// The posterior grid on worker threads with test models: the same series,
// densities and .grd text as on one thread, an interrupt asked with the
// workers still and honoured either way, and a model that cannot be copied
// evaluated on the calling thread.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/counting_normal_model.h"
#include "core/fuse_groups.h"
#include "core/model_outputs.h"
#include "core/objective.h"
#include "evaluate/bivariate_grid_file.h"
#include "evaluate/bivariate_normal_model.h"
#include "evaluate/posterior_integration.h"

namespace quorvane {
namespace {

using testing::CountingNormalModel;
using testing::EvaluationTally;

bool SameBits(const OneBased<double>& a, const OneBased<double>& b) {
  return a.size() == b.size() &&
         std::memcmp(&*a.begin(), &*b.begin(), sizeof(double) * static_cast<std::size_t>(a.size())) == 0;
}

// An objective over `model` (four parameters) outside any session.
struct ModelObjective {
  explicit ModelObjective(Model& m) : model(m) {
    objective.Evaluate(data.Values, 0, false);
    DefaultAlgorithmData(data);
    for (int i = 1; i <= data.Values.size(); ++i) data.Values[i] = i * 0.5;
    BuildFuseGroups(data, groups);
  }
  Model& model;
  AlgorithmData data;
  FuseGroups groups;
  AppState state;
  ModelOutputs outputs;
  PriorTerm prior;
  PriorTerm concurrentPrior;
  Objective objective{model, data, groups, state, outputs, prior, &concurrentPrior};
};

// Parameter 1 at n points; parameters 2..k+1 on m points.
PosteriorGridSpec Spec(const ModelObjective& o, int n, int k, int m) {
  PosteriorGridSpec spec;
  spec.EvaluatedParameter = 1;
  spec.Centre = o.data.Values[1];
  spec.Step = 0.15;
  spec.PointCount = static_cast<std::int16_t>(n);
  spec.GridPointCount = static_cast<std::int16_t>(m);
  spec.GridParameterCount = k;
  for (int i = 0; i < k; ++i) {
    spec.GridParameter[static_cast<size_t>(i)] = static_cast<std::int16_t>(i + 2);
    spec.GridCentre[static_cast<size_t>(i)] = o.data.Values[i + 2];
    spec.GridStep[static_cast<size_t>(i)] = 0.3 + 0.1 * i;
  }
  spec.ObjectiveScale = 0.75;
  OneBased<double> P = o.data.Values;
  spec.ReferenceObjective = o.objective.Evaluate(P, 1, true) / spec.ObjectiveScale;
  return spec;
}

PosteriorGridResult Integrate(ModelObjective& o, const PosteriorGridSpec& spec, int threads,
                              PosteriorGridProgress& progress) {
  PosteriorGridResult result;
  result.Prepare(spec);
  OneBased<double> work = o.data.Values;
  IntegratePosterior(o.objective, spec, o.data.Values, work, progress, result, threads);
  return result;
}

PosteriorGridResult Integrate(ModelObjective& o, const PosteriorGridSpec& spec, int threads) {
  PosteriorGridProgress quiet;
  return Integrate(o, spec, threads, quiet);
}

void ExpectSameResult(const PosteriorGridResult& threaded, const PosteriorGridResult& serial) {
  EXPECT_EQ(threaded.EvaluationCount, serial.EvaluationCount);
  EXPECT_EQ(threaded.PointsKept, serial.PointsKept);
  EXPECT_EQ(threaded.Stopped, serial.Stopped);
  EXPECT_EQ(threaded.BestPoint, serial.BestPoint);
  EXPECT_TRUE(SameBits(threaded.Values, serial.Values));
  EXPECT_TRUE(SameBits(threaded.Objective, serial.Objective));
  EXPECT_EQ(BivariateGridText(threaded.Bivariate), BivariateGridText(serial.Bivariate));
}

TEST(ThreadedPosteriorTest, FourThreadsGiveTheSameSeriesAndGridAsOne) {
  struct Case {
    int n, k, m;
  };
  // k = 1 fills the bivariate grid; k = 3 nests three levels; a prior adds
  // its term on the workers through the shared prior term.
  for (const Case c : {Case{5, 1, 3}, Case{7, 2, 5}, Case{3, 3, 5}}) {
    for (const bool withPrior : {false, true}) {
      testing::BivariateNormalModel model(4);
      ModelObjective o(model);
      if (withPrior) {
        o.state.PriorsActive = true;
        o.prior = o.concurrentPrior = [](const OneBased<double>& P) { return 0.1 * P[2] * P[2]; };
      }
      const PosteriorGridSpec spec = Spec(o, c.n, c.k, c.m);
      SCOPED_TRACE(::testing::Message() << "n " << c.n << " k " << c.k << " m " << c.m << " prior " << withPrior);
      ExpectSameResult(Integrate(o, spec, 4), Integrate(o, spec, 1));
    }
  }
}

// A user who clicks the interrupt at one grid level entry and answers the
// question; while it is asked no worker may evaluate.
class InterruptingProgress : public PosteriorGridProgress {
 public:
  InterruptingProgress(std::shared_ptr<EvaluationTally> tally, int atEntry, bool quit)
      : tally_(std::move(tally)), atEntry_(atEntry), quit_(quit) {}

  bool LevelEntered(int, int) override {
    if (++entries_ != atEntry_) return true;
    ++questions;
    if (BeforeQuestion) BeforeQuestion();
    const long before = tally_->evaluations;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(tally_->evaluations, before) << "a worker evaluated while the question was open";
    return !quit_;
  }

  int questions = 0;

 private:
  std::shared_ptr<EvaluationTally> tally_;
  int atEntry_;
  bool quit_;
  int entries_ = 0;
};

TEST(ThreadedPosteriorTest, AnInterruptIsAskedWithTheWorkersStillAndHonouredEitherWay) {
  const auto tally = std::make_shared<EvaluationTally>();
  CountingNormalModel model(4, tally);
  model.pause = std::chrono::microseconds(100);
  ModelObjective o(model);
  const PosteriorGridSpec spec = Spec(o, 9, 2, 5);  // 25 nodes and 30 level entries a point
  const PosteriorGridResult plain = Integrate(o, spec, 1);

  // No: the run goes on where it stopped and ends as without the interrupt.
  InterruptingProgress goOn(tally, 100, false);
  ExpectSameResult(Integrate(o, spec, 4, goOn), plain);
  EXPECT_EQ(goOn.questions, 1);

  // Yes in point 4: the points up to two before it remain, as on one thread.
  InterruptingProgress quitSerial(tally, 100, true), quitThreaded(tally, 100, true);
  const PosteriorGridResult serial = Integrate(o, spec, 1, quitSerial);
  const PosteriorGridResult threaded = Integrate(o, spec, 4, quitThreaded);
  EXPECT_TRUE(serial.Stopped);
  EXPECT_EQ(serial.StoppedAtPoint, 4);
  EXPECT_EQ(serial.PointsKept, 1);
  ExpectSameResult(threaded, serial);
  EXPECT_EQ(threaded.StoppedAtPoint, serial.StoppedAtPoint);
  // The workers stopped with the run: nothing evaluates afterwards.
  const long after = tally->evaluations;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(tally->evaluations, after);
}

// Cheap nodes go out in blocks of many, so the interrupt finds the workers
// inside them: they leave their blocks, and No takes them up where they
// were left.
TEST(ThreadedPosteriorTest, AnInterruptAmongBlocksOfCheapNodesGoesOnToTheSameResult) {
  const auto tally = std::make_shared<EvaluationTally>();
  CountingNormalModel model(4, tally);
  ModelObjective o(model);
  const PosteriorGridSpec spec = Spec(o, 9, 3, 15);  // 3375 nodes and 3615 level entries a point
  const PosteriorGridResult plain = Integrate(o, spec, 1);
  for (const int threads : {2, 4}) {
    InterruptingProgress goOn(tally, 5000, false);
    ExpectSameResult(Integrate(o, spec, threads, goOn), plain);
    EXPECT_EQ(goOn.questions, 1);
  }
}

TEST(ThreadedPosteriorTest, AModelThatCannotBeCopiedIsEvaluatedOnTheCallingThread) {
  const auto tally = std::make_shared<EvaluationTally>();
  CountingNormalModel model(4, tally, /*copyable=*/false);
  ModelObjective o(model);
  const PosteriorGridSpec spec = Spec(o, 5, 2, 3);
  const long before = tally->evaluations;
  const PosteriorGridResult result = Integrate(o, spec, 4);
  EXPECT_EQ(result.EvaluationCount, 5 * 9);
  EXPECT_EQ(tally->evaluations - before, 5 * 9);
  EXPECT_EQ(tally->callingThread, tally->evaluations);
}

}  // namespace
}  // namespace quorvane
