// The "&1 Function call" command and its report.
#include "core/one_function_call.h"

#include <gtest/gtest.h>

#include "core/core_session.h"
#include "app/main_window.h"

namespace quorvane {
namespace {

class OneFunctionCallTest : public testing::CoreSession {
 protected:
  OneFunctionCallTest() {
    ui_.Answer(Answer::No);
    menu().Click("cmdLoadAlg");  // default data
    double now = 100.0;
    // Each reading of the clock moves it on by 0.049 s (the first call
    // starts, the second ends the evaluation).
    session_.OneCall().Clock = [now]() mutable { return now += 0.049; };
  }
  Form& report() { return session_.OneCall().form(); }
};

TEST_F(OneFunctionCallTest, ReportsTheValueTheParametersAndTheDuration) {
  data().Values = {1.5, -12345.678, 3};
  data().FuseCodes = {"A", "~~", "A"};
  data().Steps = {0.1, 0, 0};
  data().Descriptions[2] = "Slope";
  menu().Click("cmdOneFunction");

  // Parameter 3 follows parameter 1 (its group's first member), in place.
  EXPECT_EQ(data().Values[3], 1.5);
  ASSERT_EQ(model_.Calls.size(), 1u);
  EXPECT_EQ(model_.Calls[0].NF, 1);
  // F = (1.5 - 1)^2 + (-12345.678 - 2)^2 + (1.5 - 3)^2 = 152465154.49...
  EXPECT_EQ(report().Text("rtbOneFunction"),
            "\r\nCurrent minimum of 152465154.49168 found at the following parameter values: "
            "\r\n\r\n"
            "    001)  1.5000000E+00   A  Description of parameter 1\r\n"
            "    002) -1.2345678E+04  ~~  Slope\r\n"
            "    003)  1.5000000E+00   A  Description of parameter 3\r\n"
            "\r\nNote: One function call requires about 0.05 seconds\r\n");
  EXPECT_EQ(report().Caption(), "One function call");
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(5, 1)], "");
  EXPECT_FALSE(ui_.IsOpen("frmMenu"));
  EXPECT_TRUE(session_.Main().form().FindMenu("mnuApplication")->enabled);
  EXPECT_EQ(session_.Free.FreeCount, 1);  // built before the call

  // Closing the report clears it and brings back the main menu.
  ui_.CloseForm(report());
  EXPECT_EQ(report().Text("rtbOneFunction"), "");
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));
  EXPECT_EQ(EnabledCount(), 13);
}

TEST_F(OneFunctionCallTest, AValueTooWideForItsFieldIsShownWhole) {
  data().Values[2] = -1.25e-100;
  menu().Click("cmdOneFunction");
  EXPECT_NE(report().Text("rtbOneFunction").find("    002) -1.2500000E-100  ~~"),
            std::string::npos);
}

TEST_F(OneFunctionCallTest, PriorsAddTheirTermAndTheirReview) {
  int reviews = 0;
  session_.SetPriorObjective([](const OneBased<double>&) { return 0.5; });
  session_.ReviewPriors = [&] { ++reviews; };
  data().Values = {1, 2, 3};  // F = 0 without priors
  state().PriorsActive = true;
  menu().Click("cmdOneFunction");
  EXPECT_NE(report().Text("rtbOneFunction").find("Current minimum of 0.5 found"), std::string::npos);
  EXPECT_EQ(reviews, 1);

  // Another command closes the report window first.
  ui_.Answer(Answer::Cancel);
  session_.Menu().LoadAlgorithmData();
  EXPECT_FALSE(ui_.IsOpen("frmOneFunction"));
}

TEST(RoundToHundredthsTest, HalvesGoUp) {
  EXPECT_EQ(RoundToHundredths(0.049), 0.05);
  EXPECT_EQ(RoundToHundredths(0.125), 0.13);
  EXPECT_EQ(RoundToHundredths(0.0049), 0.0);
  EXPECT_EQ(RoundToHundredths(12.3449), 12.34);
}

}  // namespace
}  // namespace quorvane
