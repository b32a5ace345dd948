// The axial search and the verification it drives: the strict margin, the
// relative margin with a negative best value, the restart and its panels,
// and what an accepted minimum reports.
#include <gtest/gtest.h>

#include "minimize/axial_search.h"
#include "minimize/profile_point_link.h"
#include "minimize/simplex_fixture.h"
#include "minimize/simplex_verify.h"
#include "minimize/simplex_window.h"

namespace quorvane::testing {
namespace {

// Three parameters, the second fixed, so free axis 2 is parameter 3. The
// best vertex is vertex 1 at (0, 0); probes move it by 0.5 * 1.
class AxialSearchTest : public SimplexSession {
 protected:
  AxialSearchTest() : SimplexSession(3, [](const OneBased<double>&) { return 5.0; }) {
    SetParameters({0, 4, 0}, {1, 0, 1});
    data().ReductionFraction = 0.5;
    PlaceSimplex({{0, 0}, {1, 0}, {0, 1}}, {1, 2, 3});
  }

  AxialResult Search(double limit, double fBest, std::vector<double> probes) {
    data().Tolerance = limit;
    model_.Queue.assign(probes.begin(), probes.end());
    model_.Points.clear();
    session_.FunctionCallCount = 0;
    return AxialSearch(session_, fBest);
  }
};

TEST(AxialMarginTest, AbsoluteZeroAndRelativeOfTheMagnitude) {
  EXPECT_EQ(AxialMargin(0.25, 1.0), 0.25);
  EXPECT_EQ(AxialMargin(0.25, -7.0), 0.25);
  EXPECT_EQ(AxialMargin(0.0, 5.0), 0.0);
  EXPECT_EQ(AxialMargin(-0.1, 10.0), 1.0);
  EXPECT_EQ(AxialMargin(-0.1, -10.0), 1.0);
}

TEST_F(AxialSearchTest, ProbesLeaveTheBestVertexExactlyWhereItWas) {
  // 0.1 and -0.3 are not representable, and a step of 1E15 swamps them:
  // (x + s) - 2s + s is not x.
  PlaceSimplex({{0.1, -0.3}, {1, 0}, {0, 1}}, {1, 2, 3});
  data().ReductionFraction = 1e15;
  EXPECT_FALSE(Search(0.25, 1.0, {5, 5, 5, 5}).Failed);
  EXPECT_EQ(simplex().Vertex(1, 1), 0.1);
  EXPECT_EQ(simplex().Vertex(2, 1), -0.3);
}

TEST_F(AxialSearchTest, AProbeExactlyAtTheMarginIsNoImprovement) {
  std::vector<std::string> panel2;
  ui_.onPump = [&] { panel2.push_back(Panel(2)); };
  const AxialResult result = Search(0.25, 1.0, {0.75, 0.75, 0.75, 0.75});
  EXPECT_FALSE(result.Failed);
  // Up and down along each axis, back to the start value each time.
  ASSERT_EQ(model_.Points.size(), 4u);
  EXPECT_EQ(model_.Points[0], (OneBased<double>{0.5, 4, 0}));
  EXPECT_EQ(model_.Points[1], (OneBased<double>{-0.5, 4, 0}));
  EXPECT_EQ(model_.Points[2], (OneBased<double>{0, 4, 0.5}));
  EXPECT_EQ(model_.Points[3], (OneBased<double>{0, 4, -0.5}));
  EXPECT_EQ(simplex().Vertex(1, 1), 0.0);
  EXPECT_EQ(simplex().Vertex(2, 1), 0.0);
  EXPECT_EQ(simplex().VertexValue[1], 1.0);
  // Each probe's count is shown before the next probe; the panel ends as one blank.
  EXPECT_EQ(panel2, (std::vector<std::string>{"", "Axial function call 1 of 4",
                                              "Axial function call 2 of 4",
                                              "Axial function call 3 of 4"}));
  EXPECT_EQ(Panel(2), " ");
  EXPECT_EQ(Panel(3), "");
}

TEST_F(AxialSearchTest, TheFirstImprovingProbeStopsTheSearch) {
  const AxialResult result = Search(0.25, 1.0, {1.0, 0.9, 0.7});
  EXPECT_TRUE(result.Failed);
  EXPECT_EQ(result.Parameter, 3);  // free axis 2 is parameter 3
  EXPECT_EQ(model_.Points.size(), 3u);
  EXPECT_EQ(simplex().Reflected[1], 0.0);
  EXPECT_EQ(simplex().Reflected[2], 0.5);
  // The best vertex stays displaced along that axis; its value is untouched.
  EXPECT_EQ(simplex().Vertex(2, 1), 0.5);
  EXPECT_EQ(simplex().VertexValue[1], 1.0);
}

TEST_F(AxialSearchTest, RelativeMarginWithANegativeBestValue) {
  // L = -0.1 and fBest = -10: a probe must lie below -10 - 1 = -11.
  struct Case {
    double probe;
    bool restarts;
  };
  for (const Case& c : {Case{-10.5, false}, Case{-11.0, false}, Case{-11.01, true}}) {
    PlaceSimplex({{0, 0}, {1, 0}, {0, 1}}, {-10, 2, 3});
    const AxialResult result = Search(-0.1, -10.0, {c.probe, 0, 0, 0});
    EXPECT_EQ(result.Failed, c.restarts) << c.probe;
  }
}

// Verification: a failed axial search restarts the simplex around the
// probe; the first restart names the parameter, the second also warns.
TEST_F(AxialSearchTest, RestartsRebuildAroundTheProbeAndFillThePanels) {
  data().Tolerance = 0.25;
  model_.Queue = {0.5, /* rebuilt vertices */ 0.4, 0.6, 0.7};
  VerifySimplexMinimum(session_);

  EXPECT_FALSE(simplex().Done);
  EXPECT_EQ(simplex().Restarts, 1);
  EXPECT_EQ(Panel(1), "");
  EXPECT_EQ(Panel(3), "Last failure of convergence verification caused by parameter # 1");
  EXPECT_EQ(Panel(4), "");
  // Vertex 1 is the probe (0.5, 0); vertices 2 and 3 are the old ones moved
  // by 0.5 along axes 1 and 2; all n + 1 are evaluated again and ranked.
  EXPECT_EQ(simplex().Vertex(1, 1), 0.5);
  EXPECT_EQ(simplex().Vertex(2, 1), 0.0);
  EXPECT_EQ(simplex().Vertex(1, 2), 1.5);
  EXPECT_EQ(simplex().Vertex(2, 2), 0.0);
  EXPECT_EQ(simplex().Vertex(1, 3), 0.0);
  EXPECT_EQ(simplex().Vertex(2, 3), 1.5);
  EXPECT_EQ(session_.FunctionCallCount, 1 + 3);
  EXPECT_EQ(simplex().VertexValue[1], 0.4);
  EXPECT_EQ(simplex().Best, 1);
  EXPECT_EQ(simplex().Worst, 3);

  // A second failure, on the down probe of parameter 3.
  model_.Queue = {0.4, 0.4, 0.4, 0.1, 1, 1, 1};
  VerifySimplexMinimum(session_);
  EXPECT_EQ(simplex().Restarts, 2);
  EXPECT_EQ(Panel(3), "Last failure of convergence verification caused by parameter # 3");
  EXPECT_EQ(Panel(4), "Multiple restarts indicate a tuning problem!");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(AxialSearchTest, AnAcceptedMinimumIsReportedOnce) {
  data().Tolerance = 0.25;
  session_.FunctionCallCount = 41;
  simplex().Iterations = 17;
  simplex().InterruptRequested = true;
  VerifySimplexMinimum(session_);

  EXPECT_TRUE(simplex().Done);
  EXPECT_FALSE(simplex().InterruptRequested);
  EXPECT_EQ(window().Text(SimplexWindow::kPane),
            "\r\nMinimum of 1. found at these 2 adjusted parameter values:\r\n\r\n"
            "    001)  0.0000000E+00  ~~  Parameter 1\r\n"
            "    003)  0.0000000E+00  ~~  Parameter 3\r\n"
            "\r\nThis result required 17 iterations, 45 function calls, and 0 restarts\r\n");
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_EQ(ui_.Log[0].text, "Minimum found using Simplex!");
  EXPECT_EQ(ui_.Log[0].title, "Simplex minimum");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Panel(p), "") << p;
}

class RecordingLink : public ProfilePointLink {
 public:
  std::int16_t CurrentPoint() const override { return 4; }
  std::int16_t PointCount() const override { return 11; }
  void StoreMinimum(double minimum, double value) override { Stored.push_back({minimum, value}); }
  void StopAfterThisPoint() override { ++Stops; }
  std::vector<std::pair<double, double>> Stored;
  int Stops = 0;
};

TEST_F(AxialSearchTest, InProfileModeTheMinimumIsHandedOverSilently) {
  data().Tolerance = 0.25;
  session_.State.ProfileMode = true;
  session_.State.ProfiledParameter = 2;
  RecordingLink link;
  VerifySimplexMinimum(session_, &link);
  EXPECT_TRUE(simplex().Done);
  EXPECT_EQ(link.Stored, (std::vector<std::pair<double, double>>{{1.0, 4.0}}));
  EXPECT_TRUE(ui_.Log.empty());
  EXPECT_EQ(window().Text(SimplexWindow::kPane), "");
}

}  // namespace
}  // namespace quorvane::testing
