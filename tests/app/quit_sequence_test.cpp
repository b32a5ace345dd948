#include <gtest/gtest.h>

#include <cstdio>

#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"
#include "base/files/text_file.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

TEST(QuitSequenceTest, DecliningKeepsTheApplicationAndTheMainWindow) {
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  ui.Answer(Answer::No);
  Form& main = session.Main().form();
  ASSERT_TRUE(main.onQueryClose);
  EXPECT_FALSE(main.onQueryClose());  // the close box: the close is cancelled
  EXPECT_FALSE(ui.Ended);
  ASSERT_EQ(ui.Log.size(), 1u);
  EXPECT_EQ(ui.Log[0].title, "Exit Quorvane");
  EXPECT_EQ(ui.Log[0].text, "Do you want to quit Quorvane?");
  EXPECT_EQ(ui.Log[0].icon, Icon::Question);
}

struct QuitCase {
  const char* name;
  std::vector<std::string> priorTypes;
  bool asksAboutPriors;
};

class QuitPriorsTest : public ::testing::TestWithParam<QuitCase> {};

TEST_P(QuitPriorsTest, AsksAboutPriorsOnlyWhenOneIsNotUniform) {
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  for (const auto& type : GetParam().priorTypes) session.Priors.Rows.push_back({type});
  ui.Answer(Answer::Yes).Answer(Answer::No);
  if (GetParam().asksAboutPriors) ui.Answer(Answer::No);
  session.Menu().form().Click("cmdQuit");

  std::vector<std::string> expected = {"Do you want to quit Quorvane?", "Save algorithm data?"};
  if (GetParam().asksAboutPriors) expected.push_back("Save Bayesian priors?");
  EXPECT_EQ(ui.Questions(), expected);
  EXPECT_TRUE(ui.Ended);
  EXPECT_EQ(ui.EndStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuitPriorsTest,
                         ::testing::Values(QuitCase{"NoParameters", {}, false},
                                           QuitCase{"AllUniform", {"U", "U"}, false},
                                           QuitCase{"OneNormal", {"U", "N"}, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(QuitSequenceTest, YesToThePriorsQuestionSavesThePriorsFile) {
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  session.Priors.Reset(1);
  session.Priors.Rows[0].Type = "E";
  session.Priors.Rows[0].FirstTerm = session.Priors.Rows[0].SecondTerm = 4.0;
  const std::string path = ::testing::TempDir() + "quorvane_quit_priors.pri";
  std::remove(path.c_str());
  ui.Answer(Answer::Yes).Answer(Answer::No).Answer(Answer::Yes).File(path);
  session.Menu().form().Click("cmdQuit");
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(*lines, (std::vector<std::string>{
                        "1", "  1   E 4.000E+000 4.000E+000     Unused     Unused   Exponential"}));
  EXPECT_TRUE(ui.Ended);
  std::remove(path.c_str());
}

TEST(QuitSequenceTest, ExitMenuItemRunsTheSameSequence) {
  ScriptedUi ui;
  Session session(ui, nullptr);
  session.Start();
  ui.Answer(Answer::Yes).Answer(Answer::No);
  session.Main().form().ClickMenu("Application>Exit");
  EXPECT_TRUE(ui.Ended);
}

}  // namespace
}  // namespace quorvane
