#include "evaluate/evaluation_windows.h"

#include <gtest/gtest.h>

#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// The main menu's "E&valuate single model parameter estimates" opens the
// choice window; its buttons lead to the two procedures or back.
TEST(EvaluationWindowsTest, TheChoiceWindowLeadsToEachProcedureOrBack) {
  testing::ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  Form& choice = session.EvaluationViews().Choice();

  session.Menu().EvaluateParameterEstimates();
  EXPECT_TRUE(choice.IsOpen());
  EXPECT_FALSE(session.MainMenuIsOpen());
  EXPECT_EQ(choice.Caption(), "Evaluation of estimates");
  choice.Click("cmdCancel");
  EXPECT_FALSE(choice.IsOpen());
  EXPECT_TRUE(session.MainMenuIsOpen());

  int posteriorRuns = 0;
  session.RunPosterior = [&] { ++posteriorRuns; };
  session.Menu().EvaluateParameterEstimates();
  choice.Click("cmdBP");
  EXPECT_EQ(posteriorRuns, 1);
  EXPECT_FALSE(choice.IsOpen());
}

}  // namespace
}  // namespace quorvane
