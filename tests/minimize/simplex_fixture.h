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
#include "minimize/simplex_state.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "base/ui/ui.h"
#include "support/scripted_ui.h"

namespace quorvane::testing {

// A model whose objective is any function of P. Queued values, when there
// are any, are returned first whatever P is, so a test can dictate what each
// trial point of a step is worth. Records every evaluation's NF and P and
// pumps events once per evaluation, as a real model does.
class FunctionModel : public Model {
 public:
  using Objective = std::function<double(const OneBased<double>& P)>;

  FunctionModel(int n, Objective f) : n_(n), f_(std::move(f)) {}

  std::string Name() const override { return "Function model"; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    if (NF == 0) {
      SetUpTestParameters(n_, "Parameter", P, STP, DESC, FUSE, NP);
      NOBS = 10;
      return;
    }
    NFs.push_back(NF);
    Points.push_back(P);
    if (!Queue.empty()) {
      F = Queue.front();
      Queue.pop_front();
    } else {
      F = f_(P);
    }
    if (Ui* ui = AttachedUi()) ui->PumpEvents();
  }

  std::deque<double> Queue;
  std::vector<std::int32_t> NFs;
  std::vector<OneBased<double>> Points;

 private:
  int n_;
  Objective f_;
};

// A started session around a FunctionModel of n parameters, set up, with
// default algorithm data and a file name so every menu command is enabled.
class SimplexSession : public ::testing::Test {
 protected:
  SimplexSession(int n, FunctionModel::Objective f) : model_(n, std::move(f)), session_(ui_, &model_) {
    session_.Start();
    SetUpModel(session_);
    session_.State.AlgorithmFileName = "model.alg";
    session_.Menu().Close();
    session_.Menu().Show();
    data().TerminalFrequency = 0;
  }

  AlgorithmData& data() { return session_.Algorithm; }
  SimplexState& simplex() { return session_.Simplex; }
  Form& window();

  // Values and steps of every parameter, then the fuse groups and the free list.
  void SetParameters(const std::vector<double>& values, const std::vector<double>& steps) {
    for (int i = 1; i <= static_cast<int>(values.size()); ++i) {
      data().Values[i] = values[static_cast<size_t>(i - 1)];
      data().Steps[i] = steps[static_cast<size_t>(i - 1)];
    }
    BuildFuseGroups(data(), session_.Fuse);
    BuildFreeParameterList(data(), session_.Free);
  }

  // A simplex put in place directly: vertices[v-1] holds vertex v's
  // coordinates, values[v-1] its value; then ranked.
  void PlaceSimplex(const std::vector<std::vector<double>>& vertices,
                    const std::vector<double>& values);

  // The text shown in status bar 5, panel p.
  std::string Panel(int p) { return ui_.StatusPanels[{5, p}]; }

  ScriptedUi ui_;
  FunctionModel model_;
  Session session_;
};

}  // namespace quorvane::testing
