// The objective-function protocol from the engine's side.
#include "core/evaluate_objective.h"

#include <gtest/gtest.h>

#include "core/fuse_groups.h"
#include "core/core_session.h"

namespace quorvane {
namespace {

using ObjectiveTest = testing::CoreSession;

TEST_F(ObjectiveTest, SetUpSizesTheParameterSetFromTheModel) {
  EXPECT_TRUE(state().InitializeAlready);
  EXPECT_EQ(data().ParameterCount, 3);
  EXPECT_EQ(data().Descriptions[2], "Description of parameter 2");
  EXPECT_EQ(data().Values, (OneBased<double>{0, 0, 0}));
  EXPECT_EQ(data().FuseCodes, (OneBased<std::string>{"~~", "~~", "~~"}));
  EXPECT_EQ(session_.Outputs.NOBS, 100);
  EXPECT_EQ(EnabledCount(), 3);  // Initialize, Load and Quit
}

TEST_F(ObjectiveTest, TheModelSeesFusedValuesAndTheModeAndPriorsAreAddedOnlyWhenAsked) {
  data().FuseCodes = {"A", "~~", "A"};
  data().Steps = {0.1, 0.1, 0.1};
  BuildFuseGroups(data(), session_.Fuse);
  double priorAt = 0.0;
  session_.SetPriorObjective([&](const OneBased<double>& P) {
    priorAt = P[3];
    return 10.0;
  });

  OneBased<double> P{1.5, 2, 99};
  // sum (P[i] - i)^2 at (1.5, 2, 1.5) = 0.25 + 0 + 2.25
  EXPECT_DOUBLE_EQ(EvaluateObjective(session_, P, 7, true), 2.5);
  ASSERT_EQ(model_.Calls.size(), 1u);
  EXPECT_EQ(model_.Calls[0].NF, 7);
  EXPECT_EQ(model_.Calls[0].P, (OneBased<double>{1.5, 2, 1.5}));
  EXPECT_EQ(P[3], 1.5);  // filled in, in place

  state().PriorsActive = true;
  EXPECT_DOUBLE_EQ(EvaluateObjective(session_, P, 1, true), 12.5);
  EXPECT_EQ(priorAt, 1.5);  // the priors see the expanded vector
  EXPECT_DOUBLE_EQ(EvaluateObjective(session_, P, 1, false), 2.5);
}

// The priors windows give the session a prior and its thread-safe twin; a
// prior set later without a twin must not leave the old twin for the
// threaded grids, which would then add another prior than this thread.
TEST_F(ObjectiveTest, ANewPriorWithoutAThreadSafeTwinLeavesNoneForTheThreads) {
  state().PriorsActive = true;
  ASSERT_NE(session_.MakeObjective().ConcurrentPriorTerm(), nullptr);
  session_.SetPriorObjective([](const OneBased<double>&) { return 1.0; });
  EXPECT_TRUE(session_.MakeObjective().AddsPrior(true));
  EXPECT_EQ(session_.MakeObjective().ConcurrentPriorTerm(), nullptr);
}

TEST_F(ObjectiveTest, DerivativeCallsStartFromZerosSoAModelWithoutThemIsRecognised) {
  session_.Outputs.GRAD = {5, 5, 5};
  session_.Outputs.HESS.assign(3, 3, 5.0);
  OneBased<double> P{1, 2, 3};
  EvaluateObjective(session_, P, -2, false);
  EXPECT_EQ(session_.Outputs.GRAD, (OneBased<double>{0, 0, 0}));
  EXPECT_EQ(session_.Outputs.HESS, OneBasedMatrix(3, 3, 0.0));
  EXPECT_EQ(session_.Outputs.NSAMPLE, 0);
}

TEST(ObjectiveAnalyticTest, AModelWithDerivativesFillsGradAndHess) {
  testing::ScriptedUi ui;
  testing::RecordingModel model(2, true);
  Session session(ui, &model);
  session.Start();
  SetUpModel(session);
  OneBased<double> P{0, 0};
  EvaluateObjective(session, P, -2, false);
  EXPECT_EQ(session.Outputs.GRAD, (OneBased<double>{1, 2}));
  EXPECT_EQ(session.Outputs.HESS(2, 2), 1.0);
  EXPECT_EQ(session.Outputs.HESS(1, 2), 0.0);
}

}  // namespace
}  // namespace quorvane
