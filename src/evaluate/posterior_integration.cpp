#include "evaluate/posterior_integration.h"

#include <algorithm>
#include <cmath>

#include "core/objective.h"

namespace quorvane {

double PosteriorGridSpec::EvaluationTotal() const {
  return static_cast<double>(PointCount) *
         std::pow(static_cast<double>(GridPointCount), GridParameterCount);
}

void PosteriorGridResult::Prepare(const PosteriorGridSpec& spec) {
  const int n = spec.PointCount;
  Values.assign(n, 0.0);
  Objective.assign(n, 0.0);
  Bivariate = BivariateGrid{};
  if (spec.GridParameterCount == 1) {
    const int m = spec.GridPointCount;
    Bivariate.Density.assign(n, m, 0.0);
    Bivariate.X.assign(n, 0.0);
    Bivariate.Y.assign(m, 0.0);
    Bivariate.XParameter = spec.EvaluatedParameter;
    Bivariate.YParameter = spec.GridParameter[0];
  }
}

namespace {

// The nested loops over the grid parameters, level 1 outermost; recursion
// depth is at most six and nothing is allocated.
class GridWalk {
 public:
  GridWalk(const Objective& objective, const PosteriorGridSpec& spec, OneBased<double>& work,
           PosteriorGridProgress& progress, PosteriorGridResult& result)
      : objective_(objective), spec_(spec), work_(work), progress_(progress), result_(result),
        middle_((spec.GridPointCount - 1) / 2 + 1) {}

  // The likelihood summed over the grid at point p; false after a stop.
  bool Sum(int p, double& sum) {
    sum = 0.0;
    p_ = p;
    return Level(1, sum);
  }

 private:
  bool Level(int level, double& sum) {
    if (level > spec_.GridParameterCount) {
      Node(sum);
      return true;
    }
    const auto i = static_cast<std::size_t>(level - 1);
    const int parameter = spec_.GridParameter[i];
    for (int j = 1; j <= spec_.GridPointCount; ++j) {
      if (!progress_.LevelEntered(level, j)) return false;
      work_[parameter] = spec_.GridCentre[i] - (middle_ - j) * spec_.GridStep[i];
      current_[i] = j;
      if (!Level(level + 1, sum)) return false;
    }
    return true;
  }

  void Node(double& sum) {
    const double F = objective_.Evaluate(work_, 1, true) / spec_.ObjectiveScale;
    progress_.Evaluated(++result_.EvaluationCount);
    const double e = std::exp(-(F - spec_.ReferenceObjective));
    sum += e;
    if (spec_.GridParameterCount == 1) {
      BivariateGrid& grid = result_.Bivariate;
      const int j = current_[0];
      grid.Density(p_, j) = e;
      grid.X[p_] = work_[spec_.EvaluatedParameter];
      grid.Y[j] = work_[spec_.GridParameter[0]];
      if (e > grid.PeakDensity) {
        grid.PeakDensity = e;
        grid.PeakX = grid.X[p_];
        grid.PeakY = grid.Y[j];
      }
    }
  }

  const Objective& objective_;
  const PosteriorGridSpec& spec_;
  OneBased<double>& work_;
  PosteriorGridProgress& progress_;
  PosteriorGridResult& result_;
  const int middle_;
  int p_ = 0;
  std::array<int, kMaxGridParameters> current_{};  // the grid point of each level
};

}  // namespace

void IntegratePosterior(const Objective& objective, const PosteriorGridSpec& spec,
                        const OneBased<double>& values, OneBased<double>& work,
                        PosteriorGridProgress& progress, PosteriorGridResult& result) {
  const int n = spec.PointCount;
  const int middle = (n - 1) / 2 + 1;
  result.PointsKept = spec.PointCount;
  result.Stopped = false;
  result.StoppedAtPoint = 0;
  result.BestPoint = 0;
  result.BestValue = 0.0;
  result.LowestObjective = 1e100;
  result.EvaluationCount = 0;
  result.Bivariate.PeakDensity = 0.0;
  GridWalk walk(objective, spec, work, progress, result);
  for (int p = 1; p <= n; ++p) {
    const double value = spec.Centre - (middle - p) * spec.Step;
    result.Values[p] = value;
    std::copy(values.begin(), values.end(), work.begin());
    work[spec.EvaluatedParameter] = value;
    progress.PointStarted(p, value);
    bool going = true;
    if (spec.GridParameterCount == 0) {
      result.Objective[p] = objective.Evaluate(work, 1, true) / spec.ObjectiveScale;
      progress.Evaluated(++result.EvaluationCount);
    } else {
      double sum = 0.0;
      going = walk.Sum(p, sum);
      if (going) result.Objective[p] = sum != 0.0 ? -std::log(sum) : 1e20;
    }
    if (going) going = progress.PointFinished(p);
    if (!going) {
      // The point being summed and the one before it are dropped.
      result.Stopped = true;
      result.StoppedAtPoint = static_cast<std::int16_t>(p);
      result.PointsKept = static_cast<std::int16_t>(std::max(p - 2, 0));
      return;
    }
    if (result.Objective[p] < result.LowestObjective) {
      result.LowestObjective = result.Objective[p];
      result.BestPoint = static_cast<std::int16_t>(p);
      result.BestValue = value;
    }
  }
}

}  // namespace quorvane
