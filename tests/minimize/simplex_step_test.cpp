// The Simplex steps on a simplex put in place by hand, with the objective
// values of the trial points dictated, so each branch of the decision table
// is reached exactly.
#include <gtest/gtest.h>

#include "minimize/simplex_fixture.h"
#include "minimize/simplex_steps.h"

namespace quorvane::testing {
namespace {

using Points = std::vector<std::vector<double>>;

class SimplexStepTest : public SimplexSession {
 protected:
  SimplexStepTest() : SimplexSession(2, [](const OneBased<double>&) { return 0.0; }) {
    SetParameters({0, 0}, {1, 1});
  }

  // Vertices (0,0), (1,0), (0,1) worth 1, 2, 3: best 1, worst 3, centroid
  // (0.5, 0), reflected point (1, -1).
  void PlaceStandardSimplex() { PlaceSimplex({{0, 0}, {1, 0}, {0, 1}}, {1, 2, 3}); }

  Points Vertices() {
    Points out;
    for (int v = 1; v <= 3; ++v) out.push_back({simplex().Vertex(1, v), simplex().Vertex(2, v)});
    return out;
  }
  std::vector<double> Values() {
    return {simplex().VertexValue[1], simplex().VertexValue[2], simplex().VertexValue[3]};
  }
};

struct StepCase {
  const char* what;
  std::vector<double> trialValues;  // what the model returns, in order
  int improved;
  std::string action;
  Points vertices;  // after the step
  std::vector<double> values;
  double trialValue;
};

TEST_F(SimplexStepTest, DecisionTable) {
  const std::vector<StepCase> cases = {
      {"beats all, expansion better: extension", {0.5, 0.2}, 3, "Extension             ",
       {{0, 0}, {1, 0}, {1.5, -2}}, {1, 2, 0.2}, 0.5},
      {"beats all, expansion only equal: reflection kept", {0.5, 0.5}, 3, "Reflection            ",
       {{0, 0}, {1, 0}, {1, -1}}, {1, 2, 0.5}, 0.5},
      {"equal to the best: not an expansion", {1.0}, 2, "Reflection            ",
       {{0, 0}, {1, 0}, {1, -1}}, {1, 2, 1.0}, 1.0},
      {"beats two", {1.5}, 2, "Reflection            ", {{0, 0}, {1, 0}, {1, -1}}, {1, 2, 1.5},
       1.5},
      {"beats only the worst, contraction better", {2.5, 2.4}, 1, "Reflection-Contraction",
       {{0, 0}, {1, 0}, {0.75, -0.5}}, {1, 2, 2.4}, 2.4},
      {"equal to the middle vertex counts as beating only the worst", {2.0, 1.9}, 1,
       "Reflection-Contraction", {{0, 0}, {1, 0}, {0.75, -0.5}}, {1, 2, 1.9}, 1.9},
      {"beats only the worst, contraction only equal: reduction", {2.5, 2.5, 7, 8}, 1,
       "Reflection-Reduction  ", {{0, 0}, {0.5, 0}, {0.5, -0.5}}, {1, 7, 8}, 2.5},
      {"equal to the worst: the old worst contracts", {3.0, 2.9}, 0, "Contraction           ",
       {{0, 0}, {1, 0}, {0.25, 0.5}}, {1, 2, 2.9}, 2.9},
      {"worse than all, contraction no better: reduction", {4, 3.5, 7, 8}, 0,
       "Reduction             ", {{0, 0}, {0.5, 0}, {0, 0.5}}, {1, 7, 8}, 3.5},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    PlaceStandardSimplex();
    session_.FunctionCallCount = 0;
    model_.NFs.clear();
    model_.Queue.assign(c.trialValues.begin(), c.trialValues.end());

    SimplexStep(session_);

    EXPECT_EQ(simplex().Improved, c.improved);
    EXPECT_EQ(simplex().Action, c.action);
    EXPECT_EQ(Vertices(), c.vertices);
    EXPECT_EQ(Values(), c.values);
    EXPECT_EQ(simplex().TrialValue, c.trialValue);
    // Every dictated value was asked for, each call with the running count as NF.
    EXPECT_TRUE(model_.Queue.empty());
    std::vector<std::int32_t> counts;
    for (int i = 1; i <= static_cast<int>(c.trialValues.size()); ++i) counts.push_back(i);
    EXPECT_EQ(model_.NFs, counts);
    EXPECT_EQ(session_.FunctionCallCount, static_cast<int>(c.trialValues.size()));
    // The first trial is always the reflection of the worst vertex.
    EXPECT_EQ(model_.Points.front(), (OneBased<double>{1, -1}));
    model_.Points.clear();
  }
}

TEST_F(SimplexStepTest, ReplaceWorstLeavesTheRankingAlone) {
  PlaceStandardSimplex();
  ReplaceWorst(simplex(), OneBased<double>{9, 9}, 0.0, 2);
  EXPECT_EQ(Vertices()[2], (std::vector<double>{9, 9}));
  EXPECT_EQ(simplex().VertexValue[3], 0.0);
  EXPECT_EQ(simplex().Worst, 3);
  EXPECT_EQ(simplex().Best, 1);
}

struct RankCase {
  std::vector<double> values;
  int best;
  int worst;
  std::vector<double> centroid;
};

TEST_F(SimplexStepTest, RankingTiesKeepTheLowerVertexNumber) {
  const std::vector<RankCase> cases = {
      {{1, 2, 3}, 1, 3, {0.5, 0}},
      {{3, 2, 1}, 3, 1, {0.5, 0.5}},
      {{2, 1, 1}, 2, 1, {0.5, 0.5}},    // equal lowest values: the lower-numbered is best
      {{1, 3, 3}, 1, 2, {0, 0.5}},      // equal highest values: the lower-numbered is worst
      {{2, 2, 2}, 1, 1, {0.5, 0.5}},    // all equal: vertex 1 both best and worst
  };
  for (const RankCase& c : cases) {
    PlaceSimplex({{0, 0}, {1, 0}, {0, 1}}, c.values);
    EXPECT_EQ(simplex().Best, c.best) << ::testing::PrintToString(c.values);
    EXPECT_EQ(simplex().Worst, c.worst) << ::testing::PrintToString(c.values);
    EXPECT_EQ((std::vector<double>{simplex().Vertex(1, 4), simplex().Vertex(2, 4)}), c.centroid)
        << ::testing::PrintToString(c.values);
  }
}

// With one free parameter the centroid is the better vertex, so every step
// reflects the worst vertex through the best.
class OneParameterStepTest : public SimplexSession {
 protected:
  OneParameterStepTest()
      : SimplexSession(1, [](const OneBased<double>& P) { return (P[1] - 10) * (P[1] - 10); }) {
    SetParameters({0}, {1});
  }
};

TEST_F(OneParameterStepTest, ReflectsTheWorstThroughTheBest) {
  PlaceSimplex({{0}, {1}}, {100, 81});
  EXPECT_EQ(simplex().Vertex(1, 3), 1.0);
  SimplexStep(session_);
  // Reflected 2, worth 64, beats both; expanded 3, worth 49, is better still.
  EXPECT_EQ(simplex().Action, "Extension             ");
  EXPECT_EQ(simplex().Vertex(1, 1), 3.0);
  EXPECT_EQ(simplex().VertexValue[1], 49.0);
}

// The build and EvaluateVertexPoint: fixed parameters keep their values,
// the free ones are moved one at a time by their full step (negative steps
// too), the call count is passed as NF and prior terms are added.
class BuildSimplexTest : public SimplexSession {
 protected:
  BuildSimplexTest()
      : SimplexSession(3, [](const OneBased<double>& P) { return P[1] + 10 * P[2] + 100 * P[3]; }) {
    SetParameters({1, 7, 2}, {0.5, 0, -0.25});
  }
};

TEST_F(BuildSimplexTest, AxialSimplexAroundTheStartCostsNPlusOneCalls) {
  session_.State.PriorsActive = true;
  session_.SetPriorObjective([](const OneBased<double>&) { return 1000.0; });
  simplex().Allocate(3);
  simplex().CentroidColumn = 4;
  simplex().Vertex(1, 1) = 1;
  simplex().Vertex(2, 1) = 2;

  BuildInitialSimplex(session_);

  ASSERT_EQ(model_.Points.size(), 3u);
  EXPECT_EQ(model_.Points[0], (OneBased<double>{1, 7, 2}));
  EXPECT_EQ(model_.Points[1], (OneBased<double>{1.5, 7, 2}));
  EXPECT_EQ(model_.Points[2], (OneBased<double>{1, 7, 1.75}));
  EXPECT_EQ(model_.NFs, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(simplex().VertexValue[1], 1000 + 1 + 70 + 200);
  EXPECT_EQ(simplex().VertexValue[2], 1000 + 1.5 + 70 + 200);
  EXPECT_EQ(simplex().VertexValue[3], 1000 + 1 + 70 + 175);
  EXPECT_EQ(simplex().Best, 3);
  EXPECT_EQ(simplex().Worst, 2);
  // The parameter values themselves are untouched by the search's points.
  EXPECT_EQ(data().Values, (OneBased<double>{1, 7, 2}));
}

}  // namespace
}  // namespace quorvane::testing
