#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/one_based.h"

namespace quorvane {

// The results of one grid, CovResult[i, j] for i, j = 0..nCov, where i, j >= 1
// are covariance indices k (CovIndex[k] is the parameter number):
//   (k, m)  the covariance of k and m;
//   (0, k)  the signed standard error sqrt|C_kk| * sign(C_kk);
//   (0, 0)  the determinant of the covariance matrix;
//   (1, 0)  the product of the variances C_kk.
// Every entry is -1, the marker of a value that is not available, when the
// grid was interrupted or its Hessian was not positive-definite.
class GridCovariance {
 public:
  GridCovariance() = default;
  explicit GridCovariance(int nCov) { MarkUnavailable(nCov); }

  int Size() const { return size_; }
  void MarkUnavailable(int nCov) {
    size_ = nCov > 0 ? nCov : 0;
    // At least 2 x 2, so (0, 0) and (1, 0) exist even without parameters.
    const std::size_t side = static_cast<std::size_t>(size_ > 0 ? size_ + 1 : 2);
    cells_.assign(side * side, -1.0);
  }
  double& operator()(int i, int j) { return cells_.at(Offset(i, j)); }
  double operator()(int i, int j) const { return cells_.at(Offset(i, j)); }

 private:
  std::size_t Offset(int i, int j) const {
    const int side = size_ > 0 ? size_ + 1 : 2;
    if (i < 0 || j < 0 || i >= side || j >= side) throw std::out_of_range("covariance index");
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(side) +
           static_cast<std::size_t>(j);
  }
  int size_ = 0;
  std::vector<double> cells_ = std::vector<double>(4, -1.0);
};

// The covariance analysis: what the calculator was given and found, kept
// until the next calculation so the report can be rebuilt and later
// analyses (profiles, posteriors, model averaging) can read it.
struct CovarianceResults {
  std::string CovarianceMethod;   // "A" or "N" of the stored results; "" before any
  OneBased<double> CovValues;     // all P values and steps after the optional editing
  OneBased<double> CovSteps;
  std::int32_t nCov = 0;          // parameters with a non-zero step
  OneBased<int> CovIndex;         // k = 1..nCov -> parameter number
  OneBased<int> CovSlot;          // parameter number -> k (0 when its step is 0)
  OneBased<double> GridFactor{1.0, 0.1, 0.01};
  OneBased<double> GridMean{-1.0, -1.0, -1.0};  // -1, -1 for an interrupted grid
  OneBased<double> GridSd{-1.0, -1.0, -1.0};    // signed: negative for a negative variance
  double CovCenter = 0.0;         // the objective at CovValues
  double AnalyticalObjective = 0.0;  // the objective of the analytical (NF = -2) call
  double ObjectiveScale = 1.0;    // 1 / the constant the user entered
  bool Optimistic = false;
  bool CovInterrupt = false;
  bool CovRunning = false;
  std::string CovDisplayMode;     // "1" after a new calculation, "0" when viewed again
  std::array<GridCovariance, 3> CovResult;  // grid g is CovResult[g - 1]
  // The model's lines for the parameters it holds on a limit of the
  // parameter space at CovValues, whose standard errors are undefined.
  std::vector<std::string> LimitNotes;

  const GridCovariance& Grid(int g) const { return CovResult.at(static_cast<std::size_t>(g - 1)); }
  GridCovariance& Grid(int g) { return CovResult.at(static_cast<std::size_t>(g - 1)); }

  // Discards the results of the last calculation (values, steps, grids,
  // standard errors), as when the estimates they belong to have moved.
  void Forget() { *this = CovarianceResults{}; }
};

// The standard error of parameter number `parameter` (1..P) on grid 1, 2 or
// 3: the square root of its variance there. Empty when the parameter was
// not varied, the grid has no results (interrupted, not positive-definite)
// or the variance is not positive.
std::optional<double> CovarianceStandardDeviation(const CovarianceResults& results, int grid,
                                                  int parameter);

}  // namespace quorvane
