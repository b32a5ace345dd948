#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/model_set_up.h"
#include "covariance/covariance_windows.h"
#include "covariance/quadratic_objective_model.h"
#include "support/scripted_ui.h"

namespace quorvane::testing {

// A started session on the quadratic-objective model at its optimum, with
// steps 0.1 on the free parameters, and the answers of a user who runs the
// numerical dialogue with the default grid factors.
class CovarianceSession : public ::testing::Test {
 protected:
  CovarianceSession() : session_(ui_, &model_) {
    session_.Start();
    SetUpModel(session_);
    for (int p = 1; p <= 4; ++p) {
      session_.Algorithm.Values[p] = QuadraticObjectiveModel::kMu[static_cast<size_t>(p - 1)];
      session_.Algorithm.Steps[p] = p == 3 ? 0.0 : 0.1;
    }
    session_.State.AlgorithmFileName = "quadratic.alg";
    session_.State.AlgorithmFileTitle = "quadratic";
    session_.Menu().Close();
    session_.Menu().Show();
  }

  // Numerical method, introduction accepted, editor finished unchanged,
  // the default factors typed and confirmed, then the constant and the
  // optimistic answer.
  void AnswerNumericalDialogue(const std::string& constant, bool optimistic) {
    ui_.Answer(Answer::No).Answer(Answer::Ok);
    ui_.Then([this] { session_.Editor().Finish(); });
    ui_.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
    ui_.Value(constant).Answer(optimistic ? Answer::Yes : Answer::No);
  }

  // Runs the command and shows the report.
  void RunAndShowReport() {
    session_.Menu().form().Click("cmdCovariance");
    display().Click("cmdScreen");
  }

  Form& display() { return session_.CovarianceView().DisplayForm(); }
  const std::string& report() {
    return session_.CovarianceView().DataForm().Text(CovarianceWindows::kPane);
  }
  CovarianceResults& cov() { return session_.Covariance; }

  std::string TempPath(const std::string& name) const {
    return ::testing::TempDir() + "quorvane_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }

  ScriptedUi ui_;
  QuadraticObjectiveModel model_;
  Session session_;
};

}  // namespace quorvane::testing
