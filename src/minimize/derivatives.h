#pragma once

#include "minimize/derivative_kind.h"

namespace quorvane {

class Session;
struct MarquardtState;

// The gradient and Hessian of the objective with respect to the free
// parameters at the accepted point (the free parameters at FreeStart, the
// others at their values), into state.Gradient and state.Hessian.

// Relative step of free parameter k: h * FreeStart[k], or h itself when
// FreeStart[k] is 0. A negative value gives a negative step, which the
// central formulas below do not mind.
double DerivativeStep(double start, double h);

// Finite differences on the relative step h, n(n+1) evaluations in the
// order i = 1..n, j = i..n, plus then minus (each one a counted function
// call with prior terms): F(+, i, j) and F(-, i, j) at the point moved by
// +-delta_i along i and +-delta_j along j (along i alone when j = i).
// Gradient by central differences:
//   g_i = (F(+, i, i) - F(-, i, i)) / (2 delta_i).
// Outside a profile, status panel 1 counts the calls.
void NumericalDerivatives(Session& session, MarquardtState& state, double h);

// The Hessian from the values NumericalDerivatives left, with f0 the value
// at the accepted point:
//   H_ii = ((F(+,i,i) - f0) + (F(-,i,i) - f0)) / delta_i^2
//   H_ij = ((F(+,i,j) - f0) + (F(-,i,j) - f0) - (F(+,i,i) - f0) - (F(-,i,i) - f0)
//           - (F(+,j,j) - f0) - (F(-,j,j) - f0)) / (2 delta_i delta_j),  H_ji = H_ij.
// Both formulas, and the central gradient, are exact for a quadratic.
void NumericalHessian(Session& session, MarquardtState& state, double f0, double h);

// The model's own derivatives: MODEL with NF = -2 at the accepted point
// (fused values expanded, not a counted call), copied by free index.
// Returns false when the model supplied none, that is every element (k, m),
// m >= k, of its Hessian among the free parameters is 0 (the zeros are
// copied all the same, so no derivatives of an earlier point linger).
bool AnalyticalDerivatives(Session& session, MarquardtState& state);

// Numerical derivatives (gradient, then Hessian with f0 = state.FLast) or
// the analytical ones. Returns false only when analytical derivatives were
// asked for and the model supplied none.
bool ComputeDerivatives(Session& session, MarquardtState& state, DerivativeKind kind);

}  // namespace quorvane
