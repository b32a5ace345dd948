// A monthly file read in dates throughout: the start of an intervention is
// typed as a month in the algorithm editor, and the results summary names
// the periods by month.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/algorithm_editor.h"
#include "tfn/series_file_fixture.h"
#include "tfn/summary/summary_fixture.h"

namespace quorvane {
namespace {

class DatedSummaryTest : public testing::SummarySession {
 protected:
  void SetUp() override {
    std::string text = "month,level\n";
    for (int m = 0; m < 36; ++m) {
      char line[64];
      std::snprintf(line, sizeof line, "%04d-%02d,%d\n", 1980 + m / 12, m % 12 + 1,
                    100 + (m * 37) % 11 + (m >= 20 ? 30 : 0));
      text += line;
    }
    TfnSetup setup = testing::NileSetup();
    setup.Response.FileName = testing::TextFile("dated_summary.csv", text);
    setup.Response.StartPeriod = *months_.Period("1980-01");
    setup.Response.EndPeriod = *months_.Period("1982-12");
    setup.Response.Differencing = 1;
    SetUpModel(setup);
    Set(layout_.Phi(1), 0.2, 0.05);
    Set(layout_.InterventionBase(1) + 2, 1.0);  // a step
    Set(layout_.BlockOmega(layout_.InterventionBase(1), 0), 25.0, 1.0);
  }

  Form& editor() { return session_.Editor().form(); }
  const std::string& Cell(int row, int col) { return editor().Get("grdVS").grid.At(row, col).text; }
  int StartRow() const { return layout_.InterventionBase(1) + 1; }

  const PeriodCalendar months_ = PeriodCalendar::Months();
};

TEST_F(DatedSummaryTest, TheEditorTakesTheStartOfAnInterventionAsAMonth) {
  session_.Menu().Close();
  session_.Menu().Show();
  session_.Menu().form().Click("cmdEditAlg");
  const int row = StartRow();
  EXPECT_EQ(Cell(row, 1), "0000-01");  // period 0, before any month of the data

  editor().DoubleClick("grdVS", row, 1);
  EXPECT_EQ(editor().Text("txtCell"), "0000-01");
  editor().Type("txtCell", "1981-09");
  EXPECT_EQ(session_.Algorithm.Values[row], *months_.Period("1981-09"));
  EXPECT_EQ(session_.Algorithm.Steps[row], 0.0);  // a period is not estimated
  EXPECT_EQ(Cell(row, 1), "1981-09");

  editor().DoubleClick("grdVS", row, 1);
  editor().Type("txtCell", "1981");
  EXPECT_EQ(session_.Algorithm.Values[row], *months_.Period("1981-09"));
  EXPECT_EQ(ui_.Log.back().text,
            "\"1981\" is not a period of the series, which are monthly: type a month such as 1983-02, so "
            "the value of parameter #" +
                std::to_string(row) + " is unchanged");
  // Other parameters stay plain numbers.
  EXPECT_EQ(Cell(layout_.Phi(1), 1), "2.0000E-01");
}

TEST_F(DatedSummaryTest, TheSummaryNamesEveryPeriodByItsMonth) {
  Set(StartRow(), *months_.Period("1981-09"));
  const std::string& text = Summarize();
  for (const char* expected : {
           "1st differenced response series for the time periods: 1980-02 to 1982-12\r\n",
           "   1981-09    Starting time period for Intervention 1 of Group 1",
           "A complete series has 35 time periods of data starting in 1980-02\r\n",
           "Observed (i.e., undifferenced, unflattened, untransformed) response series data:\r\n"
           "Time,level\r\n"
           "1980-01,    100.0000\r\n",
           "Predicted fits to the possibly differenced, flattened and/or transformed response series "
           "data:\r\nTime,level\r\n1980-02,",
       })
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

}  // namespace
}  // namespace quorvane
