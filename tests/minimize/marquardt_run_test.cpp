// RunMarquardt: acceptance and damping, the trial and verification limits,
// the ways a run ends, interrupts and the profile-point hand-over. The
// model's values are scripted, so each case says exactly what every trial
// and probe is worth.
#include "minimize/marquardt_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "minimize/marquardt_fixture.h"
#include "minimize/profile_point_link.h"

namespace quorvane {
namespace {

class MarquardtRunTest : public testing::MarquardtSession {
 protected:
  // Three parameters; the model's derivatives are a constant gradient and a
  // diagonal Hessian, per parameter.
  MarquardtRunTest()
      : MarquardtSession(
            3, [this](const OneBased<double>& P) { return objective_ ? objective_(P) : fallback_; },
            [this](const OneBased<double>&, OneBased<double>& GRAD, OneBasedMatrix& HESS) {
              if (!supplyDerivatives_) return;
              for (int i = 1; i <= 3; ++i) {
                GRAD[i] = gradient_[static_cast<size_t>(i - 1)];
                HESS(i, i) = curvature_[static_cast<size_t>(i - 1)];
              }
            }) {
    data().Tolerance = 0;        // no convergence test unless a case sets one
    data().MaxFunctionCalls = 0;  // no iteration limit unless a case sets one
    data().ReductionFraction = 0.1;
    SetParameters({0, 5, 0}, {1, 0, 0});  // parameter 1 is free, with step 1
    // The distinct texts status panel 1 showed, as seen at each event pump.
    ui_.onPump = [this] {
      const std::string text = Panel(1);
      if (panel1_.empty() || panel1_.back() != text) panel1_.push_back(text);
    };
  }

  void Queue(std::initializer_list<double> values) {
    model_.Queue.insert(model_.Queue.end(), values);
  }
  void Repeat(double value, int times) { model_.Queue.insert(model_.Queue.end(), times, value); }
  bool Panel1Showed(const std::string& text) const {
    return std::find(panel1_.begin(), panel1_.end(), text) != panel1_.end();
  }

  double fallback_ = 1.0;  // the objective once the queue is empty...
  std::function<double(const OneBased<double>&)> objective_;  // ...unless this is set
  std::vector<double> gradient_ = {1, 1, 1};
  std::vector<double> curvature_ = {1, 1, 1};
  bool supplyDerivatives_ = true;
  std::vector<std::string> panel1_;
};

TEST_F(MarquardtRunTest, EqualValuesAreAcceptedAndTheDampingFollowsItsSchedule) {
  data().MaxFunctionCalls = 3;
  gradient_[0] = 0.5;
  curvature_[0] = 2;
  Queue({1.0, 2.0});  // the start, then one worse trial; every later trial equals 1

  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::Stopped);
  EXPECT_EQ(Last().title, "Marquart minimization stopped");
  EXPECT_EQ(Last().text, "Maximum number of iterations reached or an interrupt was received");
  EXPECT_EQ(model_.NFs, (std::vector<std::int32_t>{1, -2, 2, 3, -2, 4, -2, 5}));
  EXPECT_EQ(session_.FunctionCallCount, 5);

  // Each step is Delta = g / (|h| (1 + Lambda)) from the accepted point.
  // Lambda: 0.001, times 10 after the worse trial, then times 0.1 after
  // each accepted one; so the three accepted steps used 0.01, 0.001, 1e-4.
  const double expected = -0.25 / 1.01 - 0.25 / 1.001 - 0.25 / 1.0001;
  EXPECT_NEAR(data().Values[1], expected, 1e-12);
  EXPECT_EQ(session_.Free.FreeStart[1], data().Values[1]);
  EXPECT_EQ(data().Values[2], 5);
  EXPECT_TRUE(window().IsOpen());
}

TEST_F(MarquardtRunTest, ATrialThatIsNotANumberCountsAsWorse) {
  data().MaxFunctionCalls = 1;
  Queue({1.0, std::nan(""), 1.0});
  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::Stopped);
  EXPECT_EQ(session_.FunctionCallCount, 3);  // the NaN trial was rejected, the next accepted
  EXPECT_EQ(Pane().find("NaN"), std::string::npos);
}

