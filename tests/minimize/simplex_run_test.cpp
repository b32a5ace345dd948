// The Simplex command and run: the menu around it, the call limit, the
// relative-tolerance zero error, the interrupt questions, the report
// frequencies and the simplex kept between runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "core/parameter_set_edited.h"
#include "minimize/profile_point_link.h"
#include "minimize/simplex_fixture.h"
#include "minimize/simplex_run.h"
#include "minimize/simplex_window.h"
#include "base/files/text_file.h"
#include "base/format/format_picture.h"
#include "app/main_window.h"

namespace quorvane::testing {
namespace {

double Bowl(const OneBased<double>& P) {
  double f = 0;
  for (int i = 1; i <= P.size(); ++i) f += (P[i] - i) * (P[i] - i);
  return f;
}

// Two free parameters of three; the third is fixed at 0.5.
class SimplexRunTest : public SimplexSession {
 protected:
  explicit SimplexRunTest(FunctionModel::Objective f = Bowl) : SimplexSession(3, std::move(f)) {
    SetParameters({0, 0, 0.5}, {0.5, 0.5, 0});
    data().Tolerance = 1e-8;
  }

  void RunCommand() { session_.Menu().form().Click("cmdSimplex"); }

  // The iteration count of every progress report shown in rtbSimplex.
  void WatchWindowReports() {
    window().SetObserver([this](const std::string& control, FormProperty property) {
      if (control != SimplexWindow::kPane || property != FormProperty::Text) return;
      const std::string& text = window().Text(SimplexWindow::kPane);
      if (text.rfind("\r\nNote: ", 0) == 0) windowReports_.push_back(std::stoi(text.substr(8)));
    });
  }

  // Presses Interrupt at the given pump of the run.
  void InterruptAtPump(int pump) {
    ui_.onPump = [this, pump] {
      if (++pumps_ == pump) window().Click(SimplexWindow::kStop);
    };
  }

  bool MinimumMessageShown() const { return ui_.Showed("Minimum found using Simplex!"); }

