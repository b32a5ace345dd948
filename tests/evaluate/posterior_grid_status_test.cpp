#include "evaluate/posterior_grid_status.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "support/scripted_ui.h"

namespace quorvane {
namespace {

TEST(PosteriorGridStatusTest, MinutesAndSeconds) {
  EXPECT_EQ(MinutesSecondsText(187), "3:07");
  EXPECT_EQ(MinutesSecondsText(65), "1:05");
  EXPECT_EQ(MinutesSecondsText(0), "0:00");
  EXPECT_EQ(MinutesSecondsText(600), "10:00");
}

PosteriorGridSpec SixLevels() {
  PosteriorGridSpec spec;
  spec.EvaluatedParameter = 2;
  spec.PointCount = 25;
  spec.GridPointCount = 3;
  spec.GridParameterCount = 6;
  spec.GridParameter = {1, 3, 4, 5, 6, 12};
  return spec;
}

TEST(PosteriorGridStatusTest, PanelsOfARunningGrid) {
  testing::ScriptedUi ui;
  bool interrupt = false;
  const PosteriorGridSpec spec = SixLevels();
  PosteriorGridStatus status(ui, interrupt, spec);
  status.PointStarted(1, 0.5);
  EXPECT_EQ((ui.StatusPanels[{5, 1}]), "Value of parameter being profiled: 5.0000E-01 (point 1 of 25)");
  EXPECT_EQ((ui.StatusPanels[{2, 1}]), "18225 function calls required");
  EXPECT_EQ((ui.StatusPanels[{2, 3}]), "Integrating probabilities for profile parameter #2");
  EXPECT_TRUE(ui.StatusBarVisible[3]);
  EXPECT_TRUE(status.LevelEntered(1, 2));
  EXPECT_EQ((ui.StatusPanels[{3, 1}]), "Parameter #1 (point 2 of 3)");
  // Bar 3 has five panels: the sixth level shares the fifth.
  status.LevelEntered(5, 1);
  status.LevelEntered(6, 3);
  EXPECT_EQ((ui.StatusPanels[{3, 5}]), "Parameter #6 (point 1 of 3)  Parameter #12 (point 3 of 3)");
  status.Evaluated(1);
  EXPECT_EQ((ui.StatusPanels[{4, 1}]), "Function calls remaining:  18224");
  EXPECT_TRUE((ui.StatusPanels[{4, 2}]).starts_with("Estimated time remaining (m:s): "));
}

TEST(PosteriorGridStatusTest, TheTimeLeftOfAFastGridIsShownAtItsEndsAndAboutEvery15Ms) {
  testing::ScriptedUi ui;
  bool interrupt = false;
  const PosteriorGridSpec spec = SixLevels();  // 18225 evaluations
  PosteriorGridStatus status(ui, interrupt, spec);
  const auto begun = std::chrono::steady_clock::now();
  for (std::int64_t count = 1; count <= 18225; ++count) {
    status.Evaluated(count);
    if (count == 1) {
      EXPECT_EQ((ui.StatusPanels[{4, 1}]), "Function calls remaining:  18224");
    }
  }
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
  // Every evaluation lets events through; the panels and the bar change at
  // the first and the last and at most once per 15 ms between them.
  EXPECT_EQ(ui.PumpCount, 18225);
  EXPECT_LE(static_cast<double>(ui.Progress.size()), 2.0 + elapsed / 0.015 + 1.0);
  EXPECT_EQ(ui.Progress.back(), 1.0);
  EXPECT_EQ((ui.StatusPanels[{4, 1}]), "Function calls remaining:  0");
}

TEST(PosteriorGridStatusTest, AnInterruptIsClearedAndTheUserDecides) {
  testing::ScriptedUi ui;
  bool interrupt = true;
  const PosteriorGridSpec spec = SixLevels();
  PosteriorGridStatus status(ui, interrupt, spec);
  ui.Answer(Answer::No).Answer(Answer::Yes);
  EXPECT_TRUE(status.LevelEntered(2, 1));  // No: go on
  EXPECT_FALSE(interrupt);
  EXPECT_TRUE(status.PointFinished(1));  // nothing pending: not asked
  interrupt = true;
  EXPECT_FALSE(status.PointFinished(1));  // Yes: stop
  EXPECT_EQ(ui.Log.back().title, "Bayesian calculations");
  EXPECT_EQ(ui.Log.back().text, "Interrupt received.  Quit calculations?");
}

}  // namespace
}  // namespace quorvane
