#include "evaluate/posterior_integration.h"

#include <algorithm>
#include <cmath>

#include "core/objective.h"
#include "core/parallel_evaluator.h"
#include "evaluate/profile_points.h"

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

// The value of the evaluated parameter at point p.
double PointValue(const PosteriorGridSpec& spec, int p) {
  const int middle = (spec.PointCount - 1) / 2 + 1;
  return spec.Centre - (middle - p) * spec.Step;
}

// The value of grid parameter `level` (1-based) at its point j.
double GridValue(const PosteriorGridSpec& spec, int level, int j) {
  const int middle = (spec.GridPointCount - 1) / 2 + 1;
  const auto i = static_cast<std::size_t>(level - 1);
  return spec.GridCentre[i] - (middle - j) * spec.GridStep[i];
}

// The work vector of node `node` of the whole run, numbered point by point
// and within a point with level 1 most significant: what the loops below
// have in their work vector when they reach that node.
void MoveToNode(const PosteriorGridSpec& spec, const OneBased<double>& values, std::int64_t node,
                OneBased<double>& P) {
  const int m = spec.GridPointCount;
  std::array<int, kMaxGridParameters> j{};
  for (int level = spec.GridParameterCount; level >= 1; --level) {
    j[static_cast<std::size_t>(level - 1)] = static_cast<int>(node % m) + 1;
    node /= m;
  }
  std::copy(values.begin(), values.end(), P.begin());
  P[spec.EvaluatedParameter] = PointValue(spec, static_cast<int>(node) + 1);
  for (int level = 1; level <= spec.GridParameterCount; ++level)
    P[spec.GridParameter[static_cast<std::size_t>(level - 1)]] =
        GridValue(spec, level, j[static_cast<std::size_t>(level - 1)]);
}

// The nested loops over the grid parameters, level 1 outermost; recursion
// depth is at most six and nothing is allocated. With workers the nodes'
// values come from them in order; everything else happens here as without.
class GridWalk {
 public:
  GridWalk(const Objective& objective, const PosteriorGridSpec& spec, OneBased<double>& work,
           PosteriorGridProgress& progress, PosteriorGridResult& result, ParallelEvaluator& workers)
      : objective_(objective), spec_(spec), work_(work), progress_(progress), result_(result),
        workers_(workers), waiting_([this] { progress_.Waiting(); }) {}

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
      workers_.Resume();
      work_[parameter] = GridValue(spec_, level, j);
      current_[i] = j;
      if (!Level(level + 1, sum)) return false;
    }
    return true;
  }

  void Node(double& sum) {
    double F = 0.0;
    if (workers_.Threaded()) {
      F = workers_.Next(waiting_) / spec_.ObjectiveScale;
      // The coordinates below are read after the fused values are filled
      // in, as an evaluation here would have left them.
      if (spec_.GridParameterCount == 1) objective_.ExpandFused(work_);
    } else {
      F = objective_.Evaluate(work_, 1, true) / spec_.ObjectiveScale;
    }
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
  ParallelEvaluator& workers_;
  const std::function<void()> waiting_;
  int p_ = 0;
  std::array<int, kMaxGridParameters> current_{};  // the grid point of each level
};

}  // namespace

void IntegratePosterior(const Objective& objective, const PosteriorGridSpec& spec,
                        const OneBased<double>& values, OneBased<double>& work,
                        PosteriorGridProgress& progress, PosteriorGridResult& result, int threads) {
  const int n = spec.PointCount;
  result.PointsKept = spec.PointCount;
  result.Stopped = false;
  result.StoppedAtPoint = 0;
  result.BestPoint = 0;
  result.BestValue = 0.0;
  result.LowestObjective = 1e100;
  result.EvaluationCount = 0;
  result.Bivariate.PeakDensity = 0.0;
  // Workers only for a grid: without one a point is a single evaluation.
  // They read their own copy of the values, declared first so that they
  // are gone before it.
  const int workerCount = spec.GridParameterCount >= 1 ? threads : 1;
  const OneBased<double> start = workerCount > 1 ? values : OneBased<double>{};
  ParallelEvaluator workers(objective, workerCount, true);
  if (workers.Threaded()) {
    workers.Start(static_cast<std::int64_t>(spec.EvaluationTotal()),
                  [&spec, &start](std::int64_t node, OneBased<double>& P) { MoveToNode(spec, start, node, P); });
    progress.BeforeQuestion = [&workers] { workers.Pause(); };
  }
  struct QuestionHookReset {
    PosteriorGridProgress& progress;
    bool threaded;
    ~QuestionHookReset() {
      if (threaded) progress.BeforeQuestion = nullptr;
    }
  } reset{progress, workers.Threaded()};
  GridWalk walk(objective, spec, work, progress, result, workers);
  for (int p = 1; p <= n; ++p) {
    const double value = PointValue(spec, p);
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
    workers.Resume();
    if (!going) {
      // The point being summed and the one before it are dropped, and one
      // more when that leaves an even number: the confidence distribution
      // needs a middle point, as the profile does.
      result.Stopped = true;
      result.StoppedAtPoint = static_cast<std::int16_t>(p);
      result.PointsKept = static_cast<std::int16_t>(std::max(KeptPointsAfterStop(p), 0));
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