  std::vector<int> windowReports_;
  int pumps_ = 0;
};

TEST_F(SimplexRunTest, NoFreeParameterLeavesEverythingEnabled) {
  SetParameters({0, 0, 0.5}, {0, 0, 0});
  RunCommand();
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_EQ(ui_.Log[0].text, "All step sizes are zero");
  EXPECT_EQ(ui_.Log[0].title, "There is nothing to do!");
  EXPECT_EQ(ui_.Log[0].icon, Icon::Exclamation);
  EXPECT_TRUE(model_.NFs.empty());
  EXPECT_FALSE(ui_.IsOpen("frmSimplex"));
  EXPECT_TRUE(session_.Menu().form().IsOpen());
  for (const char* command : MainMenu::kCommands)
    EXPECT_TRUE(session_.Menu().form().IsEnabled(command)) << command;
  EXPECT_FALSE(session_.State.SimplexBusy);
}

TEST_F(SimplexRunTest, CommandRunsWithTheMenuAwayAndReturnsIt) {
  session_.State.CovarianceAvailable = true;
  bool menuAway = true;
  ui_.onPump = [&] {
    menuAway = menuAway && !session_.Menu().form().IsOpen() && session_.State.SimplexBusy &&
               !session_.Menu().form().IsEnabled("cmdSimplex") &&
               !session_.Main().form().FindMenu("mnuApplication")->enabled;
  };
  RunCommand();
  EXPECT_TRUE(menuAway);
  EXPECT_TRUE(MinimumMessageShown());
  EXPECT_FALSE(session_.State.CovarianceAvailable);
  EXPECT_FALSE(session_.State.SimplexBusy);
  EXPECT_TRUE(session_.Menu().form().IsOpen());
  EXPECT_TRUE(session_.Main().form().FindMenu("mnuApplication")->enabled);
  for (const char* command : MainMenu::kCommands)
    EXPECT_TRUE(session_.Menu().form().IsEnabled(command)) << command;
  EXPECT_NEAR(data().Values[1], 1.0, 1e-3);
  EXPECT_NEAR(data().Values[2], 2.0, 1e-3);
  EXPECT_EQ(data().Values[3], 0.5);

  // The window stays with its report until the user closes it, which
  // clears it and brings the menu forward.
  ASSERT_TRUE(ui_.IsOpen("frmSimplex"));
  EXPECT_EQ(window().Get(SimplexWindow::kStop).caption, "&Interrupt this minimization");
  EXPECT_FALSE(window().IsEnabled(SimplexWindow::kStop));  // nothing runs
  EXPECT_EQ(window().Text(SimplexWindow::kPane).rfind("\r\nMinimum of ", 0), 0u);
  session_.Menu().Close();
  ui_.StatusPanels[{5, 3}] = "old";
  ui_.CloseForm(window());
  EXPECT_EQ(window().Text(SimplexWindow::kPane), "");
  EXPECT_EQ(window().Text(SimplexWindow::kInitialPane), "");
  EXPECT_EQ(Panel(3), "");
  EXPECT_TRUE(session_.Menu().form().IsOpen());
}

// With L = 0 the spread test never passes: a constant objective (spread 0)
// runs until the call limit. Each step is then a reduction (n + 2 = 4
// calls) after the 3 calls of the build.
class ConstantObjectiveTest : public SimplexRunTest {
 protected:
  ConstantObjectiveTest() : SimplexRunTest([](const OneBased<double>&) { return 1.0; }) {
    data().Tolerance = 0;
  }
};

TEST_F(ConstantObjectiveTest, CallLimitQuestionAndAnotherAllowance) {
  data().MaxFunctionCalls = 10;
  ui_.Answer(Answer::Yes).Answer(Answer::No);
  RunCommand();
  const std::string question = "Maximum number of function calls reached, do you want to continue?";
  EXPECT_EQ(ui_.Questions(), (std::vector<std::string>{question, question}));
  EXPECT_EQ(ui_.Log[0].title, "Simplex minimization");
  EXPECT_EQ(ui_.Log[0].icon, Icon::Question);
  // Asked after 11 calls (7, then 11), then counted again from 0 (the count
  // is the model's NF) and asked at 12.
  ASSERT_EQ(model_.NFs.size(), 11u + 12u);
  EXPECT_EQ(model_.NFs[11], 1);
  EXPECT_EQ(model_.NFs.back(), 12);
  EXPECT_FALSE(MinimumMessageShown());
  EXPECT_EQ(data().Values[1], simplex().Vertex(1, simplex().Best));
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Panel(p), "") << p;
}

TEST_F(ConstantObjectiveTest, ReportsFallDueEveryFrequencyIterations) {
  data().MaxFunctionCalls = 3 + 4 * 8;  // the question comes after iteration 9
  data().TerminalFrequency = 3;
  std::string path = ::testing::TempDir() + "quorvane_simplex_frequency.qvl";
  ASSERT_FALSE(session_.Log.Create(path).has_value());
  data().FileFrequency = 3;
  WatchWindowReports();
  ui_.Answer(Answer::No);
  RunCommand();
  // Iterations 1, 4 and 7, and the final one after the No.
  EXPECT_EQ(windowReports_, (std::vector<int>{1, 4, 7, 9}));
  session_.Log.Close();
  std::string error;
  auto lines = ReadTextLines(path, error);
  std::remove(path.c_str());
  ASSERT_TRUE(lines) << error;
  std::vector<std::string> notes;
  for (const auto& line : *lines)
    if (line.rfind("Note: ", 0) == 0) notes.push_back(line);
  EXPECT_EQ(notes, (std::vector<std::string>{"Note: 1 iterations, 7 function calls, and 0 restarts",
                                             "Note: 4 iterations, 19 function calls, and 0 restarts",
                                             "Note: 7 iterations, 31 function calls, and 0 restarts"}));
}

TEST_F(ConstantObjectiveTest, AnySpreadBelowAPositiveLimitIsVerified) {
  data().Tolerance = 1e-6;
  RunCommand();
  // One step (4 calls), then 2n probes that find nothing lower.
  EXPECT_EQ(simplex().Iterations, 1);
  EXPECT_EQ(model_.NFs.size(), 3u + 4u + 4u);
  EXPECT_TRUE(MinimumMessageShown());
}

// A relative limit with a best value of exactly 0: the run stops with the
// error and leaves the parameter values as they were; the simplex stays.
class ZeroBestTest : public SimplexRunTest {
 protected:
  ZeroBestTest()
      : SimplexRunTest([](const OneBased<double>& P) { return P[1] == 0 && P[2] == 0 ? 5.0 : 0.0; }) {
    data().Tolerance = -1e-6;
  }
};

TEST_F(ZeroBestTest, RelativeLimitStopsWithTheDivisionError) {
  data().TerminalFrequency = 1;
  RunCommand();
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Log[0].text,
            "A function value of zero has caused a division by zero error.\r\n"
            "Reset the tolerance to ABSolute or otherwise correct model");
  EXPECT_EQ(ui_.Log[0].title, "Simplex error");
  EXPECT_EQ(simplex().Iterations, 1);
  EXPECT_EQ(data().Values, (OneBased<double>{0, 0, 0.5}));
  EXPECT_TRUE(simplex().Exists);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Panel(p), "") << p;
  // The report of that iteration shows the spread it can: the absolute one.
  EXPECT_NE(window().Text(SimplexWindow::kPane).find(" Abs TC> 0.0000E+00"), std::string::npos)
      << window().Text(SimplexWindow::kPane);
  EXPECT_FALSE(session_.State.SimplexBusy);
  EXPECT_TRUE(session_.Menu().form().IsOpen());
}

