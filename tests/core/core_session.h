#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/model_set_up.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "support/scripted_ui.h"
#include "core/recording_model.h"

namespace quorvane::testing {

// A started session whose model (n parameters) has been set up, with
// default algorithm data; the tests change what they need.
class CoreSession : public ::testing::Test {
 protected:
  explicit CoreSession(int n = 3) : model_(n), session_(ui_, &model_) {
    session_.Start();
    SetUpModel(session_);
    session_.Menu().Close();
    session_.Menu().Show();
    model_.Calls.clear();
  }

  AlgorithmData& data() { return session_.Algorithm; }
  AppState& state() { return session_.State; }
  Form& menu() { return session_.Menu().form(); }

  // The number of main-menu buttons that can be pressed.
  int EnabledCount() {
    int count = 0;
    for (const auto& name : menu().ControlNames())
      if (menu().Get(name).kind == ControlKind::Button && menu().Get(name).enabled) ++count;
    return count;
  }

  // The last message or question shown.
  const ScriptedUi::Shown& Last() const { return ui_.Log.back(); }

  // A folder of its own for each test, as ctest runs tests in parallel.
  std::string TempPath(const std::string& name) const {
    return ::testing::TempDir() + "quorvane_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }

  ScriptedUi ui_;
  RecordingModel model_;
  Session session_;
};

}  // namespace quorvane::testing
