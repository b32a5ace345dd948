#pragma once

#include <string>
#include <vector>

#include "tfn/tfn_setup.h"

namespace quorvane {

// Where each parameter of the time-series model stands in the parameter
// vector (indices from 1):
//   Phi(1..p), Theta(1..p), the NG group intercepts, then one block of
//   2p + 3 entries per intervention (group after group) and per covariate
//   series: start period or backward shift, code or intercept,
//   Omega(0..p), Delta(1..p).
class ParameterLayout {
 public:
  explicit ParameterLayout(const TfnSetup& setup);

  int Count() const { return count_; }
  int Phi(int j) const { return j; }
  int Theta(int j) const { return p_ + j; }
  int Intercept(int group) const { return 2 * p_ + group; }
  // Base m of intervention block k (1..NI); its entries are m + 1 ...
  int InterventionBase(int k) const { return (k - 1) * Block() + 2 * p_ + groups_; }
  // Base m of covariate block c (1..NC).
  int CovariateBase(int c) const { return Block() * (interventions_ + c - 1) + 2 * p_ + groups_; }
  // Within a block of base m: Omega(j) at m + 3 + j, Delta(j) at m + p + 3 + j.
  int BlockOmega(int base, int j) const { return base + 3 + j; }
  int BlockDelta(int base, int j) const { return base + p_ + 3 + j; }

 private:
  int Block() const { return 2 * p_ + 3; }
  int p_;
  int groups_;
  int interventions_;
  int count_;
};

// n = 2p + NG + (2p + 3)(NI + NC).
int ParameterCount(const TfnSetup& setup);

// The description of every parameter in layout order: element i - 1
// describes parameter i. Each ends with a bracket giving the null value and
// the admissible range or rule.
std::vector<std::string> DescribeParameters(const TfnSetup& setup);

}  // namespace quorvane
