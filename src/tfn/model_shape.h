#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tfn/tfn_setup.h"

namespace quorvane {

// The shape of the time-series model, built once from its set-up: which
// lag polynomials make up the noise model and which transfer blocks make up
// the group predictions. The parameter layout, the unpacking of an
// evaluation, the order checks, the start of the noise series and the
// forecasts all read it, rather than the set-up's single lag order.

enum class LagSide { Autoregressive, MovingAverage };

// One polynomial 1 - c(1) B^span - ... - c(Order) B^(Order span) of the
// noise model, on the autoregressive or the moving-average side. The noise
// model multiplies the polynomials of each side.
struct LagPolynomial {
  LagSide Side = LagSide::Autoregressive;
  int Order = 0;  // coefficients c(1..Order) in the parameter vector
  int Span = 1;   // 1, or the seasonal period s
  // Where its coefficients stand: with the set-up's original parameters
  // (before the group intercepts) or appended after all of them, in the
  // order of the shape's Appended list.
  bool Appended = false;
  std::string Name;  // "Phi", "Theta", "Phi_s", "Theta_s"
};

enum class TransferInput { Intervention, Covariate };

// One block of 2p + 3 parameters that carries an input through a transfer
// function (Omega(0..p) / Delta(1..p)) into the prediction of one group.
struct TransferBlockShape {
  TransferInput Input = TransferInput::Intervention;
  // The intervention's number within its group (1..NI(g)), or the
  // covariate series c (1..NC, numbered within the series read).
  int Number = 0;
  int Group = 0;  // the group (1..NG) whose prediction it adds to
  // A covariate series treated as an intervention series: its backward
  // shift and intercept are not used.
  bool CovariateAsIntervention = false;
  // Appended after all of the set-up's original parameters, in the order of
  // the shape's Appended list; otherwise with the original blocks.
  bool Appended = false;
  // A covariate block whose descriptions name its group: in a set-up where
  // some covariate series does not act on the group of its own number.
  bool NamesGroup = false;
};

// A block of parameters appended after the original ones: noise
// polynomial or transfer block `Index` of the shape.
struct AppendedBlock {
  enum Kind { NoisePolynomial, Transfer } What = NoisePolynomial;
  std::size_t Index = 0;
};

// The noise polynomials a shape can hold: the regular and the seasonal
// autoregressive and moving-average ones.
inline constexpr std::size_t kMaxNoisePolynomials = 4;

struct ModelShape {
  int LagOrder = 0;  // p: the transfer blocks' lags, and the regular ARMA polynomials' order
  int Groups = 0;    // NG
  // The regular Phi and Theta first (span 1, each of order p); then the
  // seasonal Phi_s and Theta_s when the set-up has them.
  std::vector<LagPolynomial> Noise;
  // The interventions, group after group, then the covariate series in
  // their order c = 1..NC.
  std::vector<TransferBlockShape> Transfers;
  // The appended blocks in the order they follow the original parameters.
  std::vector<AppendedBlock> Appended;
};

ModelShape BuildModelShape(const TfnSetup& setup);

}  // namespace quorvane
