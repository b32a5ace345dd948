#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <string>

#include "base/calendar/period_calendar.h"
#include "core/one_based.h"

namespace quorvane {

class Ui;

// A statistical model that plugs into the estimation core through the MODEL
// call. EvaluateObjective is its only caller; every minimiser, grid and
// report reaches the model through it.
//
// The arguments, in the protocol's order (vectors numbered 1..NP):
//   F        out  the objective value -ln[L], for NF of 1 or more
//   P        in   parameter values, fused members already filled in
//   STP      in   step sizes (or derivative steps at NF = -2)
//   DESC     out  parameter descriptions, at NF = 0
//   FUSE     in   fuse codes ("~~" unfused, else one or two capitals)
//   NP       out  number of parameters, at NF = 0
//   NF       in   mode: 0 set-up; 1 a single evaluation; 2, 3, ... the
//                 running call count of a minimisation; -1 the results
//                 summary (always right after NF = 1 at the same values);
//                 -2 analytic derivatives into GRAD and HESS
//   NOBS     out  number of observations behind the likelihood
//   GRAD     out  first derivatives of -ln[L], at NF = -2
//   HESS     out  second derivatives of -ln[L], at NF = -2
//   NSAMPLE  out  a second sample size for the model ranking; left alone by
//                 models that have none (it stays 0)
//
// At NF = 0 the model sets NP and sizes P, STP, DESC and FUSE to it. A model
// without analytic derivatives returns at once for NF = -2; the engine has
// set GRAD and HESS to zeros, which tells the callers to fall back to
// numerical derivatives. Bad regions of the parameter space are reported as
// large penalty values in F, never as errors. A model calls PumpEvents on its
// Ui once per evaluation so that interrupt requests reach long calculations.
class Model {
 public:
  virtual ~Model() = default;

  // The caption the main menu shows for the model.
  virtual std::string Name() const = 0;

  virtual void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP,
                     OneBased<std::string>& DESC, OneBased<std::string>& FUSE, std::int16_t& NP,
                     std::int32_t NF, std::int32_t& NOBS, OneBased<double>& GRAD,
                     OneBasedMatrix& HESS, std::int32_t& NSAMPLE) = 0;

  // The constant c that turns this model's objective F into -ln[L]
  // (-ln[L] = c F), when the model knows it; a model whose objective already
  // is -ln[L] suggests 1. Empty: the engine derives a scale from the fit.
  virtual std::optional<double> ObjectiveConstant() const { return std::nullopt; }

  // Whether the model computes analytic derivatives at NF = -2. Questions
  // that offer analytic derivatives propose numerical ones when it does not.
  virtual bool ProvidesAnalyticDerivatives() const { return false; }

  // One line for each parameter that sits on a limit of the parameter space
  // at P, where the model's penalty holds it inside; empty when none does.
  // The minimisers add these lines to their final reports.
  virtual std::vector<std::string> LimitNotes(const OneBased<double>& /*P*/) const { return {}; }

  // The penalty the model returns where it can compute no objective at all
  // (no likelihood, an arithmetic fault): an objective value at or above it
  // is a penalty, not a value of the objective, and a search whose every
  // point has one has found no minimum. Empty: the model has no such penalty.
  virtual std::optional<double> FailurePenalty() const { return std::nullopt; }
  // The calendar that names the value of parameter i when that value is a
  // time period of dated series, such as the month an intervention starts:
  // the editor and the reports then show and take it as a date. Whole
  // periods (plain numbers) for every other parameter, and for every
  // parameter of a model without dates.
  virtual PeriodCalendar ParameterCalendar(int /*i*/) const { return PeriodCalendar(); }

  // The session gives the model its interaction port once, before any call.
  void AttachUi(Ui& ui) { ui_ = &ui; }

  // A copy of the model in its present state that another thread can
  // evaluate at NF = 1 while this one goes on: it computes F exactly as this
  // model would, shares nothing with it, has no interaction port (it shows
  // no messages and pumps no events) and keeps nothing for the summary.
  // Null for a model that cannot be copied; its grids then run on the
  // calling thread.
  std::unique_ptr<Model> CopyForEvaluation() const {
    std::unique_ptr<Model> copy = CopyModelForEvaluation();
    if (copy) copy->ui_ = nullptr;
    return copy;
  }

 protected:
  // What CopyForEvaluation returns, before the port is taken off; models
  // that can be copied override it.
  virtual std::unique_ptr<Model> CopyModelForEvaluation() const { return nullptr; }

  // The interaction port, or null when the model runs without one.
  Ui* AttachedUi() const { return ui_; }

 private:
  Ui* ui_ = nullptr;
};

// Whether questions offering analytic derivatives should propose them: only
// when a model is attached and it computes them.
inline bool OffersAnalyticDerivatives(const Model* model) {
  return model && model->ProvidesAnalyticDerivatives();
}

}  // namespace quorvane
