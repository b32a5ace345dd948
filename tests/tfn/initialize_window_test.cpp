#include "tfn/initialize_window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>

#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::ScriptedUi;

class InitializeWindowTest : public ::testing::Test {
 protected:
  InitializeWindowTest() : session_(ui_, nullptr), window_(session_) {
    session_.Start();
    window_.runSetUp = [this](const TfnSetup& setup) -> std::optional<ValidationMessage> {
      setups_.push_back(setup);
      return failure_;
    };
    window_.Open();
  }
  Form& f() { return window_.form(); }

  ScriptedUi ui_;
  Session session_;
  InitializeWindow window_;
  std::vector<TfnSetup> setups_;
  std::optional<ValidationMessage> failure_;
};

TEST_F(InitializeWindowTest, OpensWithItsInitialEntries) {
  EXPECT_EQ(session_.Main().form().Caption(), "Time series TFN model");
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1968");
  EXPECT_EQ(f().Text("cboResEndTimePeriod"), "1994");
  EXPECT_EQ(f().Text("cboCovStartTimePeriod"), "1963");
  EXPECT_EQ(f().Text("cboARMA"), "5");
  EXPECT_TRUE(f().Checked("chkARMALogit"));
  EXPECT_TRUE(f().Checked("optNoneRes"));
  EXPECT_EQ(f().Text("cboOrdinal1S"), "1");
  EXPECT_EQ(f().Text("cboOrdinal1E"), "1");
  // One series: only group 1, no flattening, no covariate controls.
  EXPECT_TRUE(f().IsEnabled("cboOrdinal1E"));
  EXPECT_FALSE(f().IsEnabled("cboOrdinal2S"));
  EXPECT_FALSE(f().IsEnabled("lblGroup2"));
  EXPECT_FALSE(f().IsEnabled("cboResFlat"));
  EXPECT_FALSE(f().IsEnabled("txtCovDataInput"));
  EXPECT_FALSE(f().IsEnabled("cboBoxCoxLambdaRes"));
  EXPECT_EQ(f().Get("cboResStartTimePeriod").items.front(), "1900");
  EXPECT_EQ(f().Get("cboResStartTimePeriod").items.back(), "2005");
}

