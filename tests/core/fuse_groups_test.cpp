// Fuse groups, the free-parameter list and the expansion of fused values.
#include "core/fuse_groups.h"

#include <gtest/gtest.h>

#include "core/free_parameter_list.h"
#include "core/app_state.h"
#include "support/allocation_counter.h"

namespace quorvane {
namespace {

AlgorithmData Parameters(OneBased<std::string> codes, OneBased<double> values,
                         OneBased<double> steps) {
  AlgorithmData data;
  data.ParameterCount = static_cast<std::int16_t>(codes.size());
  DefaultAlgorithmData(data);
  data.FuseCodes = std::move(codes);
  data.Values = std::move(values);
  data.Steps = std::move(steps);
  return data;
}

TEST(FuseGroupsTest, FollowersTakeTheFirstMembersValueAndLoneCodesAreUnfused) {
  AlgorithmData data = Parameters({"~~", "A", "~~", "A", "B"}, {1, 2, 3, 4, 5},
                                  {0.1, 0.2, 0.3, 0.4, 0.5});
  FuseGroups groups;
  BuildFuseGroups(data, groups);
  EXPECT_EQ(groups.GroupCount, 2);
  EXPECT_EQ(groups.GroupCode, (OneBased<std::string>{"A", "B"}));
  EXPECT_EQ(data.Values, (OneBased<double>{1, 2, 3, 2, 5}));
  EXPECT_EQ(data.Steps, (OneBased<double>{0.1, 0.2, 0.3, 0.0, 0.5}));
  // B had no partner: its code is gone from the data too, so a save writes "~~".
  EXPECT_EQ(data.FuseCodes, (OneBased<std::string>{"~~", "A", "~~", "A", "~~"}));

  FreeParameterList free;
  BuildFreeParameterList(data, free);
  EXPECT_EQ(free.FreeCount, 4);
  EXPECT_EQ(free.FreeIndex, (OneBased<std::int16_t>{1, 2, 3, 5}));
}

TEST(FuseGroupsTest, OneGroupOfThreeLeavesOneFreeParameter) {
  AlgorithmData data = Parameters({"A", "A", "A"}, {1, 2, 3}, {0.1, 0.2, 0.3});
  FuseGroups groups;
  BuildFuseGroups(data, groups);
  EXPECT_EQ(data.Values, (OneBased<double>{1, 1, 1}));
  EXPECT_EQ(data.Steps, (OneBased<double>{0.1, 0, 0}));
  FreeParameterList free;
  BuildFreeParameterList(data, free);
  EXPECT_EQ(free.FreeCount, 1);
  EXPECT_EQ(free.FreeIndex[1], 1);
  EXPECT_EQ(free.FreeStart[1], 1.0);
  EXPECT_EQ(free.FreeStep[1], 0.1);
}

TEST(FuseGroupsTest, OnlyAnExactZeroStepFixesAParameter) {
  AlgorithmData data = Parameters({"~~", "~~", "~~"}, {1, 2, 3}, {-0.5, 0.0, 1e-300});
  FreeParameterList free;
  BuildFreeParameterList(data, free);
  EXPECT_EQ(free.FreeIndex, (OneBased<std::int16_t>{1, 3}));
  EXPECT_EQ(free.FreeStep, (OneBased<double>{-0.5, 1e-300}));
  const auto build = free.BuildNumber;
  BuildFreeParameterList(data, free);
  EXPECT_EQ(free.BuildNumber, build + 1);  // every build dates stored profile results
}

TEST(FuseGroupsTest, ExpansionFollowsWhereverTheMinimiserMovesTheFirstMember) {
  AlgorithmData data = Parameters({"~~", "A", "~~", "A", "A"}, {1, 2, 3, 4, 5},
                                  {0.1, 0.2, 0.3, 0.4, 0.5});
  FuseGroups groups;
  BuildFuseGroups(data, groups);
  AppState state;
  OneBased<double> P{9, 7.5, 8, 0, 0};  // a trial point: the free parameters 1, 2 and 3 moved
  ExpandFusedValues(P, groups, data, state);
  EXPECT_EQ(P, (OneBased<double>{9, 7.5, 8, 7.5, 7.5}));

  // Codes edited after the build: a code without a group is skipped.
  data.FuseCodes[3] = "C";
  OneBased<double> Q{1, 2, 3, 4, 5};
  ExpandFusedValues(Q, groups, data, state);
  EXPECT_EQ(Q, (OneBased<double>{1, 2, 3, 2, 2}));
}

TEST(FuseGroupsTest, TheProfiledMemberWithStepZeroLeadsTheMembersAfterIt) {
  // Group A = {2, 3, 4}; a profile of parameter 3 holds it fixed (step 0)
  // at its profile value.
  AlgorithmData data = Parameters({"~~", "A", "A", "A"}, {1, 2, 2, 2}, {0.1, 0.2, 0, 0});
  FuseGroups groups;
  BuildFuseGroups(data, groups);
  AppState state;
  state.ProfileMode = true;
  state.ProfiledParameter = 3;
  OneBased<double> P{1, 2, 6.5, 0};
  ExpandFusedValues(P, groups, data, state);
  EXPECT_EQ(P, (OneBased<double>{1, 2, 6.5, 6.5}));

  // The same during a posterior grid; outside both the member is a follower.
  state.ProfileMode = false;
  state.PosteriorMode = true;
  OneBased<double> Q{1, 2, 6.5, 0};
  ExpandFusedValues(Q, groups, data, state);
  EXPECT_EQ(Q, (OneBased<double>{1, 2, 6.5, 6.5}));
  state.PosteriorMode = false;
  OneBased<double> R{1, 2, 6.5, 0};
  ExpandFusedValues(R, groups, data, state);
  EXPECT_EQ(R, (OneBased<double>{1, 2, 2, 2}));

  // A profiled member with a step of its own is an ordinary follower.
  state.ProfileMode = true;
  data.Steps[3] = 0.3;
  OneBased<double> S{1, 2, 6.5, 0};
  ExpandFusedValues(S, groups, data, state);
  EXPECT_EQ(S, (OneBased<double>{1, 2, 2, 2}));
  EXPECT_EQ(data.Steps[3], 0.0);
}

// Every evaluation expands the fused values, so the expansion allocates
// nothing, with groups interleaved and a code whose group has one member.
TEST(ExpandFusedValuesTest, InterleavedGroupsTakeTheirFirstMembersValueWithoutAllocating) {
  AlgorithmData data = Parameters({"A", "B", "A", "~~", "B", "C", "A"}, {1, 2, 3, 4, 5, 6, 7},
                                  {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7});
  FuseGroups groups;
  BuildFuseGroups(data, groups);
  const AppState state;
  OneBased<double> P{10, 20, 30, 40, 50, 60, 70};
  testing::AllocationCounter counter;
  ExpandFusedValues(P, groups, data, state);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(P, (OneBased<double>{10, 20, 10, 40, 20, 60, 10}));
}

}  // namespace
}  // namespace quorvane
