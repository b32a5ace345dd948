// The check every value prompt makes before it uses an answer as a number.
#include "base/ui/finite_answer.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace quorvane {
namespace {

TEST(FiniteAnswerTest, OnlyNumbersBeyondTheRangeOfADoubleAreRefusedWithTheirText) {
  struct Case {
    const char* answer;
    bool refused;
  };
  const Case cases[] = {
      {"1e400", true},
      {"  -1E999 ", true},
      {"1e400abc", true},                 // leading number infinite
      {"1.7976931348623157e308", false},  // the largest double
      {"1e-400", false},                  // reads as 0: the prompt's own rule decides
      {"abc", false},
      {"", false},
      {"2.5", false},
  };
  for (const Case& c : cases) {
    testing::ScriptedUi ui;
    EXPECT_EQ(RefuseNotFinite(ui, c.answer, "Title"), c.refused) << c.answer;
    ASSERT_EQ(ui.Messages().size(), c.refused ? 1u : 0u) << c.answer;
  }
  testing::ScriptedUi ui;
  RefuseNotFinite(ui, " -1E999 ", "Enter constant");
  EXPECT_EQ(
      ui.Messages().front(),
      "\"-1E999\" is beyond the range of numbers (about 1.8E+308 either way), so it cannot be "
      "used.\r\n\r\nPlease enter another value.");
}

}  // namespace
}  // namespace quorvane
