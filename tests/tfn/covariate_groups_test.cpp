#include "tfn/covariate_groups.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(CovariateGroupsTest, ReadsListsOfWholeNumbers) {
  struct Case {
    const char* text;
    std::optional<std::vector<int>> items;
  };
  const Case cases[] = {
      {"", std::vector<int>{}},         {"  ", std::vector<int>{}},
      {"1, 2", std::vector<int>{1, 2}}, {"3 4,5", std::vector<int>{3, 4, 5}},
      {",7,", std::vector<int>{7}},     {"1.5", std::nullopt},
      {"-1", std::nullopt},             {"2a", std::nullopt},
      {"one", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadSeriesList(c.text), c.items) << c.text;
}

// Lists for groups 1..5 with NC covariate series and NG groups: nothing
// when the model can take them, else the message's text.
struct AssignmentCase {
  std::array<std::string, kMaxGroups> lists;
  int covariates, groups;
  std::string problem;
};

TEST(CovariateGroupsTest, RefusesWhatTheModelCannotTake) {
  const AssignmentCase cases[] = {
      {{"1, 2", "3"}, 3, 2, ""},
      {{"2", "1"}, 2, 2, ""},
      {{"", "1, 2, 3, 4, 5"}, 5, 2, ""},
      {{"1", "x"}, 2, 2, "The covariate series for Group 2 read \"x\"; list ordinal numbers from 1 to 25, such as 1, 2"},
      {{"26"}, 1, 1, "The covariate series for Group 1 read \"26\"; list ordinal numbers from 1 to 25, such as 1, 2"},
      {{"1, 2", "2"}, 2, 2, "Covariate series 2 is listed more than once; each covariate series acts on one group"},
      {{"1"}, 2, 1, "Covariate series 2 is not listed for any response series group"},
      {{"1", "", "2"}, 2, 2, "Covariate series 2 is listed for Group 3, which holds no response series"},
      {{"1, 2, 3"}, 2, 1, "Group 1 lists covariate series 3, but only 2 covariate series are read"},
      {{"1, 2, 3, 4, 5, 6"}, 6, 1, "Group 1 lists more than 5 covariate series"},
  };
  for (const AssignmentCase& c : cases) {
    CovariateGroups groups{};
    auto problem = ReadCovariateGroups(c.lists, groups);
    if (!problem) problem = CovariateGroupsProblem(groups, c.covariates, c.groups);
    EXPECT_EQ(problem ? problem->Text : "", c.problem) << c.lists[0] << " | " << c.lists[1];
    if (problem) {
      EXPECT_EQ(problem->Title, "Problem with your choice of covariate series");
    }
  }
  CovariateGroups all{};
  all.fill(1);
  EXPECT_EQ(CovariateGroupsProblem(all, 26, 5)->Text,
            "There can be no more than 25 covariate series, up to 5 for each group");
}

}  // namespace
}  // namespace quorvane
