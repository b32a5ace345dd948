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
  for (const Case& c : cases) {
    InitializeEntries e = ValidWithCovariates();
    c.change(e);
    auto message = ValidateInitializeEntries(e);
    if (!c.title) {
      EXPECT_FALSE(message) << c.name << ": " << message->Text;
      continue;
    }
    ASSERT_TRUE(message) << c.name;
    EXPECT_EQ(message->Title, c.title) << c.name;
    if (c.text) {
      EXPECT_EQ(message->Text, c.text) << c.name;
    }
  }
  EXPECT_FALSE(ValidateInitializeEntries(Valid()));
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
