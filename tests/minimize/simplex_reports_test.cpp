// The Simplex reports: window texts, log lines with their four-to-a-line
// parameter groups, and the relative spread when the best value is 0.
#include <gtest/gtest.h>

#include <cstdio>

#include "minimize/profile_point_link.h"
#include "minimize/simplex_fixture.h"
#include "minimize/simplex_report_lines.h"
#include "minimize/simplex_reports.h"
#include "minimize/simplex_window.h"
#include "base/files/text_file.h"

namespace quorvane::testing {
namespace {

class SimplexReportTest : public SimplexSession {
 protected:
  SimplexReportTest() : SimplexSession(6, [](const OneBased<double>&) { return 0.0; }) {}

  // n free parameters out of the six (parameter 2 fixed when n < 6), vertex
  // 1 at 0.5, 1.5, 2.5, ... and worth 2; vertex 2 worth 1 (best), the others 3.
  void Prepare(int n) {
    std::vector<double> steps(6, 0.0);
    for (int k = 0, i = 0; k < n; ++i)
      if (n == 6 || i != 1) steps[static_cast<size_t>(i)] = 1, ++k;
    SetParameters({0, 0, 0, 0, 0, 0}, steps);
    std::vector<std::vector<double>> vertices;
    std::vector<double> values;
    for (int v = 1; v <= n + 1; ++v) {
      std::vector<double> x;
      for (int k = 1; k <= n; ++k) x.push_back(k - 0.5 + (v == k + 1 ? 1 : 0));
      vertices.push_back(x);
      values.push_back(v == 1 ? 2 : v == 2 ? 1 : 3);
    }
    PlaceSimplex(vertices, values);
  }