TEST_F(InitializeWindowTest, SeriesRangeSetsUpTheGroupsAndFlattening) {
  f().Type("cboLastResSeries", "3");
  for (int g = 1; g <= 5; ++g)
    EXPECT_EQ(f().IsEnabled("cboOrdinal" + std::to_string(g) + "S"), g <= 3) << g;
  EXPECT_EQ(f().Get("cboOrdinal2E").items, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(f().Text("cboOrdinal1E"), "3");
  EXPECT_TRUE(f().IsEnabled("cboResFlat"));

  // Splitting group 1 proposes the start of group 2; reaching the last
  // series empties the later groups.
  f().Type("cboOrdinal1E", "1");
  f().Type("cboOrdinal2E", "2");
  EXPECT_EQ(f().Text("cboOrdinal2S"), "2");
  f().Type("cboOrdinal2E", "2");
  EXPECT_EQ(f().Text("cboOrdinal3S"), "3");
  f().Type("cboOrdinal3E", "3");
  f().Type("cboOrdinal2E", "3");
  EXPECT_EQ(f().Text("cboOrdinal3S"), "");
  EXPECT_EQ(f().Text("cboOrdinal3E"), "");
  f().Type("cboOrdinal2E", "1");  // below its start: raised to it
  EXPECT_EQ(f().Text("cboOrdinal2E"), "2");

  f().Type("cboLastResSeries", "1");
  EXPECT_EQ(f().Text("cboResFlat"), "N");
  EXPECT_FALSE(f().IsEnabled("cboResFlat"));
}

TEST_F(InitializeWindowTest, TransformationChoicesEnableTheirBoxes) {
  f().Choose("optBoxCoxRes");
  EXPECT_TRUE(f().IsEnabled("cboBoxCoxLambdaRes"));
  f().Type("cboBoxCoxLambdaRes", "0.5");
  f().Choose("optNoneRes");
  EXPECT_FALSE(f().IsEnabled("cboBoxCoxLambdaRes"));
  EXPECT_EQ(f().Text("cboBoxCoxLambdaRes"), "1");

  f().Choose("optLogitRes");
  f().Type("cboResDiff", "1");
  EXPECT_FALSE(f().IsEnabled("optLogitRes"));
  EXPECT_FALSE(f().Checked("optLogitRes"));
  f().Type("cboResDiff", "0");
  EXPECT_TRUE(f().IsEnabled("optLogitRes"));

  f().Choose("optYesCov");
  EXPECT_TRUE(f().IsEnabled("chkCovSeries3"));
  f().Type("cboCovDiff", "2");
  EXPECT_TRUE(f().IsEnabled("optLogitCov"));  // covariate logit does not depend on differencing
  f().Choose("optNoCov");
  EXPECT_FALSE(f().IsEnabled("cboCovDiff"));
}

// The logit suits the values as read: after regular or seasonal
// differencing only when the transformation comes first.
TEST_F(InitializeWindowTest, LogitFollowsTheDifferencingAndTheOrderOfTransformation) {
  EXPECT_EQ(f().Text("cboSeasonalPeriod"), "None");
  EXPECT_FALSE(f().Checked("chkTransformFirst"));
  f().Type("cboSeasonalDiff", "1");
  EXPECT_FALSE(f().IsEnabled("optLogitRes"));
  f().SetCheckedByUser("chkTransformFirst", true);
  EXPECT_TRUE(f().IsEnabled("optLogitRes"));
  f().Type("cboResDiff", "1");
  EXPECT_TRUE(f().IsEnabled("optLogitRes"));
  f().SetCheckedByUser("chkTransformFirst", false);
  EXPECT_FALSE(f().IsEnabled("optLogitRes"));
  f().Type("cboSeasonalDiff", "0");
  f().Type("cboResDiff", "0");
  EXPECT_TRUE(f().IsEnabled("optLogitRes"));
}

TEST_F(InitializeWindowTest, ContinueTakesTheSeasonalChoices) {
  f().Type("txtResDataInput", "/data/airpassengers.dat");
  f().Type("cboResStartTimePeriod", "1");
  f().Type("cboResEndTimePeriod", "144");
  f().Type("cboResDiff", "1");
  f().Choose("optBoxCoxRes");
  f().Type("cboBoxCoxLambdaRes", "0");
  f().SetCheckedByUser("chkTransformFirst", true);
  f().Type("cboSeasonalPeriod", "12");
  f().Type("cboSeasonalDiff", "1");
  f().Type("cboSeasonalMA", "1");
  f().Type("cboARMA", "1");
  f().Click("cmdDone");
  ASSERT_EQ(setups_.size(), 1u);
  const TfnSetup& s = setups_.back();
  EXPECT_EQ(s.SeasonalPeriod, 12);
  EXPECT_EQ(s.SeasonalDifferencing, 1);
  EXPECT_EQ(s.SeasonalArOrder, 0);
  EXPECT_EQ(s.SeasonalMaOrder, 1);
  EXPECT_TRUE(s.Response.TransformBeforeDifferencing);
  EXPECT_EQ(s.Response.Transformation, SeriesTransformation::BoxCox);

  // A seasonal order without a period keeps the window open.
  window_.Open();
  f().Type("txtResDataInput", "/data/airpassengers.dat");
  f().Type("cboSeasonalAR", "2");
  f().Click("cmdDone");
  EXPECT_EQ(ui_.Messages().back(),
            "Seasonal differencing and seasonal AR or MA orders need a seasonal period: choose one from 2 to 400, "
            "or set them to 0");
  EXPECT_TRUE(f().IsOpen());
  EXPECT_EQ(setups_.size(), 1u);
}

TEST_F(InitializeWindowTest, ContinueChecksThenSetsUp) {
  f().Click("cmdDone");
  EXPECT_EQ(ui_.Messages().back(), "Please choose an response series data file");
  EXPECT_TRUE(setups_.empty());

  f().Type("txtResDataInput", "/data/nile.dat");
  f().Type("cboResStartTimePeriod", "1871");
  f().Type("cboResEndTimePeriod", "1970");
  f().Type("cboIntervention1", "1");
  f().Type("cboARMA", "1");

  failure_ = ValidationMessage{"Fatal data input error", "bad data"};
  f().Click("cmdDone");
  EXPECT_EQ(ui_.Messages().back(), "bad data");
  EXPECT_TRUE(f().IsOpen());
  EXPECT_FALSE(session_.State.InitializeAlready);

  failure_.reset();
  f().Click("cmdDone");
  ASSERT_EQ(setups_.size(), 2u);
  const TfnSetup& s = setups_.back();
  EXPECT_EQ(s.Response.StartPeriod, 1871);
  EXPECT_EQ(s.Response.EndPeriod, 1970);
  EXPECT_EQ(s.GroupCount, 1);
  EXPECT_EQ(s.Interventions[0], 1);
  EXPECT_EQ(s.LagOrder, 1);
  EXPECT_FALSE(s.UseCovariates);
  EXPECT_FALSE(f().IsOpen());
  EXPECT_TRUE(session_.State.InitializeAlready);
  EXPECT_EQ(session_.State.DataFileName, "/data/nile.dat");
  EXPECT_EQ(session_.State.DataFileTitle, "nile");
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(0, 1)], "Time series response data file name: /data/nile.dat");
  Form& menu = session_.Menu().form();
  EXPECT_TRUE(menu.IsEnabled("cmdLoadAlg"));
  EXPECT_FALSE(menu.IsEnabled("cmdSimplex"));
  EXPECT_EQ(menu.Get("cmdUserSummary").caption, "Res&ults Summary");
}

