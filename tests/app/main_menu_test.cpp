#include "app/main_menu.h"

#include <gtest/gtest.h>

#include "app/info_windows.h"
#include "app/main_window.h"
#include "app/session.h"
#include "evaluate/evaluation_windows.h"
#include "minimize/simplex_window.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

class NamedModel : public Model {
 public:
  std::string Name() const override { return "Test model"; }
  void MODEL(double&, OneBased<double>&, OneBased<double>&, OneBased<std::string>&,
             OneBased<std::string>&, std::int16_t&, std::int32_t, std::int32_t&,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {}
};

std::vector<std::string> EnabledButtons(Form& menu) {
  std::vector<std::string> enabled;
  for (const auto& name : menu.ControlNames()) {
    const Control& c = menu.Get(name);
    if (c.kind == ControlKind::Button && c.enabled) enabled.push_back(name);
  }
  return enabled;
}

class MainMenuTest : public ::testing::Test {
 protected:
  MainMenuTest() : session_(ui_, &model_) { session_.Start(); }
  Form& menu() { return session_.Menu().form(); }

  ScriptedUi ui_;
  NamedModel model_;
  Session session_;
};

TEST_F(MainMenuTest, EnablingRuleFollowsTheThreeStates) {
  EXPECT_EQ(EnabledButtons(menu()), (std::vector<std::string>{"cmdInitialize", "cmdQuit"}));
  EXPECT_EQ(menu().Get("lblModelName").caption, "Test model");
  EXPECT_TRUE(ui_.IsOpen("frmMain"));
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));

  session_.State.InitializeAlready = true;
  session_.Menu().Close();
  session_.Menu().Show();
  EXPECT_EQ(EnabledButtons(menu()),
            (std::vector<std::string>{"cmdInitialize", "cmdLoadAlg", "cmdQuit"}));

  session_.State.AlgorithmFileName = "/data/model1.alg";
  session_.Menu().Close();
  session_.Menu().Show();
  EXPECT_EQ(EnabledButtons(menu()).size(), 13u);

  // Hiding keeps the buttons as they are; only a reload applies the rule.
  session_.Menu().SetCommandsEnabled(false);
  session_.Menu().Hide();
  session_.Menu().Show();
  EXPECT_EQ(EnabledButtons(menu()), (std::vector<std::string>{"cmdQuit"}));
}

TEST_F(MainMenuTest, InitializeAsksAboutAlgorithmDataOnlyWhenThereAreSome) {
  session_.State.InitializeAlready = true;
  ui_.SetStatusPanel(1, 1, "Algorithm file: a.alg");
  menu().Click("cmdInitialize");
  EXPECT_TRUE(ui_.Questions().empty());
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(1, 1)], "");

  session_.State.AlgorithmFileName = "/data/model1.alg";
  session_.Menu().SetCommandsEnabled(true);
  ui_.Answer(Answer::Cancel);
  menu().Click("cmdInitialize");
  ASSERT_EQ(ui_.Log.back().service, "AskYesNoCancel");
  EXPECT_EQ(ui_.Log.back().title, "Initialize");
  EXPECT_EQ(ui_.Log.back().text,
            "Algorithm data will be lost during this initialization.\r\n\r\n"
            "  Do you need to save current algorithm data?");
  EXPECT_EQ(ui_.Log.back().icon, Icon::Exclamation);
  EXPECT_EQ(session_.State.AlgorithmFileName, "/data/model1.alg");
  EXPECT_EQ(EnabledButtons(menu()).size(), 13u);

  ui_.Answer(Answer::No);
  menu().Click("cmdInitialize");
  EXPECT_EQ(session_.State.AlgorithmFileName, "");
  EXPECT_EQ(EnabledButtons(menu()),
            (std::vector<std::string>{"cmdInitialize", "cmdLoadAlg", "cmdQuit"}));
}

TEST_F(MainMenuTest, ResultsCaptionChangesOnceThereAreResults) {
  session_.Menu().UseResultsSummaryCaption();
  EXPECT_EQ(menu().Get("cmdUserSummary").caption, "Res&ults Summary");
  EXPECT_EQ(menu().Get("cmdUserSummary").toolTip,
            "Produces a saveable summary (and perhaps plots) of model results for the current "
            "parameter estimates");
}

TEST_F(MainMenuTest, MainWindowMenusAndStatusBarsStartAsBuilt) {
  Form& main = session_.Main().form();
  EXPECT_EQ(main.Caption(), "Quorvane");
  EXPECT_FALSE(main.FindMenu("mnuInterruptBayesian")->visible);
  EXPECT_FALSE(main.FindMenu("mnuInterruptML")->visible);
  EXPECT_EQ(ui_.StatusBarVisible, (std::array<bool, 6>{true, true, false, false, false, true}));

  session_.Main().ShowProfileInterrupt(true);
  main.ClickMenu("Interrupt>Interrupt calculations");
  EXPECT_TRUE(session_.State.ProfileInterrupt);
  EXPECT_FALSE(session_.State.PosteriorInterrupt);
  session_.Main().ShowPosteriorInterrupt(true);
  main.ClickMenu("Interrupt >Interrupt calculations");
  EXPECT_TRUE(session_.State.PosteriorInterrupt);

  session_.Main().SetApplicationMenuEnabled(false);
  EXPECT_THROW(main.ClickMenu("Application>Main menu"), FormError);
}

TEST_F(MainMenuTest, InformationWindowsDisableTheMainWindowWhileOpen) {
  Form& main = session_.Main().form();
  main.ClickMenu("Defaults etc.");
  EXPECT_TRUE(ui_.IsOpen("frmDefaults"));
  EXPECT_FALSE(main.Enabled());
  EXPECT_NE(session_.Info().Defaults().Text("rtbText").find("mmddhhmm.alg"), std::string::npos);
  session_.Info().Defaults().Click("cmdOK");
  EXPECT_FALSE(ui_.IsOpen("frmDefaults"));
  EXPECT_TRUE(main.Enabled());

  main.ClickMenu("About>Credits");
  EXPECT_EQ(session_.Info().Credits().Caption(), "Thanks everyone");
  session_.Info().Credits().Click("cmdOK");

  session_.Info().ShowHelp("How to set priors");
  EXPECT_EQ(session_.Info().Help().Text("rtbText"), "How to set priors");
  session_.Info().Help().Click("cmdOK");
  EXPECT_EQ(session_.Info().Help().Text("rtbText"), "");
  EXPECT_TRUE(main.Enabled());
}

// A command closes the windows of the last calculation (here the Simplex
// window) but not a report the user may be editing before saving it; that
// report, closed during another calculation, leaves the menu to it.
TEST_F(MainMenuTest, CommandsKeepEditedReportsOpen) {
  Form& statistics = session_.EvaluationViews().Statistics();
  session_.EvaluationViews().ShowStatistics("Maximum-likelihood confidence distribution data");
  statistics.SetText("rtbMaxLike", "edited, not yet saved");
  session_.SimplexView().Load();

  session_.CloseResultWindows();
  EXPECT_FALSE(session_.SimplexView().form().IsOpen());
  EXPECT_TRUE(statistics.IsOpen());
  EXPECT_EQ(statistics.Text("rtbMaxLike"), "edited, not yet saved");

  session_.CloseMainMenu();
  session_.Main().SetApplicationMenuEnabled(false);  // a calculation runs
  ui_.CloseForm(statistics);
  EXPECT_FALSE(session_.MainMenuIsOpen());
}

}  // namespace
}  // namespace quorvane
