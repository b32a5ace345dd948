// The Marquardt reports in the window and the log file, and the derivative
// display that pauses the search.
#include "minimize/marquardt_reports.h"

#include <gtest/gtest.h>

#include "minimize/marquardt_fixture.h"
#include "base/files/text_file.h"

namespace quorvane {
namespace {

class MarquardtReportsTest : public testing::MarquardtSession {
 protected:
  // A constant objective of 2.5, and derivatives that the tests set.
  MarquardtReportsTest()
      : MarquardtSession(
            7, [](const OneBased<double>&) { return 2.5; },
            [this](const OneBased<double>&, OneBased<double>& GRAD, OneBasedMatrix& HESS) {
              for (int i = 1; i <= 7; ++i) {
                GRAD[i] = i <= static_cast<int>(gradient_.size()) ? gradient_[i - 1] : 0.0;
                HESS(i, i) = 1;
              }
              HESS(1, 2) = HESS(2, 1) = 0.25;
              HESS(2, 2) = 4;
            }) {
    data().FuseCodes = {"~~", "~~", "~~", "~~", "~~", "B", "B"};
    window().SetObserver([this](const std::string& control, FormProperty property) {
      if (control == MarquardtWindow::kPane && property == FormProperty::Text)
        panes_.push_back(window().Text(control));
    });
  }

  std::vector<double> gradient_;
  std::vector<std::string> panes_;  // every text the pane was given
};

TEST_F(MarquardtReportsTest, ProgressAndFinalReportsInTheWindowAndTheLog) {
  // Parameter 3 is fixed and 7 follows 6: five free parameters. A zero
  // gradient keeps the first trial at the start, with the same value, so the
  // run converges at once and every probe equals 2.5.
  SetParameters({1.5, -2, 3, 0.25, 1e-3, 0.5, 9}, {1, 1, 0, 1, 1, 1, 1});
  data().Tolerance = 1e-6;
  data().FileFrequency = 1;
  const std::string logPath = ::testing::TempDir() + "quorvane_marquardt_reports.qvl";
  ASSERT_FALSE(session_.Log.Create(logPath));

  EXPECT_EQ(Run(DerivativeKind::Analytical), MarquardtOutcome::MinimumFound);
  session_.Log.Close();

  const std::string lines =
      "    001)  1.5000000E+00  ~~  Parameter 1\r\n"
      "    002) -2.0000000E+00  ~~  Parameter 2\r\n"
      "    004)  2.5000000E-01  ~~  Parameter 4\r\n"
      "    005)  1.0000000E-03  ~~  Parameter 5\r\n"
      "    006)  5.0000000E-01   B  Parameter 6\r\n";
  ASSERT_GE(panes_.size(), 2u);
  EXPECT_EQ(panes_[panes_.size() - 2],
            "\r\nNote: 1 iterations and 2 function calls\r\n\r\n"
            "Current Min> 2.5      Last Min> 2.5      Abs TC> 0.0000E+00\r\n\r\n"
            "Current minimum found at these 5 adjusted parameter values: \r\n\r\n" +
                lines + "\r\n");
  EXPECT_EQ(Pane(),
            "\r\nMinimum of 2.5 found at these 5 adjusted parameter values:\r\n\r\n" + lines +
                "\r\nThis result required 1 iterations and 2 function calls\r\n");
  EXPECT_EQ(Last().title, "Marquardt minimum");
  EXPECT_EQ(Last().text, "Minimum found using Marquardt!");
  EXPECT_FALSE(window().IsEnabled("cmdStop"));
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(Panel(p), "") << p;

  std::string error;
  const auto log = ReadTextLines(logPath, error);
  ASSERT_TRUE(log) << error;
  const std::string groups =
      "    001)  1.5000000E+00    002) -2.0000000E+00    004)  2.5000000E-01    005)  "
      "1.0000000E-03";
  const std::vector<std::string> expected = {
      "",
      "Note: 1 iterations and 2 function calls",
      "",
      "Current minimum found at these 5 adjusted parameter values: ",
      "",
      groups,
      "    006)  5.0000000E-01",
      "",
      "Current Min> 2.5      Last Min> 2.5      Abs TC> 0.0000E+00",
      "",
      "Minimum of 2.5 found at these 5 adjusted parameter values:",
      "",
      groups,
      "    006)  5.0000000E-01",
      "",
      "after 1 iterations and 2 function calls",
      "",
  };
  EXPECT_EQ(*log, expected);
  std::remove(logPath.c_str());
}

TEST_F(MarquardtReportsTest, LogGroupsFillLinesOfFourAndCloseTheBlock) {
  struct Case {
    std::vector<double> steps;
    std::vector<std::string> lines;
  };
  const std::string four =
      "    001)  1.0000000E+00    002)  1.0000000E+00    003)  1.0000000E+00    004)  "
      "1.0000000E+00";
  const Case cases[] = {
      // A full last line: two empty lines follow.
      {{1, 1, 1, 1, 0, 0, 0}, {four, "", ""}},
      // A remainder line, then one empty line.
      {{1, 1, 1, 1, 1, 0, 0}, {four, "    005)  1.0000000E+00", ""}},
      {{0, 0, 0, 0, 0, 1, 0}, {"    006)  1.0000000E+00", ""}},
  };
  for (const Case& c : cases) {
    data().FuseCodes = {"~~", "~~", "~~", "~~", "~~", "~~", "~~"};
    SetParameters({1, 1, 1, 1, 1, 1, 1}, c.steps);
    EXPECT_EQ(MarquardtParameterGroupLines(session_), c.lines);
  }
}

TEST_F(MarquardtReportsTest, TheDerivativeDisplayPausesUntilNextIterationOrContinue) {
  SetParameters({1, 2, 3, 4, 5, 6, 6}, {1, 1, 0, 0, 0, 0, 0});
  gradient_ = {0.5, -2};
  data().Tolerance = 0;
  data().MaxFunctionCalls = 3;
  const std::string display =
      "\r\n1st & 2nd partial derivatives of the objective function wrt to the previous "
      "parameter estimates:\r\n\r\n"
      "Analytical 1st derivative wrt Parameter      001)  5.00000E-01\r\n"
      "Analytical 2nd derivative wrt Parameters 001,001)  1.00000E+00\r\n"
      "Analytical 2nd derivative wrt Parameters 001,002)  2.50000E-01\r\n"
      "Analytical 1st derivative wrt Parameter      002) -2.00000E+00\r\n"
      "Analytical 2nd derivative wrt Parameters 002,002)  4.00000E+00\r\n";
  int pauses = 0;
  const auto paused = [&] {
    ++pauses;
    EXPECT_TRUE(window().Get("cmdIteration").visible);
    EXPECT_TRUE(window().IsEnabled("cmdContinue"));
    EXPECT_EQ(Pane().substr(Pane().size() - display.size()), display);
    EXPECT_EQ(Panel(1), "");
  };
  ui_.Then([&] {
    paused();
    window().Click("cmdIteration");  // released for one iteration
  });
  ui_.Then([&] {
    paused();
    window().Click("cmdContinue");  // released for the rest of the run
  });

  EXPECT_EQ(Run(DerivativeKind::Analytical, true), MarquardtOutcome::Stopped);
  EXPECT_EQ(pauses, 2);
  EXPECT_FALSE(window().Get("cmdIteration").visible);
  EXPECT_FALSE(window().IsEnabled("cmdContinue"));
  EXPECT_EQ(Pane().find("1st & 2nd partial"), std::string::npos);  // the third report has none
}

}  // namespace
}  // namespace quorvane