TEST_F(MarquardtRunTest, FrustrationByTheDampingLimitOrAfterTwentyFiveTrials) {
  struct Case {
    const char* what;
    std::vector<double> accepted;  // the start and the accepted trials
    std::vector<double> probes;    // the axial check's two probes, if it comes to one
    int calls;
  };
  const Case cases[] = {
      // Lambda 0.001 passes 1e20 after 24 worse trials: no axial check.
      {"damping above 1e20", {1.0}, {}, 1 + 24},
      // Three accepted steps bring Lambda to 1e-6, so 25 worse trials end
      // at 1e19; the axial check then finds nothing better.
      {"25 trials", {1.0, 0.9, 0.8, 0.7}, {0.75, 0.7}, 4 + 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    model_.NFs.clear();
    model_.Queue.clear();
    model_.Queue.assign(c.accepted.begin(), c.accepted.end());
    Repeat(2.0, c.calls - static_cast<int>(c.accepted.size()));
    model_.Queue.insert(model_.Queue.end(), c.probes.begin(), c.probes.end());

    EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::Frustrated);
    EXPECT_EQ(Last().title, "Marquardt quits in frustration");
    EXPECT_EQ(Last().text.substr(0, 16), "Consider that:\r\n");
    EXPECT_EQ(session_.FunctionCallCount, c.calls);
    EXPECT_EQ(model_.CallsWith(1), 1 + static_cast<int>(c.probes.size()));
    EXPECT_TRUE(model_.Queue.empty());
    EXPECT_FALSE(window().IsOpen());
    // The last accepted point stays.
    EXPECT_EQ(data().Values[1], session_.Free.FreeStart[1]);
  }
}

TEST_F(MarquardtRunTest, ABetterProbeAtTheTrialLimitRejectsConvergenceAndGoesOn) {
  data().MaxFunctionCalls = 5;
  fallback_ = 0.6;
  Queue({1.0, 0.9, 0.8, 0.7});
  Repeat(2.0, 25);
  Queue({0.75, 0.6});  // the minus probe is better

  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::Stopped);
  EXPECT_TRUE(Panel1Showed("Convergence rejected"));
  EXPECT_EQ(session_.FunctionCallCount, 29 + 2);  // iterations 4 and 5 after the restart
  EXPECT_EQ(Last().text, "Maximum number of iterations reached or an interrupt was received");
}

TEST_F(MarquardtRunTest, TheFifthVerificationThatFindsABetterProbeIsFrustration) {
  // A gradient of 0 keeps every trial at the accepted point, and each trial
  // equals the last accepted value, so each converges (|0| < 0.05) and is
  // verified; the plus probe is 0.1 better each time.
  data().Tolerance = 0.05;
  gradient_[0] = 0;
  struct Case {
    const char* what;
    double lastProbe;
    MarquardtOutcome outcome;
  };
  const Case cases[] = {
      {"five improving checks", 0.5, MarquardtOutcome::Frustrated},
      {"four, then none", 0.6, MarquardtOutcome::MinimumFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetParameters({0, 5, 0}, {1, 0, 0});
    model_.NFs.clear();
    model_.Queue.clear();
    Queue({1.0, 1.0, 0.9, 1.0, 0.9, 0.8, 0.9, 0.8, 0.7, 0.8, 0.7, 0.6, 0.7, 0.6});
    Queue({c.lastProbe, 0.6});

    EXPECT_EQ(Run(DerivativeKind::Analytical), c.outcome);
    EXPECT_EQ(model_.CallsWith(-2), 5);  // at the start and after each rejected check
    if (c.outcome == MarquardtOutcome::Frustrated) {
      EXPECT_EQ(Last().title, "Marquardt quits in frustration");
      EXPECT_DOUBLE_EQ(data().Values[1], 0.5);  // five moves of r * step = 0.1
    } else {
      EXPECT_EQ(Last().text, "Minimum found using Marquardt!");
      EXPECT_DOUBLE_EQ(data().Values[1], 0.4);
      EXPECT_EQ(model_.NFs.back(), 1);  // the closing evaluation, not counted
    }
    EXPECT_EQ(session_.FunctionCallCount, 6);
  }
}

TEST_F(MarquardtRunTest, MissingAnalyticalDerivativesEndTheRunAfterTheFirstCall) {
  supplyDerivatives_ = false;
  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::DerivativesMissing);
  EXPECT_EQ(Last().title, "Analytical derivatives missing");
  EXPECT_EQ(Last().text, "Sorry, analytical derivatives seem not to have been provided");
  EXPECT_EQ(session_.FunctionCallCount, 1);
}