TEST_F(SimplexRunTest, InterruptQuestionsOutsideAProfile) {
  struct Case {
    Answer answer;
    bool runsOn;
  };
  for (const Case& c : {Case{Answer::Yes, false}, Case{Answer::No, true}}) {
    ui_.Log.clear();
    pumps_ = 0;
    simplex().Exists = false;
    // The button is enabled again once the question is answered, while
    // the run goes on, and off once it has ended.
    std::optional<bool> enabledAfterAnswer;
    ui_.onPump = [this, &enabledAfterAnswer] {
      if (++pumps_ == 6) window().Click(SimplexWindow::kStop);
      if (!ui_.Questions().empty() && !enabledAfterAnswer)
        enabledAfterAnswer = window().IsEnabled(SimplexWindow::kStop);
    };
    ui_.Answer(c.answer);
    RunCommand();
    EXPECT_EQ(ui_.Questions(),
              std::vector<std::string>{"Interrupt received. Do you want to quit minimizing?"});
    EXPECT_EQ(ui_.Log[0].title, "Simplex interrupt");
    EXPECT_EQ(MinimumMessageShown(), c.runsOn);
    if (c.runsOn) {
      EXPECT_EQ(enabledAfterAnswer, true);
    }
    EXPECT_FALSE(window().IsEnabled(SimplexWindow::kStop));
    EXPECT_FALSE(simplex().InterruptRequested);
    EXPECT_EQ(data().Values[1], simplex().Vertex(1, simplex().Best));
    SetParameters({0, 0, 0.5}, {0.5, 0.5, 0});
  }
}

TEST_F(SimplexRunTest, InterruptPendingShowsInPanelOne) {
  std::string panelAfterClick;
  ui_.onPump = [&] {
    if (++pumps_ == 2) {
      window().Click(SimplexWindow::kStop);
      panelAfterClick = Panel(1);
    }
  };
  ui_.Answer(Answer::Yes);
  RunCommand();
  EXPECT_EQ(panelAfterClick, "Interrupt pending...");
  // Once the run has ended there is nothing to interrupt: the button is off
  // and Ctrl+C in the console, which does what the button does, does nothing.
  EXPECT_FALSE(window().IsEnabled(SimplexWindow::kStop));
  window().onInterrupt();
  EXPECT_FALSE(simplex().InterruptRequested);
}

class RecordingLink : public ProfilePointLink {
 public:
  std::int16_t CurrentPoint() const override { return 2; }
  std::int16_t PointCount() const override { return 5; }
  void StoreMinimum(double minimum, double value) override { Stored.push_back({minimum, value}); }
  void StopAfterThisPoint() override { ++Stops; }
  std::vector<std::pair<double, double>> Stored;
  int Stops = 0;
};