// A group's list of covariate series opens with covariates and with its
// group; Continue gives each listed series its group, and the further
// series to treat as interventions their flags.
TEST_F(InitializeWindowTest, GroupsListTheirCovariateSeries) {
  f().Type("txtResDataInput", "/data/seatbelts.dat");
  f().Type("cboResStartTimePeriod", "1");
  f().Type("cboResEndTimePeriod", "192");
  f().Type("cboLastResSeries", "2");
  EXPECT_FALSE(f().IsEnabled("txtCovGroup1"));
  f().Choose("optYesCov");
  EXPECT_TRUE(f().IsEnabled("txtCovGroup2"));
  EXPECT_FALSE(f().IsEnabled("txtCovGroup3"));
  f().Type("txtCovDataInput", "/data/seatbelts_cov.dat");
  f().Type("cboCovStartTimePeriod", "1");
  f().Type("cboCovEndTimePeriod", "192");
  f().Type("cboOrdinal1E", "1");
  f().Type("cboOrdinal2E", "2");
  f().Type("cboFirstCovSeries", "1");
  f().Type("cboLastCovSeries", "7");
  f().Type("txtCovGroup1", "1, 3");
  f().Type("txtCovGroup2", "2");
  f().Click("cmdDone");
  EXPECT_EQ(ui_.Messages().back(), "Covariate series 4 is not listed for any response series group");
  f().Type("txtCovGroup2", "2 4 5 6 7");
  f().SetCheckedByUser("chkCovSeries3", true);
  f().Type("txtCovInterventionSeries", "7");
  f().Click("cmdDone");
  ASSERT_EQ(setups_.size(), 1u) << ui_.Messages().back();
  const TfnSetup& s = setups_.back();
  EXPECT_EQ(s.GroupCount, 2);
  EXPECT_EQ(s.CovariateCount(), 7);
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(s.GroupOfCovariate(c), c == 1 || c == 3 ? 1 : 2) << c;
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(s.CovariateAsIntervention(c), c == 3 || c == 7) << c;
  EXPECT_FALSE(s.CovariatesOnePerGroup());

  // A group that closes loses its list.
  window_.Open();
  f().Choose("optYesCov");
  f().Type("cboLastResSeries", "2");
  f().Type("txtCovGroup2", "1");
  f().Type("cboLastResSeries", "1");
  EXPECT_FALSE(f().IsEnabled("txtCovGroup2"));
  EXPECT_EQ(f().Text("txtCovGroup2"), "");
}

