#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_menu.h"
#include "app/session.h"
#include "support/example_setups.h"
#include "support/scripted_ui.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

namespace quorvane::testing {

// A session that carries the time-series model with its summary window,
// as the application composes them.
class SummarySession : public ::testing::Test {
 protected:
  SummarySession() : session_(ui_, &app_.Model()) {
    app_.Attach(session_);
    session_.Start();
  }

  // Sets the model up as the Initialize window's Continue does, with
  // algorithm data named as if loaded.
  void SetUpModel(const TfnSetup& setup) {
    ASSERT_FALSE(app_.Window().runSetUp(setup));
    session_.State.AlgorithmFileName = "/data/model.alg";
    layout_ = ParameterLayout(setup);
  }

  void Set(int i, double value, double step = 0.0) {
    session_.Algorithm.Values[i] = value;
    session_.Algorithm.Steps[i] = step;
  }

  // The results command; the plot question is answered No.
  const std::string& Summarize() {
    ui_.Answer(Answer::No);
    session_.Menu().SingleModelResults();
    return Text();
  }

  const std::string& Text() { return app_.Summary().form().Text("rtbOut"); }
  const TfnModel& model() { return app_.Model(); }

  ScriptedUi ui_;
  TfnApplication app_;
  Session session_;
  ParameterLayout layout_{TfnSetup{}};
};

// The text after `label` on its line, with the blanks before it removed.
inline std::string ValueAfter(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  if (at == std::string::npos) return "<no line " + label + ">";
  const auto start = text.find_first_not_of(' ', at + label.size());
  return text.substr(start, text.find("\r\n", start) - start);
}

}  // namespace quorvane::testing