  // Opens a log of its own with the given file output frequency.
  std::string OpenLog(int frequency) {
    const std::string path = ::testing::TempDir() + "quorvane_simplex_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             ".qvl";
    EXPECT_FALSE(session_.Log.Create(path).has_value());
    data().FileFrequency = static_cast<std::int16_t>(frequency);
    return path;
  }
  std::vector<std::string> LogLines(const std::string& path) {
    session_.Log.Close();
    std::string error;
    auto lines = ReadTextLines(path, error);
    std::remove(path.c_str());
    return lines ? *lines : std::vector<std::string>{error};
  }
};

TEST_F(SimplexReportTest, LogGroupsFourToALine) {
  Prepare(5);
  EXPECT_EQ(SimplexLogParameterGroups(session_, 1),
            (std::vector<std::string>{
                "    001)  5.0000000E-01    003)  1.5000000E+00    004)  2.5000000E+00"
                "    005)  3.5000000E+00",
                "    006)  4.5000000E+00", ""}));
  Prepare(4);
  EXPECT_EQ(SimplexLogParameterGroups(session_, 1),
            (std::vector<std::string>{
                "    001)  5.0000000E-01    003)  1.5000000E+00    004)  2.5000000E+00"
                "    005)  3.5000000E+00",
                "", ""}));
}

TEST_F(SimplexReportTest, ProgressReportInTheWindow) {
  Prepare(2);
  data().Tolerance = 1e-6;
  data().TerminalFrequency = 1;
  session_.FunctionCallCount = 12;
  simplex().Iterations = 5;
  simplex().Restarts = 1;
  simplex().Improved = 2;
  simplex().Action = "Reflection            ";
  ShowSimplexProgress(session_, 1.0, 3.25);
  EXPECT_EQ(window().Text(SimplexWindow::kPane),
            "\r\nNote: 5 iterations, 12 function calls, and 1 restarts\r\n\r\n"
            "Current: Min> 1.      Max> 3.25      Abs TC> 2.2500E+00\r\n\r\n"
            "Number of function values (parameter vectors) improved: 2; Action accepted: "
            "Reflection            \r\n\r\n"
            "Current minimum found at these 2 adjusted parameter values:\r\n\r\n"
            "    001)  1.5000000E+00  ~~  Parameter 1\r\n"
            "    003)  1.5000000E+00  ~~  Parameter 3\r\n\r\n");

  // Any other frequency leaves out the improvement line; a relative limit
  // divides the spread by |best|.
  data().TerminalFrequency = 2;
  data().Tolerance = -1e-6;
  ShowSimplexProgress(session_, -2.0, 3.0);
  const std::string text = window().Text(SimplexWindow::kPane);
  EXPECT_EQ(text.find("improved"), std::string::npos);
  EXPECT_NE(text.find("Current: Min> -2.      Max> 3.      Rel TC> 2.5000E+00\r\n"),
            std::string::npos)
      << text;
}

TEST_F(SimplexReportTest, RelativeSpreadAtAZeroBestShowsTheAbsoluteSpread) {
  Prepare(2);
  data().Tolerance = -1e-6;
  EXPECT_EQ(SimplexSpreadLine(session_, 0.0, 0.5),
            "Current: Min> 0.      Max> 0.5      Abs TC> 5.0000E-01");
  EXPECT_EQ(SimplexSpreadLine(session_, 0.0, 0.0),
            "Current: Min> 0.      Max> 0.      Abs TC> 0.0000E+00");
}

TEST_F(SimplexReportTest, ProgressReportInTheLog) {
  Prepare(5);
  data().Tolerance = 1e-6;
  simplex().Iterations = 3;
  simplex().Improved = 1;
  simplex().Action = "Reflection-Contraction";
  session_.FunctionCallCount = 9;
  const std::string path = OpenLog(1);
  WriteSimplexProgress(session_, 1.0, 3.0);
  data().FileFrequency = 10;  // no improvement line at any other frequency
  WriteSimplexProgress(session_, 1.0, 3.0);
  const std::vector<std::string> one = {
      "",
      "Note: 3 iterations, 9 function calls, and 0 restarts",
      "Number of function values (parameter vectors) improved: 1; Action accepted: "
      "Reflection-Contraction",
      "",
      "Current minimum found at these 5 adjusted parameter values: ",
      "",
      "    001)  1.5000000E+00    003)  1.5000000E+00    004)  2.5000000E+00    005)  3.5000000E+00",
      "    006)  4.5000000E+00",
      "",
      "Current: Min> 1.      Max> 3.      Abs TC> 2.0000E+00",
      ""};
  std::vector<std::string> expected = one;
  std::vector<std::string> ten = one;
  ten.erase(ten.begin() + 2);
  expected.insert(expected.end(), ten.begin(), ten.end());
  EXPECT_EQ(LogLines(path), expected);
}

TEST_F(SimplexReportTest, InitialReportPicturesFollowTheLog) {
  Prepare(1);
  data().TerminalFrequency = 10;
  ReportInitialSimplex(session_);
  EXPECT_EQ(window().Text(SimplexWindow::kInitialPane),
            "\r\nInitial Simplex: Starting function value> 2. Max> 2. Min> 1.\r\n\r\n"
            "Initial parameter values:\r\n\r\n"
            "    001)  5.0000000E-01  ~~  Parameter 1\r\n");

  // Once the log is written, the window's values take its scientific picture.
  const std::string path = OpenLog(3);
  ReportInitialSimplex(session_);
  const std::string values =
      "Initial Simplex: Starting function value> 2.0000000E+00 Max> 2.0000000E+00 Min> "
      "1.0000000E+00";
  EXPECT_EQ(window().Text(SimplexWindow::kInitialPane),
            "\r\n" + values + "\r\n\r\nInitial parameter values:\r\n\r\n"
            "    001)  5.0000000E-01  ~~  Parameter 1\r\n");
  EXPECT_EQ(LogLines(path), (std::vector<std::string>{"", "", "Initial parameter values:", "",
                                                      "    001)  5.0000000E-01", "", values}));

  // Terminal frequency 0 leaves the window alone.
  window().SetText(SimplexWindow::kInitialPane, "kept");
  data().TerminalFrequency = 0;
  data().FileFrequency = 0;
  ReportInitialSimplex(session_);
  EXPECT_EQ(window().Text(SimplexWindow::kInitialPane), "kept");
}

TEST_F(SimplexReportTest, ProfileProgressPanel) {
  struct Link : ProfilePointLink {
    std::int16_t CurrentPoint() const override { return 7; }
    std::int16_t PointCount() const override { return 25; }
    void StoreMinimum(double, double) override {}
    void StopAfterThisPoint() override {}
  } link;
  Prepare(2);
  data().Values[2] = 0.125;
  session_.State.ProfileMode = true;
  session_.State.ProfiledParameter = 2;
  ShowSimplexProgress(session_, 1.0, 2.0, &link);
  EXPECT_EQ(Panel(1),
            "Calculating profile point 7 of 25, Value of parameter # 2 which is being profiled "
            "is: 1.25000E-01");
}

TEST_F(SimplexReportTest, AFailedLogWriteClosesTheLogOnce) {
  Prepare(1);
  const std::string path = OpenLog(1);
  std::remove(path.c_str());
  // A log on a full device: /dev/full accepts the open and fails every write.
  ASSERT_FALSE(session_.Log.Create("/dev/full").has_value());
  WriteSimplexProgress(session_, 1.0, 2.0);
  WriteSimplexProgress(session_, 1.0, 2.0);
  EXPECT_FALSE(session_.Log.IsOpen());
  EXPECT_EQ(data().FileFrequency, 0);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Log[0].title, "Log file management");
}

}  // namespace
}  // namespace quorvane::testing
