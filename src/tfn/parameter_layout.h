#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tfn/model_shape.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

// Where each parameter of the time-series model stands in the parameter
// vector (indices from 1), read from the model's shape:
//   the original noise polynomials (Phi(1..p), Theta(1..p)), the NG group
//   intercepts, one block of 2p + 3 entries per original transfer block in
//   the shape's order (interventions group after group, then covariate
//   series: start period or backward shift, code or intercept, Omega(0..p),
//   Delta(1..p)), and then every appended block in the order of the shape's
//   Appended list.
// A set-up without appended blocks has exactly the layout it always had;
// appended blocks never move a parameter that stands before them.
class ParameterLayout {
 public:
  explicit ParameterLayout(const TfnSetup& setup);
  explicit ParameterLayout(const ModelShape& shape);

  int Count() const { return count_; }
  // Coefficient j (1..Order) of noise polynomial i of the shape.
  int Coefficient(std::size_t polynomial, int j) const { return polynomialBase_[polynomial] + j; }
  int Phi(int j) const { return Coefficient(0, j); }
  int Theta(int j) const { return Coefficient(1, j); }
  int Intercept(int group) const { return interceptBase_ + group; }
  // Base m of transfer block b (0-based, in the shape's order); its
  // entries are m + 1 ... For b past the last block, the last index of the
  // original transfer blocks.
  int TransferBase(std::size_t block) const {
    return block < transferBase_.size() ? transferBase_[block] : originalTransferEnd_;
  }
  // Base m of intervention block k (1..NI).
  int InterventionBase(int k) const { return TransferBase(static_cast<std::size_t>(k - 1)); }
  // Base m of covariate block c (1..NC); for c = NC + 1 the last index of
  // the transfer blocks.
  int CovariateBase(int c) const { return TransferBase(static_cast<std::size_t>(interventions_ + c - 1)); }
  // Within a block of base m: Omega(j) at m + 3 + j, Delta(j) at m + p + 3 + j.
  int BlockOmega(int base, int j) const { return base + 3 + j; }
  int BlockDelta(int base, int j) const { return base + p_ + 3 + j; }
  // The last index of the set-up's original parameters: those before every appended block.
  int OriginalCount() const { return originalCount_; }

 private:
  int Block() const { return 2 * p_ + 3; }
  int p_ = 0;
  int interventions_ = 0;
  std::vector<int> polynomialBase_;
  std::vector<int> transferBase_;
  int interceptBase_ = 0;
  int originalTransferEnd_ = 0;
  int originalCount_ = 0;
  int count_ = 0;
};

// n = 2p + NG + (2p + 3)(NI + NC), plus the appended blocks.
int ParameterCount(const TfnSetup& setup);

// The description of every parameter in layout order: element i - 1
// describes parameter i. Each ends with a bracket giving the null value and
// the admissible range or rule.
std::vector<std::string> DescribeParameters(const TfnSetup& setup);

}  // namespace quorvane
