#include "tfn/initialize_validation.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvane {
namespace {

// Entries that pass every check: Nile-like, one series in one group.
InitializeEntries Valid() {
  InitializeEntries e;
  e.ResponseFile = "nile.dat";
  e.ResponseStart = 1871;
  e.ResponseEnd = 1970;
  e.FirstResponse = 1;
  e.LastResponse = 1;
  e.GroupStart = {"1", "", "", "", ""};
  e.GroupEnd = {"1", "", "", "", ""};
  e.GroupEnabled = {true, false, false, false, false};
  return e;
}

// Three series, covariates 1..3, three groups of one series each.
InitializeEntries ValidWithCovariates() {
  InitializeEntries e = Valid();
  e.LastResponse = 3;
  e.UseCovariates = true;
  e.CovariateFile = "cov.dat";
  e.CovariateStart = 1871;
  e.CovariateEnd = 1970;
  e.FirstCovariate = 1;
  e.LastCovariate = 3;
  e.GroupStart = {"1", "2", "3", "", ""};
  e.GroupEnd = {"1", "2", "3", "", ""};
  e.GroupEnabled = {true, true, true, false, false};
  return e;
}

struct Case {
  const char* name;
  std::function<void(InitializeEntries&)> change;
  const char* title;  // nullptr: passes
  const char* text;
};

// Applies the case's change to ValidWithCovariates and checks the first message.
void ExpectOutcome(const Case& c) {
  InitializeEntries e = ValidWithCovariates();
  c.change(e);
  auto message = ValidateInitializeEntries(e);
  if (!c.title) {
    EXPECT_FALSE(message) << c.name << ": " << message->Text;
    return;
  }
  ASSERT_TRUE(message) << c.name;
  EXPECT_EQ(message->Title, c.title) << c.name;
  if (c.text) {
    EXPECT_EQ(message->Text, c.text) << c.name;
  }
}

TEST(InitializeValidationTest, EachCheckReportsItsCaseFirst) {
  const Case cases[] = {
      {"valid", [](InitializeEntries&) {}, nullptr, nullptr},
      {"1 periods", [](InitializeEntries& e) { e.ResponseEnd = e.ResponseStart; },
       "Problem with your choice of time periods",
       "The last time period of response series data does not exceed the first time period of "
       "data"},
      {"2 covariate periods", [](InitializeEntries& e) { e.CovariateStart = 1980; },
       "Problem with your choice of time periods",
       "The last time period of covariate series data does not exceed the first time period of "
       "data"},
      {"3 last periods", [](InitializeEntries& e) { e.CovariateEnd = 1969; },
       "Problem with your choice of last time periods",
       "The last time periods of response and covariate series data do not coincide"},
      {"4 response series", [](InitializeEntries& e) { e.FirstResponse = 4; },
       "Problem with your choice of response series",
       "Your last series of response series data exceeds your first series"},
      {"5 covariate series", [](InitializeEntries& e) { e.FirstCovariate = 4; },
       "Problem with your choice of covariate series",
       "Your last series of covariate series data exceeds your first series"},
      {"6 zero covariate", [](InitializeEntries& e) { e.FirstCovariate = 0; },
       "Problem with your choice of covariate series",
       "You have not entered non-zero ordinal series numbers for the covariate series data"},
      {"7 count", [](InitializeEntries& e) { e.LastCovariate = 2; },
       "Problem with your choice of covariate series",
       "The number of covariate series must match the number of response series groups"},
      {"8 end below start", [](InitializeEntries& e) { e.GroupEnd[1] = "1"; },
       "Problem with your choices of series groupings",
       "Check that series choices start with Group 1, are consecutive, adjacent and range from 1 "
       "to 3"},
      {"8 not adjacent", [](InitializeEntries& e) { e.GroupStart[2] = "2"; },
       "Problem with your choices of series groupings", nullptr},
      {"8 above last", [](InitializeEntries& e) { e.GroupEnd[2] = "4"; },
       "Problem with your choices of series groupings", nullptr},
      {"8 start without end", [](InitializeEntries& e) { e.GroupEnd[2] = ""; },
       "Problem with your choices of series groupings", nullptr},
      {"8 series 3 in no group",
       [](InitializeEntries& e) {
         e.GroupStart[2] = e.GroupEnd[2] = "";
         e.LastCovariate = 2;
       },
       "Problem with your choices of series groupings", nullptr},
      {"9 response file", [](InitializeEntries& e) { e.ResponseFile = ""; }, "Missing input",
       "Please choose an response series data file"},
      {"10 covariate file", [](InitializeEntries& e) { e.CovariateFile = " "; }, "Missing input",
       "Please choose a covariate series data file"},
      {"order: 1 before 9", [](InitializeEntries& e) {
         e.ResponseFile = "";
         e.ResponseStart = 2000;
       },
       "Problem with your choice of time periods", nullptr},
  };
  for (const Case& c : cases) ExpectOutcome(c);
  EXPECT_FALSE(ValidateInitializeEntries(Valid()));
}

// Groups that list their covariate series: any number of series up to five
// per group, each in one group; the count check then no longer applies.
TEST(InitializeValidationTest, ListedCovariateSeriesOfTheGroups) {
  const Case cases[] = {
      {"six series for three groups",
       [](InitializeEntries& e) {
         e.LastCovariate = 6;
         e.GroupCovariates = {"1, 2", "3", "4 5 6", "", ""};
       },
       nullptr, nullptr},
      {"all on group 2",
       [](InitializeEntries& e) { e.GroupCovariates = {"", "1,2,3", "", "", ""}; }, nullptr, nullptr},
      {"series left out", [](InitializeEntries& e) { e.GroupCovariates = {"1", "2", "", "", ""}; },
       "Problem with your choice of covariate series",
       "Covariate series 3 is not listed for any response series group"},
      {"not a list", [](InitializeEntries& e) { e.GroupCovariates = {"1", "2", "three", "", ""}; },
       "Problem with your choice of covariate series",
       "The covariate series for Group 3 read \"three\"; list ordinal numbers from 1 to 25, such as 1, 2"},
      {"group without series", [](InitializeEntries& e) { e.GroupCovariates = {"1", "2", "", "3", ""}; },
       "Problem with your choice of covariate series",
       "Covariate series 3 is listed for Group 4, which holds no response series"},
      {"26 series",
       [](InitializeEntries& e) {
         e.LastCovariate = 26;
         e.GroupCovariates = {"1", "", "", "", ""};
       },
       "Problem with your choice of covariate series",
       "There can be no more than 25 covariate series, up to 5 for each group"},
      {"further interventions", [](InitializeEntries& e) { e.FurtherInterventionSeries = "6, 7"; }, nullptr,
       nullptr},
      {"further interventions not a list", [](InitializeEntries& e) { e.FurtherInterventionSeries = "6-7"; },
       "Problem with your choice of covariate series",
       "The further covariate series to treat as intervention series read \"6-7\"; list ordinal numbers "
       "from 1 to 25, such as 6, 7"},
  };
  for (const Case& c : cases) ExpectOutcome(c);
}

// Numbers the model cannot take are refused with the box, the value and the
// range allowed; the entries of ValidWithCovariates otherwise.
TEST(InitializeValidationTest, RefusesNumbersTheModelCannotTake) {
  const Case cases[] = {
      {"differencing -1", [](InitializeEntries& e) { e.ResponseDifferencing = -1; },
       "Problem with your choice of differencing",
       "The degree of differencing of the response series reads -1; it must be 0, 1 or 2"},
      {"differencing 1e308", [](InitializeEntries& e) { e.ResponseDifferencing = 1e308; },
       "Problem with your choice of differencing",
       "The degree of differencing of the response series reads 1E+308; it must be 0, 1 or 2"},
      {"differencing 2.6", [](InitializeEntries& e) { e.ResponseDifferencing = 2.6; },
       "Problem with your choice of differencing", nullptr},
      {"differencing 2.5 rounds to 2", [](InitializeEntries& e) { e.ResponseDifferencing = 2.5; },
       nullptr, nullptr},
      {"covariate differencing 3", [](InitializeEntries& e) { e.CovariateDifferencing = 3; },
       "Problem with your choice of differencing",
       "The degree of differencing of the covariate series reads 3; it must be 0, 1 or 2"},
      {"lag order 0", [](InitializeEntries& e) { e.LagOrder = 0; },
       "Problem with your choice of lag order",
       "The maximum order of ARMA, TFN and Intervention lags reads 0; it must be from 1 to 100"},
      {"lag order -1", [](InitializeEntries& e) { e.LagOrder = -1; },
       "Problem with your choice of lag order", nullptr},
      {"lag order 16384", [](InitializeEntries& e) { e.LagOrder = 16384; },
       "Problem with your choice of lag order", nullptr},
      {"lag order 100", [](InitializeEntries& e) { e.LagOrder = 100; }, nullptr, nullptr},
      {"interventions -1", [](InitializeEntries& e) { e.Interventions[1] = -1; },
       "Problem with your choice of interventions",
       "The number of interventions for Group 2 reads -1; it must be from 0 to 100"},
      {"interventions 101", [](InitializeEntries& e) { e.Interventions[0] = 101; },
       "Problem with your choice of interventions", nullptr},
      {"interventions of an unused group", [](InitializeEntries& e) { e.Interventions[4] = -1; },
       nullptr, nullptr},
      // 2p + NG + (2p + 3)(NI + NC) = 200 + 3 + 203 (200 + 3)
      {"parameter count",
       [](InitializeEntries& e) {
         e.LagOrder = 100;
         e.Interventions = {100, 100, 0, 0, 0};
       },
       "Problem with the number of parameters",
       "This set-up has 41412 parameters, more than the 32767 the model can hold; choose a lower "
       "lag order or fewer interventions"},
      {"period 40000", [](InitializeEntries& e) { e.ResponseEnd = e.CovariateEnd = 40000; },
       nullptr, nullptr},
      {"period 10000000",
       [](InitializeEntries& e) { e.ResponseEnd = e.CovariateEnd = 10000000; },
       "Problem with your choice of time periods",
       "The last time period of response series data reads 10000000; a series data file holds "
       "time periods from -999999 to 9999999"},
      {"covariate period -1000000", [](InitializeEntries& e) { e.CovariateStart = -1000000; },
       "Problem with your choice of time periods",
       "The first time period of covariate series data reads -1000000; a series data file holds "
       "time periods from -999999 to 9999999"},
      {"series ordinal -1",
       [](InitializeEntries& e) {
         e.FirstResponse = -1;
         e.GroupStart[0] = "-1";
       },
       "Problem with your choice of response series",
       "The first series of response series data reads -1; series ordinal numbers run from 1 to "
       "32767"},
      {"covariate ordinal -1",
       [](InitializeEntries& e) {
         e.FirstCovariate = -1;
         e.LastCovariate = 1;
       },
       "Problem with your choice of covariate series",
       "The first series of covariate series data reads -1; series ordinal numbers run from 1 to "
       "32767"},
  };
  for (const Case& c : cases) ExpectOutcome(c);
}

// The seasonal choices: a period of None or 2..400, seasonal differencing
// of 0 or 1, seasonal orders of 0..3, seasonal terms only with a period,
// and a window longer than the periods the differencing uses up.
TEST(InitializeValidationTest, SeasonalChoicesNameTheBoxTheValueAndTheRange) {
  const auto seasonal = [](double s, double D, double P, double Q) {
    return [=](InitializeEntries& e) {
      e.SeasonalPeriod = s;
      e.SeasonalDifferencing = D;
      e.SeasonalArOrder = P;
      e.SeasonalMaOrder = Q;
    };
  };
  const Case cases[] = {
      {"airline", seasonal(12, 1, 0, 1), nullptr, nullptr},
      {"period 400, orders 3", seasonal(400, 0, 3, 3), nullptr, nullptr},
      {"period 2", seasonal(2, 1, 1, 0), nullptr, nullptr},
      {"period 1", seasonal(1, 0, 1, 0), "Problem with your choice of seasonal period",
       "The seasonal period reads 1; it must be None or a whole number from 2 to 400"},
      {"period 401", seasonal(401, 0, 0, 1), "Problem with your choice of seasonal period",
       "The seasonal period reads 401; it must be None or a whole number from 2 to 400"},
      {"period -12", seasonal(-12, 0, 0, 0), "Problem with your choice of seasonal period", nullptr},
      {"seasonal differencing 2", seasonal(12, 2, 0, 0), "Problem with your choice of differencing",
       "The degree of seasonal differencing reads 2; it must be 0 or 1"},
      {"seasonal AR order 4", seasonal(12, 0, 4, 0), "Problem with your choice of seasonal orders",
       "The seasonal AR order P reads 4; it must be from 0 to 3"},
      {"seasonal MA order -1", seasonal(12, 0, 0, -1), "Problem with your choice of seasonal orders",
       "The seasonal MA order Q reads -1; it must be from 0 to 3"},
      {"orders without a period", seasonal(0, 0, 1, 0), "Problem with your choice of seasonal period",
       "Seasonal differencing and seasonal AR or MA orders need a seasonal period: choose one from 2 "
       "to 400, or set them to 0"},
      {"differencing without a period", seasonal(0, 1, 0, 0), "Problem with your choice of seasonal period",
       nullptr},
      // 1871..1970 holds 100 periods: d = 2 and lag 98 use all of them.
      {"window too short",
       [](InitializeEntries& e) {
         e.ResponseDifferencing = 2;
         e.SeasonalPeriod = 98;
         e.SeasonalDifferencing = 1;
       },
       "Problem with your choice of time periods",
       "The response time periods 1871 to 1970 are too few for differencing of degree 2 and seasonal "
       "differencing at lag 98: at least 101 periods are needed"},
      {"window just long enough",
       [](InitializeEntries& e) {
         e.ResponseDifferencing = 1;
         e.SeasonalPeriod = 98;
         e.SeasonalDifferencing = 1;
       },
       nullptr, nullptr},
  };
  for (const Case& c : cases) ExpectOutcome(c);
  EXPECT_EQ(SeasonalPeriodNumber("None"), 0.0);
  EXPECT_EQ(SeasonalPeriodNumber(" none "), 0.0);
  EXPECT_EQ(SeasonalPeriodNumber(""), 0.0);
  EXPECT_EQ(SeasonalPeriodNumber("12"), 12.0);
}

TEST(InitializeValidationTest, GroupCountSkipsEmptyGroupsFromTheEnd) {
  InitializeEntries e = ValidWithCovariates();
  e.GroupStart = {"1", "", "2", "", ""};  // groups 1 and 3 filled, group 2 empty
  e.GroupEnd = {"1", "", "3", "", ""};
  EXPECT_EQ(CovariateGroupCount(e), 1);
  auto message = ValidateInitializeEntries(e);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Text,
            "The number of covariate series must match the number of response series groups");
  e.LastCovariate = 1;  // one covariate series passes the count, then the gap is caught
  message = ValidateInitializeEntries(e);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Title, "Problem with your choices of series groupings");
}

}  // namespace
}  // namespace quorvane
