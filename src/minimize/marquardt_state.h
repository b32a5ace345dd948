#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"
#include "minimize/lu_decompose.h"

namespace quorvane {

// The working record of one Marquardt run. Vectors and matrices indexed k, m
// run over the free parameters 1..n; X runs over all parameters.
struct MarquardtState {
  OneBased<double> X;   // the full parameter vector of the current trial
  double FLast = 0.0;   // objective at the last accepted point ("Last Min")
  double FTrial = 0.0;  // objective at the last trial point ("Current Min")
  double Lambda = 0.001;           // damping factor
  double DerivativeStep = 0.001;   // h: relative step of the numerical derivatives
  std::int16_t Trial = 0;          // trials in this iteration; 0 when derivatives are fresh
  std::int16_t Verifications = 0;  // axial checks made in this run
  bool StopRequested = false;      // the user asked to stop after this iteration
  std::int32_t Iterations = 0;     // accepted steps

  // Derivatives at the accepted point, and the copies the derivative
  // display shows (taken when they were computed; upper triangle m >= k).
  OneBased<double> Gradient;
  OneBasedMatrix Hessian;
  OneBased<double> SavedGradient;
  OneBasedMatrix SavedHessian;
  // Objective values of the numerical derivatives: F(1, i, j) at the point
  // moved by +delta_i along i and +delta_j along j, F(2, i, j) by -delta_i
  // and -delta_j (along i alone when i = j); i <= j.
  OneBasedMatrix TrialPlus;
  OneBasedMatrix TrialMinus;

  // The damped system of the current trial, its LU factors and solution.
  OneBasedMatrix System;
  LuPivots Pivots;
  OneBased<double> Delta;

  // Work of the evaluations of the derivatives and of the axial check: the
  // accepted point, the point being evaluated and the status panel text
  // that changes with each evaluation. They keep their capacity, so these
  // evaluations allocate nothing once the vectors are sized.
  OneBased<double> Base;
  OneBased<double> Probe;
  std::string PanelText;

  // Sizes every work array for n free parameters, filled with zeros.
  void Allocate(int n) {
    Gradient.assign(n, 0.0);
    Hessian.assign(n, n, 0.0);
    SavedGradient.assign(n, 0.0);
    SavedHessian.assign(n, n, 0.0);
    TrialPlus.assign(n, n, 0.0);
    TrialMinus.assign(n, n, 0.0);
    System.assign(n, n, 0.0);
    Delta.assign(n, 0.0);
  }
};

}  // namespace quorvane
