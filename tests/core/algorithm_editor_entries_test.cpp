// Entries the algorithm data editor must not take: results that are not
// finite numbers, and non-numbers, which it ignores and says so.
#include <gtest/gtest.h>

#include <cmath>

#include "core/algorithm_editor.h"
#include "core/core_session.h"

namespace quorvane {
namespace {

class AlgorithmEditorEntriesTest : public testing::CoreSession {
 protected:
  AlgorithmEditorEntriesTest() {
    ui_.Answer(Answer::No);
    menu().Click("cmdLoadAlg");
    data().Values = {0.5, 0, -3};
    data().Steps = {0.05, 0, 0};
    menu().Click("cmdEditAlg");
    ui_.Log.clear();
  }

  AlgorithmEditor& editor() { return session_.Editor(); }
  Form& form() { return editor().form(); }
  void EditCell(int row, int col, const std::string& entry) {
    form().DoubleClick("grdVS", row, col);
    form().Type("txtCell", entry);
  }
  // Every value and step is still a finite number.
  void ExpectAllFinite() {
    for (int i = 1; i <= 3; ++i) {
      EXPECT_TRUE(std::isfinite(data().Values[i])) << i;
      EXPECT_TRUE(std::isfinite(data().Steps[i])) << i;
    }
  }
};

TEST_F(AlgorithmEditorEntriesTest, CellEntriesThatAreIgnoredAreNamed) {
  editor().StepProportion = 1e308;
  struct Case {
    int column;
    const char* entry;
    std::string message;  // empty: nothing to say
  };
  for (const Case& c : {
           Case{1, "10",
                "The value 10 times the step size proportion 1E+308 gives a step size beyond the "
                "range of numbers, so parameter #1 is unchanged"},
           Case{1, "abc", "\"abc\" is not a number, so the value of parameter #1 is unchanged"},
           Case{1, "1e400", "\"1e400\" is not a number, so the value of parameter #1 is unchanged"},
           Case{2, "inf", "\"inf\" is not a number, so the step size of parameter #1 is unchanged"},
           Case{1, "", ""},
       }) {
    SCOPED_TRACE(c.entry);
    ui_.Log.clear();
    EditCell(1, c.column, c.entry);
    EXPECT_EQ(data().Values[1], 0.5);
    EXPECT_EQ(data().Steps[1], 0.05);
    if (c.message.empty()) {
      EXPECT_TRUE(ui_.Log.empty());
    } else {
      ASSERT_EQ(ui_.Log.size(), 1u);
      EXPECT_EQ(ui_.Log[0].title, "Entry ignored");
      EXPECT_EQ(ui_.Log[0].text, c.message);
    }
  }
  // A value whose step fits is taken: 1E-300 x 1E+308 = 1E+08.
  EditCell(1, 1, "1e-300");
  EXPECT_EQ(data().Values[1], 1e-300);
  EXPECT_DOUBLE_EQ(data().Steps[1], 1e8);
}

TEST_F(AlgorithmEditorEntriesTest, AProportionalPassAsksAgainRatherThanMakeAnInfiniteStep) {
  form().DoubleClick("grdVS", 0, 1);
  ui_.Value("1e308").Value("10").Value("x").Value("1").Value("");
  editor().EditAllForm().Click("cmdAllValues");
  ExpectAllFinite();
  EXPECT_EQ(data().Values[1], 1);
  EXPECT_EQ(data().Steps[1], 1e308);
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{
                "The value 10 times the step size proportion 1E+308 gives a step size beyond the "
                "range of numbers; please enter another value of parameter #1",
                "\"x\" is not a number; please enter the value of parameter #1"}));
  EXPECT_EQ(ui_.Questions().size(), 5u);  // the proportion, then parameter #1 three times, then #2
}

TEST_F(AlgorithmEditorEntriesTest, PassesAndOptionBoxesSayWhenTheyIgnoreANonNumber) {
  ui_.Value("two").Value("0.2").Value("");
  form().DoubleClick("grdVS", 0, 2);
  EXPECT_EQ(data().Steps[1], 0.2);
  form().Type("txtMaxFunctions", "lots");
  EXPECT_EQ(form().Text("txtMaxFunctions"), "9999");
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{
                "\"two\" is not a number; please enter the step size of parameter #1",
                "\"lots\" is not a number, so the setting is unchanged"}));
}

}  // namespace
}  // namespace quorvane
