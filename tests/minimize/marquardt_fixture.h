#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "support/test_model_setup.h"
#include "core/model_set_up.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "support/scripted_ui.h"

namespace quorvane::testing {

// A model for the Marquardt tests: the objective is any function of P, and
// when a derivative function is given it answers NF = -2 with it (GRAD and
// HESS arrive zeroed and sized to the parameter count). Queued values, when
// there are any, are returned first whatever P is, so a test can dictate
// what each evaluation is worth. Records every call's NF and P, and pumps
// events once per evaluation as a real model does.
class MarquardtModel : public Model {
 public:
  using Objective = std::function<double(const OneBased<double>& P)>;
  using Derivatives = std::function<void(const OneBased<double>& P, OneBased<double>& GRAD,
                                         OneBasedMatrix& HESS)>;

  MarquardtModel(int n, Objective f, Derivatives d = {})
      : n_(n), f_(std::move(f)), d_(std::move(d)) {}

  std::string Name() const override { return "Marquardt test model"; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>& GRAD, OneBasedMatrix& HESS, std::int32_t&) override {
    if (NF == 0) {
      SetUpTestParameters(n_, "Parameter", P, STP, DESC, FUSE, NP);
      NOBS = 10;
      return;
    }
    NFs.push_back(NF);
    Points.push_back(P);
    if (NF == -2) {
      if (d_) d_(P, GRAD, HESS);
      return;
    }
    if (!Queue.empty()) {
      F = Queue.front();
      Queue.pop_front();
    } else {
      F = f_(P);
    }
    if (Ui* ui = AttachedUi()) ui->PumpEvents();
  }

  // How many calls were made with this NF.
  int CallsWith(std::int32_t NF) const {
    int count = 0;
    for (std::int32_t nf : NFs) count += nf == NF;
    return count;
  }

  std::deque<double> Queue;
  std::vector<std::int32_t> NFs;
  std::vector<OneBased<double>> Points;

 private:
  int n_;
  Objective f_;
  Derivatives d_;
};

// A started session around a MarquardtModel, set up, with default
// algorithm data and a file name so every menu command is enabled; the main
// menu is shown.
class MarquardtSession : public ::testing::Test {
 protected:
  MarquardtSession(int n, MarquardtModel::Objective f, MarquardtModel::Derivatives d = {})
      : model_(n, std::move(f), std::move(d)), session_(ui_, &model_) {
    session_.Start();
    SetUpModel(session_);
    session_.State.AlgorithmFileName = "model.alg";
    session_.Menu().Close();
    session_.Menu().Show();
  }

  AlgorithmData& data() { return session_.Algorithm; }
  MarquardtWindow& marquardt() { return session_.MarquardtView(); }
  Form& window() { return marquardt().form(); }
  std::string Pane() { return window().Text(MarquardtWindow::kPane); }
  // The text shown in status bar 5, panel p.
  std::string Panel(int p) { return ui_.StatusPanels[{5, p}]; }

  // Values and steps of every parameter, then the fuse groups and the free list.
  void SetParameters(const std::vector<double>& values, const std::vector<double>& steps) {
    for (int i = 1; i <= static_cast<int>(values.size()); ++i) {
      data().Values[i] = values[static_cast<size_t>(i - 1)];
      data().Steps[i] = steps[static_cast<size_t>(i - 1)];
    }
    BuildFuseGroups(data(), session_.Fuse);
    BuildFreeParameterList(data(), session_.Free);
  }

  // RunMarquardt with the set-up questions answered directly.
  MarquardtOutcome Run(DerivativeKind kind, bool showDerivatives = false) {
    marquardt().DerivativeChoice = kind;
    marquardt().ShowDerivatives = showDerivatives;
    return RunMarquardt(session_);
  }

  // The last message or question shown.
  const ScriptedUi::Shown& Last() const { return ui_.Log.back(); }

  ScriptedUi ui_;
  MarquardtModel model_;
  Session session_;
};

}  // namespace quorvane::testing
