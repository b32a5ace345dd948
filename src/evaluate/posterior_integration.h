#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/one_based.h"
#include "evaluate/bivariate_grid.h"

namespace quorvane {

class Objective;

inline constexpr int kMaxGridParameters = 6;

// What one posterior grid integrates: the evaluated parameter at n points
// c - (mn - p) h, p = 1..n, mn = (n - 1)/2 + 1, and for each of the k grid
// parameters the m values v_i - (mm - j) s_i, j = 1..m, mm = (m - 1)/2 + 1.
struct PosteriorGridSpec {
  std::int16_t EvaluatedParameter = 0;
  double Centre = 0.0;            // c
  double Step = 0.0;              // h
  std::int16_t PointCount = 0;    // n, odd
  std::int16_t GridPointCount = 0;  // m, odd; unused when k = 0
  int GridParameterCount = 0;     // k, 0..6
  std::array<std::int16_t, kMaxGridParameters> GridParameter{};  // numbers, in increasing order
  std::array<double, kMaxGridParameters> GridCentre{};
  std::array<double, kMaxGridParameters> GridStep{};
  // The one factor objective = scale x -ln[L] of the whole run, fixed before it.
  double ObjectiveScale = 1.0;
  // -ln[L] at the current values (prior term included while priors are
  // active); every node's likelihood is taken relative to it. Unused when k = 0.
  double ReferenceObjective = 0.0;

  // n x m^k, the number of objective evaluations of the whole run.
  double EvaluationTotal() const;
};

// The dialogue around the loops: status texts, events and the interrupt.
// Every call may run user actions; none may change the parameter vector.
class PosteriorGridProgress {
 public:
  virtual ~PosteriorGridProgress() = default;
  // Point p (1-based) of the evaluated parameter begins at `value`.
  virtual void PointStarted(int /*p*/, double /*value*/) {}
  // Grid level i (1 = outermost) enters its point j. False: the user has
  // confirmed a stop, and every loop ends.
  virtual bool LevelEntered(int /*level*/, int /*j*/) { return true; }
  // One more objective evaluation; `count` of them so far in this run.
  virtual void Evaluated(std::int64_t /*count*/) {}
  // Point p is complete. False: the user has confirmed a stop.
  virtual bool PointFinished(int /*p*/) { return true; }
  // Runs every few milliseconds while a threaded run waits for a value.
  virtual void Waiting() {}

  // Set by a threaded run while it lasts: stills the workers. An
  // implementation calls it right before it asks the interrupt question.
  std::function<void()> BeforeQuestion;
};

// The results of the loops, sized once by Prepare so that the loops
// themselves never allocate. Objective[p] is -ln of the likelihood summed
// over the grid at point p (1E+20 when every node underflows), or for
// k = 0 the -ln[L] at the point itself.
struct PosteriorGridResult {
  OneBased<double> Values;
  OneBased<double> Objective;
  std::int16_t PointsKept = 0;  // n, or after a stop the points up to two before it, made odd
  bool Stopped = false;
  std::int16_t StoppedAtPoint = 0;
  std::int16_t BestPoint = 0;
  double BestValue = 0.0;        // the evaluated parameter's value at BestPoint
  double LowestObjective = 1e100;
  std::int64_t EvaluationCount = 0;
  BivariateGrid Bivariate;       // filled only when k = 1

  // Sizes the series to n and, for k = 1, the bivariate arrays to n x m;
  // each run starts its counts afresh. Throws std::bad_alloc when the
  // memory cannot be had.
  void Prepare(const PosteriorGridSpec& spec);
};

// Integrates the posterior of the evaluated parameter over the grid.
// `values` are the current parameter values; at every point they are copied
// into `work` (of the same size), in which the evaluated and the grid
// parameters are moved, and fused members are filled in by the objective.
// `values` themselves never change. Each node is
// F = Evaluate(work, NF = 1, with priors) / ObjectiveScale, whose prior
// term is already in objective units; the node's likelihood is
// e = exp(-(F - ReferenceObjective)), and the point's -ln[L] is -ln(sum e).
// With k = 1 the joint densities e go to the bivariate grid. Nothing is
// allocated here; `result` must have been prepared for `spec`.
//
// With k >= 1 and `threads` above 1 (and a model that can be copied) the
// nodes are evaluated on that many workers (ParallelEvaluator), which
// allocates them once for the run; this thread walks the loops as above,
// takes the values in node order and makes every progress call, so the
// result is the same bit for bit.
void IntegratePosterior(const Objective& objective, const PosteriorGridSpec& spec,
                        const OneBased<double>& values, OneBased<double>& work, PosteriorGridProgress& progress,
                        PosteriorGridResult& result, int threads = 1);

}  // namespace quorvane
