#pragma once

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/model.h"
#include "support/test_model_setup.h"

namespace quorvane::testing {

// Evaluations of every copy of a CountingNormalModel, and the thread of the
// last one.
struct EvaluationTally {
  std::atomic<long> evaluations{0};
  std::atomic<long> callingThread{0};  // evaluations made on the thread that made the model
  std::thread::id owner = std::this_thread::get_id();
};

// -ln[L] of independent normals around 1, 2, ..., n with standard
// deviations 1/2, 1, 3/2, ...: F = sum ((P_i - i) / (i/2))^2 / 2, plus an
// optional pause per evaluation that makes the workers' timing uneven. Its
// copies share the tally; `copyable` false makes it a model that cannot be
// copied.
class CountingNormalModel : public Model {
 public:
  CountingNormalModel(int n, std::shared_ptr<EvaluationTally> tally, bool copyable = true)
      : n_(n), tally_(std::move(tally)), copyable_(copyable) {}

  std::chrono::microseconds pause{0};

  std::string Name() const override { return "Counting normal"; }
  std::optional<double> ObjectiveConstant() const override { return 1.0; }

  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    NOBS = 60;
    if (NF == 0) {
      SetUpTestParameters(n_, "Normal", P, STP, DESC, FUSE, NP);
      return;
    }
    if (NF < 1) return;
    ++tally_->evaluations;
    if (std::this_thread::get_id() == tally_->owner) ++tally_->callingThread;
    if (pause.count() > 0) std::this_thread::sleep_for(pause);
    F = 0.0;
    for (int i = 1; i <= P.size(); ++i) {
      const double z = (P[i] - i) / (0.5 * i);
      F += z * z / 2.0;
    }
  }

 protected:
  std::unique_ptr<Model> CopyModelForEvaluation() const override {
    if (!copyable_) return nullptr;
    return std::make_unique<CountingNormalModel>(*this);
  }

 private:
  int n_;
  std::shared_ptr<EvaluationTally> tally_;
  bool copyable_;
};

}  // namespace quorvane::testing
