#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/one_based.h"

namespace quorvane {

class Objective;
struct CovarianceResults;

// What a grid reports while it runs: status panel texts (panel 1 the call
// count, panel 2 the time left), lines for the progress pane, the event
// pump, the question asked when an interrupt is pending (true: abandon
// this grid), a clock in seconds, whether an interrupt is pending (read by
// a threaded grid to still its workers before quitGrid asks; empty: the
// workers are stilled before every quitGrid) and, when set, the share of
// the three grids' calls done so far (0..1) for a progress bar.
struct GridHooks {
  std::function<void(int panel, const std::string& text)> status;
  std::function<void(const std::string& text)> append;
  std::function<void()> pump;
  std::function<bool()> quitGrid;
  std::function<double()> seconds;
  std::function<bool()> interruptPending;
  std::function<void(double fraction)> progress;
};

// The objective values of one grid: Up(k, m) with both parameters moved up
// (d = 1), Down(k, m) with both moved down (d = 2), k <= m; k = m moves one.
struct GridOutcome {
  bool Interrupted = false;
  OneBasedMatrix Up;
  OneBasedMatrix Down;
  double Mean = -1.0;  // average of the -ln[L] values, centre included
  double Sd = -1.0;    // signed standard deviation, 0 when the variance is exactly 0
  // The summary lines for the progress pane (average and deviation in
  // -ln[L] units), empty for an interrupted grid; the caller appends them
  // with what follows, so the pane changes once per grid step.
  std::string Summary;
};

// The -ln[L] values of grid g (1..3) around cov.CovValues, each free
// parameter k moved by CovSteps x GridFactor[g], singly and in pairs. In
// optimistic mode the pairs are not evaluated (they count as the centre).
// Appends the grid's opening line through the hooks before it starts.
// Reads CovValues, CovSteps, nCov, CovIndex, GridFactor, CovCenter,
// Optimistic and ObjectiveScale.
//
// With `threads` above 1 (and a model that can be copied) the evaluations
// run on that many workers (ParallelEvaluator) while this thread reports,
// asks and sums in the same order as on one thread, so the outcome is the
// same bit for bit.
GridOutcome ComputeGrid(const Objective& objective, const CovarianceResults& cov, int g,
                        bool withPriors, const GridHooks& hooks, int threads = 1);

// The Hessian of the objective from the grid values by central differences,
// with delta_k = CovSteps[CovIndex[k]] x |factor|:
//   H(k, k) = (f(+k) + f(-k) - 2 f0) / delta_k^2
//   H(k, m) = (f(+k+m) + f(-k-m) - f(+k) - f(-k) - f(+m) - f(-m) + 2 f0)
//             / (2 delta_k delta_m)
// The off-diagonal terms are 0 in optimistic mode.
OneBasedMatrix GridHessian(const GridOutcome& grid, const CovarianceResults& cov, int g);

// The "m:ss" text of a time left in whole seconds: 187 gives "3:07".
std::string TimeRemainingText(std::int64_t seconds);

}  // namespace quorvane