TEST_F(SimplexRunTest, InterruptQuestionsInAProfile) {
  const std::string quit = "Interrupt received. Do you want to quit the ML procedure?";
  const std::string next = "Do you want to continue starting with the NEXT point?";
  struct Case {
    std::vector<Answer> answers;
    std::vector<std::string> questions;
    int stops;
    bool minimumStored;  // the search of this point went on to its minimum
    int extraReports;    // window reports beyond the first iteration's
  };
  const std::vector<Case> cases = {
      {{Answer::Yes}, {quit}, 1, false, 1},
      {{Answer::No, Answer::Yes}, {quit, next}, 0, false, 0},
      {{Answer::No, Answer::No}, {quit, next}, 0, true, 1},
  };
  session_.State.ProfileMode = true;
  session_.State.ProfiledParameter = 3;
  data().TerminalFrequency = 10000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.questions.size() * 10 + static_cast<size_t>(c.answers.back() == Answer::Yes));
    ui_.Log.clear();
    windowReports_.clear();
    pumps_ = 0;
    simplex().Exists = false;
    RecordingLink link;
    WatchWindowReports();
    InterruptAtPump(20);
    for (Answer a : c.answers) ui_.Answer(a);
    session_.FunctionCallCount = 0;
    EXPECT_EQ(RunSimplex(session_, &link), SimplexOutcome::Finished);
    EXPECT_EQ(ui_.Questions(), c.questions);
    EXPECT_EQ(link.Stops, c.stops);
    EXPECT_EQ(link.Stored.size(), c.minimumStored ? 1u : 0u);
    EXPECT_FALSE(MinimumMessageShown());
    EXPECT_EQ(windowReports_.size(), 1u + static_cast<size_t>(c.extraReports));
    EXPECT_EQ(data().Values[1], simplex().Vertex(1, simplex().Best));
  }
}

TEST_F(SimplexRunTest, ASecondRunContinuesTheStoredSimplex) {
  data().TerminalFrequency = 10;
  std::vector<std::string> panel1;
  ui_.onPump = [&] { panel1.push_back(Panel(1)); };
  RunCommand();
  ASSERT_TRUE(simplex().Exists);
  const SimplexState stored = simplex();
  const double best = simplex().VertexValue[simplex().Best];
  panel1.clear();
  model_.Points.clear();

  RunCommand();
  EXPECT_EQ(std::count(panel1.begin(), panel1.end(), "Building initial simplex..."), 0);
  // The first call of the run is the reflection of the stored worst vertex.
  const int W = stored.Worst;
  const int C = stored.CentroidColumn;
  EXPECT_EQ(model_.Points.front(),
            (OneBased<double>{2 * stored.Vertex(1, C) - stored.Vertex(1, W),
                              2 * stored.Vertex(2, C) - stored.Vertex(2, W), 0.5}));
  EXPECT_NE(window().Text(SimplexWindow::kInitialPane)
                .find("Starting function value> " +
                      FormatPicture(stored.VertexValue[1], "####0.#####")),
            std::string::npos);
  EXPECT_LE(simplex().VertexValue[simplex().Best], best);
  // The run's counters start again from 0.
  EXPECT_EQ(model_.NFs.front(), 1);

  // Editing the parameter set discards the simplex: the next run builds one
  // at the current values.
  MarkParameterSetEdited(session_);
  panel1.clear();
  model_.Points.clear();
  RunCommand();
  EXPECT_NE(std::count(panel1.begin(), panel1.end(), "Building initial simplex..."), 0);
  EXPECT_EQ(model_.Points.front(), (OneBased<double>{data().Values[1], data().Values[2], 0.5}));
}

TEST_F(SimplexRunTest, AStoredSimplexOverOtherFreeParametersIsBuiltAgain) {
  RunCommand();
  ASSERT_TRUE(simplex().Exists);
  // A change of the free list that did not clear Exists: the stored
  // vertices have two coordinates, the search now one.
  data().Steps[2] = 0;
  model_.Points.clear();
  RunCommand();
  EXPECT_EQ(model_.Points.front(), (OneBased<double>{data().Values[1], data().Values[2], 0.5}));
  EXPECT_EQ(simplex().BuiltFor, (OneBased<std::int16_t>{1}));
  EXPECT_TRUE(MinimumMessageShown());
}

}  // namespace
}  // namespace quorvane::testing