TEST_F(InitializeWindowTest, ContinueRefusesNumbersTheModelCannotTake) {
  // Each box typed on a Nile set-up; the first three used to crash the set-up.
  const struct {
    const char* box;
    const char* text;
    const char* message;
  } cases[] = {
      {"cboResDiff", "-1", "The degree of differencing of the response series reads -1; it must be 0, 1 or 2"},
      {"cboARMA", "16384",
       "The maximum order of ARMA, TFN and Intervention lags reads 16384; it must be from 1 to 100"},
      {"cboIntervention1", "-1", "The number of interventions for Group 1 reads -1; it must be from 0 to 100"},
      {"cboResEndTimePeriod", "10000000",
       "The last time period of response series data reads 10000000; a series data file holds time "
       "periods from -999999 to 9999999"},
  };
  for (const auto& c : cases) {
    window_.Open();
    f().Type("txtResDataInput", "/data/nile.dat");
    f().Type("cboResStartTimePeriod", "1871");
    f().Type(c.box, c.text);
    f().Click("cmdDone");
    EXPECT_EQ(ui_.Messages().back(), c.message) << c.box;
    EXPECT_TRUE(f().IsOpen()) << c.box;
  }
  EXPECT_TRUE(setups_.empty());

  // A period past 32767 reaches the set-up as typed.
  window_.Open();
  f().Type("txtResDataInput", "/data/long.dat");
  f().Type("cboResStartTimePeriod", "1");
  f().Type("cboResEndTimePeriod", "40000");
  f().Click("cmdDone");
  ASSERT_EQ(setups_.size(), 1u);
  EXPECT_EQ(setups_[0].Response.EndPeriod, 40000);
}

TEST_F(InitializeWindowTest, CancelChangesNothing) {
  f().Type("txtResDataInput", "/data/nile.dat");
  f().Click("cmdCancel");
  EXPECT_TRUE(setups_.empty());
  EXPECT_FALSE(session_.State.InitializeAlready);
  EXPECT_TRUE(session_.Menu().form().IsOpen());
  window_.Open();
  EXPECT_EQ(f().Text("txtResDataInput"), "");
}

TEST_F(InitializeWindowTest, ReopeningProposesThePeriodsOfTheLastSetUp) {
  window_.ProposePeriods({1872, 1970, 0, 0, false});
  window_.Open();
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1872");
  EXPECT_EQ(f().Text("cboCovStartTimePeriod"), "1963");
}

TEST_F(InitializeWindowTest, SelectFileFillsTheBoxUnlessCancelled) {
  ui_.File("/data/belts.dat").File(std::nullopt);
  f().Click("cmdSelectRes");
  EXPECT_EQ(f().Text("txtResDataInput"), "/data/belts.dat");
  f().Click("cmdSelectRes");
  EXPECT_EQ(f().Text("txtResDataInput"), "/data/belts.dat");
  EXPECT_EQ(ui_.FileRequests[0].title, "Load response series data file");
  EXPECT_EQ(ui_.FileRequests[0].filter,
            "All Files (*.*)|*.*|Time series data files (*.dat)|*.dat|"
            "Delimited text (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt");
  EXPECT_EQ(ui_.FileRequests[0].filterIndex, 2);
}

}  // namespace
}  // namespace quorvane

