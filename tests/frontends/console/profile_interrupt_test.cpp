// Ctrl+C during a likelihood profile of the Nile fit, sent as the signal
// while the profile's points run: it reaches the running calculation's own
// interrupt question, and stopping there returns to the main menu with the
// session intact.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/console_process.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

struct InterruptCase {
  const char* name;
  std::vector<std::string> profileAnswers;  // after "click cmdML"
  const char* waitingFor;                    // Ctrl+C is pressed while this waits
  std::vector<std::string> answersAfter;
  const char* question;                      // the interrupt question that must follow
};

void PrintTo(const InterruptCase& c, std::ostream* out) { *out << c.name; }

class ProfileInterruptTest : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(ProfileInterruptTest, CtrlCReachesTheRunningCalculationsQuestion) {
  const InterruptCase& c = GetParam();
  // The example starting values with 20 calls per Simplex run, so a run at
  // a profile point stops to ask about the call limit.
  std::string alg = testing::ReadAll(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.alg");
  testing::ReplaceAll(alg, "          9999  Maximum", "            20  Maximum");
  const std::string algPath =
      ::testing::TempDir() + "quorvane_profile_interrupt_" + std::string(c.name) + ".alg";
  { std::ofstream(algPath, std::ios::binary) << alg; }

  testing::ConsoleProcess console(QUORVANE_SOURCE_DIR);
  for (const char* line : {"click cmdInitialize", "set txtResDataInput examples/nile.dat",
                           "set cboResStartTimePeriod 1871", "set cboResEndTimePeriod 1970",
                           "set cboIntervention1 1", "set cboARMA 1", "uncheck chkARMALogit",
                           "click cmdDone", "click cmdLoadAlg", "yes"})
    console.Type(line);
  console.Type(algPath);
  // Profile parameter 1, Phi(1).
  console.Type("click cmdParEstimate");
  console.Type("click cmdML");
  console.Type("yes");
  console.Type("1");
  for (const std::string& answer : c.profileAnswers) console.Type(answer);
  ASSERT_TRUE(console.AwaitText(c.waitingFor)) << console.output;
  console.PressCtrlC();
  for (const std::string& answer : c.answersAfter) console.Type(answer);
  ASSERT_TRUE(console.AwaitText(c.question)) << console.output;
  console.Type("yes");  // stop the profile
  for (const char* line : {"click cmdQuit", "yes", "no"}) console.Type(line);
  EXPECT_EQ(console.Finish(), 0) << console.output;
  // Stopped at its first point, the profile keeps no points to report.
  EXPECT_EQ(console.output.find("Window opened: Maximum likelihood statistics"), std::string::npos)
      << console.output;
  std::remove(algPath.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    AtEveryStage, ProfileInterruptTest,
    ::testing::Values(
        // Simplex at each point: Ctrl+C while its call-limit question waits,
        // then "no" ends the search of this point; the search answers the
        // interrupt with the profile's choice.
        InterruptCase{"WhileTheSimplexOfAPointRuns",
                      {"5", "yes", "click cmdFinish"},
                      "Maximum number of function calls reached, do you want to continue?",
                      {"no"},
                      "[Simplex interrupt] Interrupt received. Do you want to quit the ML procedure?"},
        // Marquardt at each point: Ctrl+C while its set-up question at the
        // first point waits, so it comes before the search answers
        // interrupts; the profile itself asks once the point is done.
        InterruptCase{"BetweenTheMinimisationsOfAProfileWithFreeParameters",
                      {"5", "no", "click cmdFinish"},
                      "else 'No' to calculate NUMERICAL derivatives",
                      {"no", "no"},
                      "[Maximum-likelihood calculations] Interrupt received.  Quit calculations?"},
        // No other free parameter (the steps of the intercept and Omega(0)
        // set to 0 in the editor): each point is one evaluation.
        InterruptCase{"InAProfileWithoutFreeParameters",
                      {"101", "yes", "dblclick grdVS 3 2", "set txtCell 0", "dblclick grdVS 6 2",
                       "set txtCell 0"},
                      "Window opened: Algorithm data file name is:",
                      {"click cmdFinish"},
                      "[Maximum-likelihood calculations] Interrupt received.  Quit calculations?"}),
    [](const ::testing::TestParamInfo<InterruptCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quorvane
