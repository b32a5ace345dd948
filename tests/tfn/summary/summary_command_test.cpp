// The main menu's results command: one evaluation at the current values
// unless they are all zero, then the model's summary call.
#include <gtest/gtest.h>

#include "core/core_session.h"
#include "app/main_window.h"

namespace quorvane {
namespace {

class SummaryCommandTest : public testing::CoreSession {
 protected:
  std::vector<std::int32_t> Modes() const {
    std::vector<std::int32_t> modes;
    for (const auto& call : model_.Calls) modes.push_back(call.NF);
    return modes;
  }
  bool ApplicationMenuEnabled() { return session_.Main().form().FindMenu("mnuApplication")->enabled; }
};

TEST_F(SummaryCommandTest, EvaluatesOnceBeforeTheSummaryCall) {
  data().Values = OneBased<double>{0, 2.5, 0};
  data().FuseCodes = OneBased<std::string>{"~~", "A", "A"};  // fused values are expanded
  session_.Menu().SingleModelResults();
  ASSERT_EQ(Modes(), (std::vector<std::int32_t>{1, -1}));
  EXPECT_EQ(model_.Calls[0].P, (OneBased<double>{0, 2.5, 2.5}));
  EXPECT_EQ((ui_.StatusPanels[{5, 1}]), "");
  EXPECT_TRUE(ApplicationMenuEnabled());
  EXPECT_FALSE(menu().IsOpen());  // the summary window brings it back
}

TEST_F(SummaryCommandTest, AllValuesZeroGoStraightToTheSummary) {
  session_.Menu().SingleModelResults();
  EXPECT_EQ(Modes(), (std::vector<std::int32_t>{-1}));
  EXPECT_EQ(ui_.StatusPanels.count({5, 1}), 0u);
  EXPECT_TRUE(ApplicationMenuEnabled());
}

}  // namespace
}  // namespace quorvane
