// The minimisers evaluate the objective thousands of times; none of those
// evaluations may allocate: every point is formed in the run's own work
// vectors. Checked on the time-series model with the Nile set-up, with two
// fused parameters so that the fused values are filled in on every call.
#include <gtest/gtest.h>

#include <cmath>

#include "core/evaluate_objective.h"
#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "minimize/axial_search.h"
#include "minimize/derivatives.h"
#include "minimize/lu_decompose.h"
#include "minimize/marquardt_axial_check.h"
#include "minimize/marquardt_state.h"
#include "minimize/simplex_state.h"
#include "minimize/simplex_steps.h"
#include "app/session.h"
#include "support/allocation_counter.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

using testing::AllocationCounter;

class EvaluationAllocationTest : public ::testing::Test {
 protected:
  EvaluationAllocationTest() : session_(ui_, &app_.Model()) {
    app_.Attach(session_);
    session_.Start();
    app_.Model().SetPendingSetup(testing::NileSetup());
    SetUpModel(session_);
    // AR(1), intercept and step of examples/nile.alg with theta free too;
    // Omega(1) and Delta(1) of the step, both 0 and fixed, share a fuse code.
    AlgorithmData& data = session_.Algorithm;
    const double values[] = {0.3, 0.1, 1100, 1899, 1, -200, 0, 0};
    const double steps[] = {0.05, 0.05, 20, 0, 0, 20, 0, 0};
    for (int i = 1; i <= 8; ++i) {
      data.Values[i] = values[i - 1];
      data.Steps[i] = steps[i - 1];
    }
    data.FuseCodes[7] = data.FuseCodes[8] = "AA";
    data.TerminalFrequency = 0;
    data.FileFrequency = 0;
    BuildFuseGroups(data, session_.Fuse);
    BuildFreeParameterList(data, session_.Free);
  }

  int FreeCount() const { return session_.Free.FreeCount; }

  testing::ScriptedUi ui_;
  TfnApplication app_;
  Session session_;
};

TEST_F(EvaluationAllocationTest, SimplexStepsAndAxialSearchAllocateNothing) {
  ASSERT_EQ(session_.Fuse.GroupCount, 1);
  SimplexState& s = session_.Simplex;
  const int n = FreeCount();
  s.Allocate(session_.Algorithm.ParameterCount);
  s.CentroidColumn = n + 2;
  const auto start = [&] {
    for (int k = 1; k <= n; ++k) s.Vertex(k, 1) = session_.Free.FreeStart[k];
    BuildInitialSimplex(session_);
  };
  // The first pass sizes the work vectors and the status panels.
  start();
  SimplexStep(session_);
  AxialSearch(session_, s.VertexValue[s.Best]);

  session_.FunctionCallCount = 0;
  AllocationCounter counter;
  start();
  for (int i = 0; i < 40; ++i) {
    SimplexStep(session_);
    RankVertices(s, n);
  }
  AxialSearch(session_, s.VertexValue[s.Best]);
  const long allocations = counter.Count();
  EXPECT_GT(session_.FunctionCallCount, 50);  // every kind of step was taken
  EXPECT_EQ(allocations, 0);
}

TEST_F(EvaluationAllocationTest, MarquardtDerivativesSolveAndAxialCheckAllocateNothing) {
  const int n = FreeCount();
  MarquardtState st;
  st.Allocate(n);
  st.X = session_.Algorithm.Values;
  st.FLast = EvaluateObjective(session_, st.X, 1, true);
  const auto iteration = [&] {
    ComputeDerivatives(session_, st, DerivativeKind::Numerical);
    st.System = st.Hessian;
    for (int k = 1; k <= n; ++k) st.System(k, k) = std::fabs(st.Hessian(k, k)) * 1.001;
    st.Delta = st.Gradient;
    ASSERT_EQ(LuDecompose(st.System, n, st.Pivots), 0);
    LuSolve(st.System, n, st.Pivots, st.Delta);
    MarquardtAxialCheck(session_, st, st.FLast);
  };
  iteration();  // sizes the work vectors and the status panels

  session_.FunctionCallCount = 0;
  // The test double keeps every progress fraction; room for them all is made
  // here so that only the minimiser's own allocations are counted.
  ui_.Progress.reserve(ui_.Progress.size() + 4 * n * (n + 1));
  AllocationCounter counter;
  iteration();
  iteration();
  const long allocations = counter.Count();
  EXPECT_EQ(session_.FunctionCallCount, 2 * n * (n + 1));
  EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace quorvane