namespace quorvane {
namespace {

// A series file of the given periods in the layout of the examples.
std::string WriteSeriesFile(const std::string& name, int first, int last) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream out(path, std::ios::binary);
  out << " Period,    Flow\r\n";
  for (int p = first; p <= last; ++p) out << std::setw(7) << p << ",    1000\r\n";
  return path;
}

TEST_F(InitializeWindowTest, ChoosingAFileProposesItsPeriodsWhenTheWindowLiesOutsideThem) {
  const std::string nile = WriteSeriesFile("periods_nile.dat", 1871, 1970);
  ui_.File(nile);
  f().Click("cmdSelectRes");
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1871");
  EXPECT_EQ(f().Text("cboResEndTimePeriod"), "1970");
  EXPECT_EQ(f().Get("cboResStartTimePeriod").items.front(), "1871");
  EXPECT_EQ(f().Get("cboResEndTimePeriod").items.back(), "1970");

  // A window inside the file's periods is the user's choice and stays; a
  // path typed into the box is read when the box is left.
  f().Type("cboResStartTimePeriod", "1900");
  f().Type("cboResEndTimePeriod", "1950");
  f().Type("txtResDataInput", nile);
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1900");
  EXPECT_EQ(f().Text("cboResEndTimePeriod"), "1950");

  // The covariate boxes follow the covariate file; a file that cannot be
  // read leaves the boxes as they were.
  f().Choose("optYesCov");
  ui_.File(WriteSeriesFile("periods_months.dat", 1, 192));
  f().Click("cmdSelectCov");
  EXPECT_EQ(f().Text("cboCovStartTimePeriod"), "1");
  EXPECT_EQ(f().Text("cboCovEndTimePeriod"), "192");
  f().Type("txtCovDataInput", ::testing::TempDir() + "no_such_file.dat");
  EXPECT_EQ(f().Text("cboCovStartTimePeriod"), "1");
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1900");
}

}  // namespace
}  // namespace quorvane

namespace quorvane {
namespace {

// A monthly file of delimited text: the boxes take and show dates, the
// lists name the series.
TEST_F(InitializeWindowTest, ADatedFileIsSetUpByDatesAndListsItsSeriesByName) {
  const std::string path = ::testing::TempDir() + "initialize_months.csv";
  {
    std::ofstream out(path, std::ios::binary);
    out << "Month,Front,PetrolPrice\n";
    for (int m = 0; m < 24; ++m)
      out << 1969 + m / 12 << "-" << std::setw(2) << std::setfill('0') << m % 12 + 1 << ",1,2\n";
  }
  ui_.File(path);
  f().Click("cmdSelectRes");
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1969-01");
  EXPECT_EQ(f().Text("cboResEndTimePeriod"), "1970-12");
  EXPECT_EQ(f().Get("cboResEndTimePeriod").items.size(), 24u);
  EXPECT_EQ(f().Get("cboResEndTimePeriod").items[1], "1969-02");
  EXPECT_EQ(f().Get("cboLastResSeries").items,
            (std::vector<std::string>{"1: Front", "2: PetrolPrice"}));
  EXPECT_EQ(f().Get("cboOrdinal1E").items, (std::vector<std::string>{"1: Front"}));
  f().Choose("optYesCov");
  ui_.File(path);
  f().Click("cmdSelectCov");
  EXPECT_EQ(f().Get("cboFirstCovSeries").items,
            (std::vector<std::string>{"0", "1: Front", "2: PetrolPrice"}));
  f().Choose("optNoCov");

  // A date that is no month of the file is refused before anything is read.
  f().Type("cboResStartTimePeriod", "1969-13");
  f().Click("cmdDone");
  ASSERT_FALSE(ui_.Log.empty());
  EXPECT_EQ(ui_.Log.back().title, "Problem with your choice of time periods");
  EXPECT_EQ(ui_.Log.back().text,
            "Your first time period of the response series data, '1969-13', is not a period of the "
            "response data file, which is monthly: type a month such as 1983-02");
  EXPECT_TRUE(setups_.empty());

  f().Type("cboResStartTimePeriod", "1969-03");
  f().Type("cboResEndTimePeriod", "1970-06");
  f().Click("cmdDone");
  ASSERT_EQ(setups_.size(), 1u);
  EXPECT_EQ(setups_[0].Response.StartPeriod, 12 * 1969 + 2);
  EXPECT_EQ(setups_[0].Response.EndPeriod, 12 * 1970 + 5);

  // Reopened after the set-up, the boxes propose its periods by date.
  window_.ProposePeriods({12 * 1969 + 2, 12 * 1970 + 5, 0, 0, false, PeriodCalendar::Months(), {}});
  window_.Open();
  EXPECT_EQ(f().Text("cboResStartTimePeriod"), "1969-03");
  EXPECT_EQ(f().Text("cboResEndTimePeriod"), "1970-06");
}

}  // namespace
}  // namespace quorvane
