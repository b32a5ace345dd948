// The main menu's "&Marquardt": the set-up questions, the ways the command
// ends and what it leaves behind.
#include "minimize/marquardt_command.h"

#include <gtest/gtest.h>

#include "minimize/marquardt_fixture.h"
#include "app/main_window.h"

namespace quorvane {
namespace {

class MarquardtCommandTest : public testing::MarquardtSession {
 protected:
  // F = (P1 - 3)^2 + (P2 + 1)^2, no analytical derivatives.
  MarquardtCommandTest()
      : MarquardtSession(2, [](const OneBased<double>& P) {
          return (P[1] - 3) * (P[1] - 3) + (P[2] + 1) * (P[2] + 1);
        }) {
    data().Steps = {0.1, 0.1};
    data().Tolerance = 1e-8;
    session_.State.CovarianceAvailable = true;
    session_.Simplex.Exists = true;
  }

  Form& menu() { return session_.Menu().form(); }
  bool ApplicationEnabled() { return session_.Main().form().FindMenu("mnuApplication")->enabled; }
  int EnabledCommands() {
    int count = 0;
    for (const char* name : MainMenu::kCommands) count += menu().IsEnabled(name);
    return count;
  }
};

TEST_F(MarquardtCommandTest, NumericalDerivativesToTheMinimumThenTheMenuReturnsOnClose) {
  ui_.Answer(Answer::No).Answer(Answer::No);  // numerical, no display
  menu().Click("cmdMarquardt");

  const auto messages = ui_.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "You have chosen NUMERICAL derivatives - it's like choosing Pepsi");
  EXPECT_EQ(messages[1], "Minimum found using Marquardt!");
  EXPECT_EQ(ui_.Log[0].title, "Marquardt minimization");
  EXPECT_EQ(ui_.Log[0].text.substr(0, 24), "Note: You must provide d");
  EXPECT_EQ(ui_.Log[2].text.substr(0, 28), "Do you want to see the parti");
  // F is quadratic, so the numerical derivatives are exact and the search
  // ends within the tolerance of (3, -1): F - F* <= 1e-8 bounds each
  // coordinate by sqrt(1e-8) = 1e-4.
  EXPECT_NEAR(data().Values[1], 3, 1e-4);
  EXPECT_NEAR(data().Values[2], -1, 1e-4);

  EXPECT_FALSE(session_.State.CovarianceAvailable);
  EXPECT_FALSE(session_.Simplex.Exists);
  EXPECT_FALSE(session_.State.MarquardtBusy);
  EXPECT_TRUE(ApplicationEnabled());
  EXPECT_TRUE(window().IsOpen());
  EXPECT_FALSE(ui_.IsOpen("frmMenu"));

  ui_.CloseForm(window());
  EXPECT_EQ(Pane(), "");
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(EnabledCommands(), 12);
}

// "Yes" would fail for a model without analytical derivatives, so the
// question makes "No" its default answer.
TEST_F(MarquardtCommandTest, TheDerivativeQuestionDefaultsToNumericalForThisModel) {
  ui_.Answer(Answer::Cancel);
  menu().Click("cmdMarquardt");
  ASSERT_EQ(ui_.Log.at(0).service, "AskYesNoCancel");
  EXPECT_TRUE(ui_.Log.at(0).noIsDefault);
}

TEST_F(MarquardtCommandTest, CancellingTheSetUpLeavesEverythingAsItWas) {
  ui_.Answer(Answer::Cancel);
  menu().Click("cmdMarquardt");
  EXPECT_EQ(ui_.Log.size(), 1u);
  EXPECT_TRUE(model_.NFs.empty());
  EXPECT_FALSE(ui_.IsOpen("frmMarquardt"));
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(EnabledCommands(), 12);
  EXPECT_TRUE(ApplicationEnabled());
  EXPECT_FALSE(session_.State.MarquardtBusy);
  EXPECT_TRUE(session_.State.CovarianceAvailable);
  EXPECT_EQ(marquardt().DerivativeChoice, DerivativeKind::None);
}

TEST_F(MarquardtCommandTest, AllStepsZero) {
  data().Steps = {0, 0};
  ui_.Answer(Answer::Yes).Answer(Answer::Yes);  // analytical, with display
  menu().Click("cmdMarquardt");
  EXPECT_EQ(ui_.Messages()[0], "You have chosen ANALYTICAL derivatives - it's like choosing Coke");
  EXPECT_EQ(marquardt().DerivativeChoice, DerivativeKind::Analytical);
  EXPECT_TRUE(marquardt().ShowDerivatives);
  EXPECT_EQ(Last().title, "There is nothing to do!");
  EXPECT_EQ(Last().text, "All step sizes are zero");
  EXPECT_TRUE(model_.NFs.empty());
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(EnabledCommands(), 12);
  EXPECT_TRUE(ApplicationEnabled());
  EXPECT_FALSE(session_.State.MarquardtBusy);
}

TEST_F(MarquardtCommandTest, AWindowClosedDuringTheRunBringsTheMenuBackWhenTheCommandEnds) {
  ui_.Answer(Answer::No).Answer(Answer::Yes);  // numerical, with the derivative display
  ui_.Then([&] {
    // The user closes the window at the first pause: the display is
    // released and switched off, and the run goes on without a menu that
    // would let another command start inside it.
    ui_.CloseForm(window());
    EXPECT_FALSE(ui_.IsOpen("frmMenu"));
  });
  menu().Click("cmdMarquardt");

  EXPECT_EQ(Last().text, "Minimum found using Marquardt!");
  EXPECT_FALSE(marquardt().ShowDerivatives);
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(EnabledCommands(), 12);
}

}  // namespace
}  // namespace quorvane
