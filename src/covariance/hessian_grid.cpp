#include "covariance/hessian_grid.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/format/format_picture.h"
#include "core/objective.h"
#include "core/parallel_evaluator.h"
#include "covariance/covariance_results.h"

namespace quorvane {

namespace {

constexpr const char* kSummaryPicture = "0.0000000E+00";

// One evaluated node of a grid: parameters pk and pm (pk alone when equal)
// moved by their steps times the signed factor a.
struct GridNode {
  int pk = 0, pm = 0;
  double a = 0.0;
};

// The trial vector of a node: the centre with the node's moves, the same
// arithmetic on every thread.
void MoveToNode(const OneBased<double>& centre, const OneBased<double>& steps, const GridNode& node,
                OneBased<double>& trial) {
  std::copy(centre.begin(), centre.end(), trial.begin());
  trial[node.pk] += steps[node.pk] * node.a;
  if (node.pm != node.pk) trial[node.pm] += steps[node.pm] * node.a;
}

// The nodes ComputeGrid evaluates, in its order.
std::vector<GridNode> EvaluatedNodes(const CovarianceResults& cov, double factor) {
  std::vector<GridNode> nodes;
  for (int k = 1; k <= cov.nCov; ++k)
    for (int m = k; m <= cov.nCov; ++m)
      for (int d = 1; d <= 2; ++d)
        if (!cov.Optimistic || k == m) nodes.push_back({cov.CovIndex[k], cov.CovIndex[m], d == 1 ? factor : -factor});
  return nodes;
}

}  // namespace

std::string TimeRemainingText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  const std::int64_t minutes = seconds / 60;
  const std::int64_t rest = seconds - 60 * minutes;
  return std::to_string(minutes) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

GridOutcome ComputeGrid(const Objective& objective, const CovarianceResults& cov, int g,
                        bool withPriors, const GridHooks& hooks, int threads) {
  const int n = cov.nCov;
  double a = cov.GridFactor[g];
  GridOutcome out;
  out.Up.assign(n, n, 0.0);
  out.Down.assign(n, n, 0.0);
  hooks.append("\r\nNow calculating -ln[likelihood] on grid #" + std::to_string(g) + "\r\n");

  const std::int64_t perGrid = static_cast<std::int64_t>(n) * (n + 1);
  const double total = static_cast<double>((3 - g + 1) * perGrid);
  const double start = hooks.seconds();
  const std::string perGridText = FormatPicture(static_cast<double>(perGrid), "###0");
  std::int64_t calls = 0;
  // The centre counts as one sample of deviation 0.
  std::int64_t samples = 1;
  double sum = 0.0, sumOfSquares = 0.0;

  // The workers, when there are to be any, evaluate the nodes in order
  // from copies of the centre and the steps (declared first, so the workers
  // are gone before what they read).
  const OneBased<double> centre = cov.CovValues, steps = cov.CovSteps;
  std::vector<GridNode> nodes;
  ParallelEvaluator workers(objective, threads, withPriors);
  if (workers.Threaded()) {
    nodes = EvaluatedNodes(cov, a);
    workers.Start(static_cast<std::int64_t>(nodes.size()), [&](std::int64_t i, OneBased<double>& P) {
      MoveToNode(centre, steps, nodes[static_cast<std::size_t>(i)], P);
    });
  }
  OneBased<double> trial = cov.CovValues;

  for (int k = 1; k <= n; ++k) {
    for (int m = k; m <= n; ++m) {
      for (int d = 1; d <= 2; ++d) {
        ++calls;
        hooks.status(1, "Hessian function call " +
                            FormatPicture(static_cast<double>(calls), "###0") + " of " +
                            perGridText);
        hooks.pump();
        const GridNode node{cov.CovIndex[k], cov.CovIndex[m], a};
        a = -a;  // up for d = 1, down for d = 2
        double f = cov.CovCenter;
        if (!cov.Optimistic || k == m) {
          if (workers.Threaded()) {
            f = workers.Next(hooks.pump);
          } else {
            MoveToNode(centre, steps, node, trial);
            f = objective.Evaluate(trial, 1, withPriors);
          }
        }
        // The question is asked with the workers still.
        const bool still = workers.Threaded() && (!hooks.interruptPending || hooks.interruptPending());
        if (still) workers.Pause();
        if (hooks.quitGrid()) {
          out.Interrupted = true;
          out.Mean = out.Sd = -1.0;
          return out;
        }
        if (still) workers.Resume();
        const double dev = f - cov.CovCenter;
        ++samples;
        sum += dev;
        sumOfSquares += dev * dev;
        (d == 1 ? out.Up : out.Down)(k, m) = f;

        const double elapsed = hooks.seconds() - start;
        const double left = elapsed / static_cast<double>(calls) * (total - static_cast<double>(calls));
        hooks.status(2, "Estimated time remaining for all three grids (m:s): " +
                            TimeRemainingText(static_cast<std::int64_t>(std::nearbyint(left))));
        if (hooks.progress)
          hooks.progress(static_cast<double>((g - 1) * perGrid + calls) /
                         static_cast<double>(3 * perGrid));
        hooks.pump();
      }
    }
  }

  const double count = static_cast<double>(samples);
  out.Mean = sum / count + cov.CovCenter;
  const double variance = sumOfSquares / count - (sum / count) * (sum / count);
  // The sign of a negative variance (rounding) is kept; a variance of
  // exactly 0 has none, and its deviation is 0.
  out.Sd = variance == 0.0 ? 0.0 : std::sqrt(std::fabs(variance)) * (variance / std::fabs(variance));
  out.Summary = "Average: " + FormatPicture(out.Mean / cov.ObjectiveScale, kSummaryPicture) +
                "; Standard deviation: " + FormatPicture(out.Sd / cov.ObjectiveScale, kSummaryPicture) +
                "\r\nNow calculating Hessian matrix #" + std::to_string(g) + "\r\n";
  return out;
}

OneBasedMatrix GridHessian(const GridOutcome& grid, const CovarianceResults& cov, int g) {
  const int n = cov.nCov;
  const double a = std::fabs(cov.GridFactor[g]);
  const double c = cov.CovCenter;
  OneBasedMatrix H(n, n, 0.0);
  const auto bothWays = [&](int k, int m) { return (grid.Up(k, m) - c) + (grid.Down(k, m) - c); };
  for (int k = 1; k <= n; ++k) {
    const double step = cov.CovSteps[cov.CovIndex[k]];
    const double delta = step * a;
    H(k, k) = bothWays(k, k) / (delta * delta);
  }
  if (cov.Optimistic) return H;
  for (int k = 1; k <= n; ++k) {
    for (int m = k + 1; m <= n; ++m) {
      const double stepK = cov.CovSteps[cov.CovIndex[k]];
      const double stepM = cov.CovSteps[cov.CovIndex[m]];
      H(k, m) = H(m, k) =
          (bothWays(k, m) - bothWays(k, k) - bothWays(m, m)) / (2.0 * a * a * stepK * stepM);
    }
  }
  return H;
}

}  // namespace quorvane
