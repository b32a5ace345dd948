#include <gtest/gtest.h>

#include "app/results_change.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

// Which results each change must discard, and which it must keep.
struct ChangeCase {
  const char* name;
  ResultsChange change;
  bool simplex;
  bool covarianceFlag;
  bool covarianceResults;
  bool evaluation;
  bool editHook;
};

class StaleResultsTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(StaleResultsTest, ForgetsExactlyWhatNoLongerBelongs) {
  const ChangeCase& c = GetParam();
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Simplex.Exists = true;
  session.State.CovarianceAvailable = true;
  session.Covariance.CovarianceMethod = "A";
  session.Covariance.nCov = 2;
  session.Evaluation.EvaluationCurrent = true;
  int hookRuns = 0;
  session.OnParameterSetEdited = [&] { ++hookRuns; };

  ForgetStaleResults(session, c.change);

  EXPECT_EQ(session.Simplex.Exists, !c.simplex);
  EXPECT_EQ(session.State.CovarianceAvailable, !c.covarianceFlag);
  EXPECT_EQ(session.Covariance.CovarianceMethod.empty(), c.covarianceResults);
  EXPECT_EQ(session.Covariance.nCov == 0, c.covarianceResults);
  EXPECT_EQ(session.Evaluation.EvaluationCurrent, !c.evaluation);
  EXPECT_EQ(hookRuns, c.editHook ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Events, StaleResultsTest,
    ::testing::Values(
        // name, change, simplex, covariance flag, covariance results, evaluation, edit hook
        ChangeCase{"ParameterSetEdited", ResultsChange::ParameterSetEdited, true, true, false, false, true},
        ChangeCase{"AlgorithmDataLoaded", ResultsChange::AlgorithmDataLoaded, true, true, true, true, false},
        ChangeCase{"ModelSetUp", ResultsChange::ModelSetUp, true, true, true, true, false},
        ChangeCase{"EstimatesMoving", ResultsChange::EstimatesMoving, false, true, true, false, false},
        ChangeCase{"ObjectiveChanged", ResultsChange::ObjectiveChanged, true, false, false, false, false},
        ChangeCase{"EstimatesMovedOutsideSimplex", ResultsChange::EstimatesMovedOutsideSimplex, true, false,
                   false, false, false}),
    [](const auto& param) { return std::string(param.param.name); });

// Without a registered hook an edit still forgets its results.
TEST(StaleResultsTest, AnEditWithoutAHookStillForgets) {
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Simplex.Exists = true;
  session.State.CovarianceAvailable = true;
  ForgetStaleResults(session, ResultsChange::ParameterSetEdited);
  EXPECT_FALSE(session.Simplex.Exists);
  EXPECT_FALSE(session.State.CovarianceAvailable);
}

}  // namespace
}  // namespace quorvane
