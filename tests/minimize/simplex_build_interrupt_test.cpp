// An interrupt pressed while the initial simplex is built is answered at
// the next evaluation, not after all n + 1 of them.
#include <gtest/gtest.h>

#include "minimize/simplex_fixture.h"
#include "minimize/simplex_run.h"
#include "minimize/simplex_window.h"

namespace quorvane::testing {
namespace {

constexpr int kParameters = 40;

double Bowl(const OneBased<double>& P) {
  double f = 0;
  for (int i = 1; i <= P.size(); ++i) f += (P[i] - 1) * (P[i] - 1);
  return f;
}

class SimplexBuildInterruptTest : public SimplexSession {
 protected:
  SimplexBuildInterruptTest() : SimplexSession(kParameters, Bowl) {
    SetParameters(std::vector<double>(kParameters, 0.0), std::vector<double>(kParameters, 0.5));
    data().Tolerance = 1e-6;
    data().MaxFunctionCalls = 100000;
  }
};

TEST_F(SimplexBuildInterruptTest, TheQuestionComesDuringTheBuild) {
  struct Case {
    Answer answer;
    SimplexOutcome outcome;
  };
  for (const Case& c : {Case{Answer::Yes, SimplexOutcome::Interrupted},
                        Case{Answer::No, SimplexOutcome::Finished}}) {
    SCOPED_TRACE(c.answer == Answer::Yes ? "quit" : "go on");
    SetParameters(std::vector<double>(kParameters, 0.0), std::vector<double>(kParameters, 0.5));
    simplex().Exists = false;
    simplex().Allocate(kParameters);
    model_.NFs.clear();
    ui_.Log.clear();
    int pumps = 0;
    // Pump 1 comes before the build, pump 3 after the build's second call.
    ui_.onPump = [&] {
      if (++pumps == 3) window().Click(SimplexWindow::kStop);
    };
    ui_.Answer(c.answer);
    const size_t before = ui_.Log.size();
    EXPECT_EQ(RunSimplex(session_), c.outcome);
    ASSERT_GT(ui_.Log.size(), before);
    EXPECT_EQ(ui_.Log[before].text, "Interrupt received. Do you want to quit minimizing?");
    if (c.answer == Answer::Yes) {
      EXPECT_EQ(model_.NFs.size(), 2u);  // not the 41 of the whole build
      EXPECT_FALSE(simplex().Exists);  // the next run builds anew
      for (int i = 1; i <= kParameters; ++i) EXPECT_EQ(data().Values[i], 0.0) << i;
      EXPECT_NE(window().Text(SimplexWindow::kPane).find("interrupted while the initial simplex"),
                std::string::npos);
    } else {
      EXPECT_TRUE(simplex().Exists);
      EXPECT_GT(model_.NFs.size(), static_cast<size_t>(kParameters + 1));
    }
  }
}

}  // namespace
}  // namespace quorvane::testing