TEST_F(MarquardtRunTest, AZeroRowInTheDampedSystemEndsTheRunWithItsParameter) {
  struct Case {
    DerivativeKind kind;
    const char* advice;
  };
  const Case cases[] = {
      // The objective does not depend on parameter 3: at P1 = 0 the
      // differences along it are exactly 0, and so is its Hessian row.
      {DerivativeKind::Numerical, "Look for statistically dead model parameters"},
      // The model's Hessian has nothing in the row of parameter 3.
      {DerivativeKind::Analytical,
       "Look for statistically dead parameters and/or suspect your analytical derivatives"},
  };
  objective_ = [](const OneBased<double>& P) { return P[1] * P[1]; };
  curvature_ = {1, 1, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    SetParameters({0, 5, 2}, {1, 0, 1});  // parameters 1 and 3 free
    EXPECT_EQ(Run(c.kind), MarquardtOutcome::SingularSystem);
    EXPECT_EQ(Last().title, "Matrix decompositon failure at parameter #3!");
    EXPECT_EQ(Last().text, c.advice);
    EXPECT_EQ(Last().icon, Icon::Exclamation);
    EXPECT_FALSE(window().IsOpen());
    EXPECT_EQ(data().Values, (OneBased<double>{0, 5, 2}));
  }
}

TEST_F(MarquardtRunTest, AnInterruptAsksAndStopsAfterTheNextAcceptedStep) {
  // Every trial is accepted and nothing else would end the run.
  int pumps = 0;
  ui_.onPump = [&] {
    if (++pumps == 4) {
      ASSERT_TRUE(window().IsEnabled("cmdStop"));
      window().Click("cmdStop");
      EXPECT_EQ(Panel(2), "Interrupt pending...");
    }
  };
  ui_.Answer(Answer::Yes);
  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::Stopped);
  ASSERT_EQ(ui_.Questions().size(), 1u);
  EXPECT_EQ(ui_.Questions()[0], "Interrupt received. Do you want to quit minimizing?");
  EXPECT_EQ(ui_.Log.front().title, "Marquardt interrupt");
  EXPECT_EQ(Last().text, "Maximum number of iterations reached or an interrupt was received");
  EXPECT_EQ(window().Get("cmdStop").caption, "&Interrupt this minimization");
  EXPECT_FALSE(window().IsEnabled("cmdStop"));  // the run is over
  EXPECT_EQ(Panel(2), "");
}

// The profile procedure's side of a profile point.
class FakeProfilePoint : public ProfilePointLink {
 public:
  std::int16_t CurrentPoint() const override { return 3; }
  std::int16_t PointCount() const override { return 25; }
  void StoreMinimum(double minimum, double value) override { stored.push_back({minimum, value}); }
  void StopAfterThisPoint() override { ++stops; }
  std::vector<std::pair<double, double>> stored;
  int stops = 0;
};

class MarquardtProfileTest : public MarquardtRunTest {
 protected:
  MarquardtProfileTest() {
    session_.State.ProfileMode = true;
    session_.State.ProfiledParameter = 2;  // fixed at 5
    marquardt().DerivativeChoice = DerivativeKind::Analytical;
    marquardt().ShowDerivatives = true;  // never shown in a profile
  }
  FakeProfilePoint point_;
};

TEST_F(MarquardtProfileTest, TheAcceptedMinimumIsHandedToTheProfile) {
  data().Tolerance = 1e-6;
  gradient_[0] = 0;
  EXPECT_EQ(RunMarquardt(session_, &point_), MarquardtOutcome::MinimumFound);
  ASSERT_EQ(point_.stored.size(), 1u);
  EXPECT_EQ(point_.stored[0], std::make_pair(1.0, 5.0));
  EXPECT_TRUE(ui_.Messages().empty());  // no final report message
  EXPECT_TRUE(Panel1Showed(
      "Calculating profile point 3 of 25, Value of parameter # 2 which is being profiled is: "
      "5.0000E+00"));
}

TEST_F(MarquardtProfileTest, InterruptQuestionsAboutTheProfile) {
  struct Case {
    std::vector<Answer> answers;
    MarquardtOutcome outcome;
    int stops;
  };
  const Case cases[] = {
      {{Answer::Yes}, MarquardtOutcome::ProfileQuit, 1},
      {{Answer::No, Answer::Yes}, MarquardtOutcome::ProfileNextPoint, 0},
  };
  for (const Case& c : cases) {
    ui_.Log.clear();
    point_.stops = 0;
    for (Answer answer : c.answers) ui_.Answer(answer);
    int pumps = 0;
    ui_.onPump = [&] {
      if (++pumps == 4) window().Click("cmdStop");
    };
    EXPECT_EQ(RunMarquardt(session_, &point_), c.outcome);
    EXPECT_EQ(point_.stops, c.stops);
    const auto questions = ui_.Questions();
    ASSERT_EQ(questions.size(), c.answers.size());
    EXPECT_EQ(questions[0], "Interrupt received. Do you want to quit the ML procedure?");
    if (questions.size() == 2) {
      EXPECT_EQ(questions[1], "Do you want to continue starting with the NEXT point?");
    }
    EXPECT_TRUE(point_.stored.empty());
  }
}

}  // namespace
}  // namespace quorvane
