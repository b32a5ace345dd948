#include "base/ui/form.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

struct Change {
  std::string control;
  FormProperty property;
  bool operator==(const Change&) const = default;
};

class FormTest : public ::testing::Test {
 protected:
  FormTest() : form_("frmTest", "Test") {
    form_.BeginFrame("Options");
    form_.Add(ControlKind::OptionButton, "optA", "A").group = "g";
    form_.Add(ControlKind::OptionButton, "optB", "B").group = "g";
    form_.Add(ControlKind::OptionButton, "optOther", "Other").group = "h";
    form_.End();
    form_.Add(ControlKind::Button, "cmdGo", "&Go").onClick = [this] { log_.push_back("go"); };
    Control& box = form_.Add(ControlKind::TextBox, "txtValue");
    box.onChange = [this] { log_.push_back("change " + form_.Text("txtValue")); };
    box.onLostFocus = [this] { log_.push_back("leave"); };
    form_.Add(ControlKind::CheckBox, "chkFlag", "Flag").onClick = [this] { log_.push_back("flag"); };
    Control& combo = form_.Add(ControlKind::ComboBox, "cboKind");
    combo.items = {"one", "two"};
    combo.onChange = [this] { log_.push_back("combo " + form_.Text("cboKind")); };
    form_.Add(ControlKind::Grid, "grdValues").onDoubleClick = [this](int r, int c) {
      log_.push_back("dbl " + std::to_string(r) + "," + std::to_string(c));
    };
    form_.SetGridSize("grdValues", 3, 2);
    form_.SetObserver([this](const std::string& c, FormProperty p) { changes_.push_back({c, p}); });
  }

  Form form_;
  std::vector<std::string> log_;
  std::vector<Change> changes_;
};

TEST_F(FormTest, UserActionsRunTheirHandlersInOrder) {
  form_.Click("cmdGo");
  form_.Type("txtValue", "12");
  form_.Click("chkFlag");
  form_.Select("cboKind", 1);
  form_.DoubleClick("grdValues", 2, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"go", "change 12", "leave", "flag", "combo two",
                                            "dbl 2,1"}));
  EXPECT_TRUE(form_.Checked("chkFlag"));
  EXPECT_EQ(form_.Get("grdValues").grid.CurrentRow, 2);
}

TEST_F(FormTest, ActionsAUserCouldNotTakeAreRefusedWithoutRunningHandlers) {
  form_.SetEnabled("cmdGo", false);
  EXPECT_THROW(form_.Click("cmdGo"), FormError);
  form_.SetEnabled("cmdGo", true);
  form_.SetVisible("cmdGo", false);
  EXPECT_THROW(form_.Click("cmdGo"), FormError);
  EXPECT_THROW(form_.Click("cmdMissing"), FormError);
  EXPECT_THROW(form_.Click("txtValue"), FormError);  // wrong kind
  EXPECT_THROW(form_.DoubleClick("grdValues", 3, 0), FormError);
  EXPECT_THROW(form_.Select("cboKind", 2), FormError);
  form_.SetEnabled(false);  // the whole window
  form_.SetVisible("cmdGo", true);
  EXPECT_THROW(form_.Click("cmdGo"), FormError);
  EXPECT_TRUE(log_.empty());
}

TEST_F(FormTest, OptionButtonsExcludeOnlyTheirOwnGroup) {
  form_.Choose("optOther");
  form_.Choose("optA");
  form_.Choose("optB");
  EXPECT_FALSE(form_.Checked("optA"));
  EXPECT_TRUE(form_.Checked("optB"));
  EXPECT_TRUE(form_.Checked("optOther"));
}

TEST_F(FormTest, ObserverHearsEachRealChangeOnce) {
  form_.SetText("txtValue", "a");
  form_.SetText("txtValue", "a");  // no change, no notice
  form_.SetEnabled("cmdGo", false);
  form_.SetCell("grdValues", 1, 1, "x");
  EXPECT_EQ(changes_, (std::vector<Change>{{"txtValue", FormProperty::Text},
                                           {"cmdGo", FormProperty::Enabled},
                                           {"grdValues", FormProperty::Grid}}));
}

TEST_F(FormTest, ClosingRunsTheClosedHandlerOnce) {
  int closed = 0;
  form_.onClosed = [&] { ++closed; };
  form_.MarkOpen(true);
  form_.MarkOpen(false);
  form_.MarkOpen(false);
  EXPECT_EQ(closed, 1);
}

TEST(FormLayoutTest, NestedContainersKeepTheirControls) {
  Form form("frmLayout", "Layout");
  form.BeginRow();
  form.BeginFrame("Left");
  for (int i = 0; i < 20; ++i) {
    form.BeginColumn();  // many siblings: the open path must survive reallocation
    form.Add(ControlKind::Label, "lbl" + std::to_string(i));
    form.End();
  }
  form.End();
  form.Add(ControlKind::Button, "cmdRight");
  form.End();
  const LayoutNode& row = form.Layout().children.at(0);
  ASSERT_EQ(row.kind, LayoutNode::Kind::Row);
  EXPECT_EQ(row.children.at(0).title, "Left");
  EXPECT_EQ(row.children.at(0).children.size(), 20u);
  EXPECT_EQ(row.children.at(0).children[19].children.at(0).control, "lbl19");
  EXPECT_EQ(row.children.at(1).control, "cmdRight");
  EXPECT_THROW(form.Add(ControlKind::Label, "lbl3"), std::invalid_argument);
}

TEST(FormMenuTest, MenuPathsMatchCaptionsAndRespectStates) {
  Form form("frmMenus", "Menus");
  int exits = 0, interrupts = 0;
  MenuItem app{"mnuApp", "&Application", "", true, true, false, nullptr, {}};
  app.items.push_back({"mnuExit", "E&xit", "Ctrl+X", true, true, false, [&] { ++exits; }, {}});
  form.AddMenu(app);
  MenuItem hidden{"mnuInt", "&Interrupt ", "", true, false, false, nullptr, {}};
  hidden.items.push_back({"mnuIntItem", "I&nterrupt calculations", "", true, false, false,
                          [&] { ++interrupts; }, {}});
  form.AddMenu(hidden);

  form.ClickMenu("Application>Exit");
  EXPECT_EQ(exits, 1);
  EXPECT_FALSE(form.HasMenuPath("Interrupt>Interrupt calculations"));
  EXPECT_THROW(form.ClickMenuItem("mnuIntItem"), FormError);
  form.SetMenuVisible("mnuInt", true);
  form.SetMenuVisible("mnuIntItem", true);
  form.ClickMenu("Interrupt>Interrupt calculations");  // trailing blank of the caption ignored
  EXPECT_EQ(interrupts, 1);
  form.SetMenuEnabled("mnuApp", false);
  EXPECT_THROW(form.ClickMenu("Application>Exit"), FormError);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(StripAccessKey("Save && E&xit"), "Save & Exit");
}

}  // namespace
}  // namespace quorvane
