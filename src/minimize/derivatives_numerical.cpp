#include <string>

#include "core/evaluate_objective.h"
#include "minimize/derivatives.h"
#include "minimize/marquardt_state.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

double DerivativeStep(double start, double h) { return start != 0.0 ? h * start : h; }

void NumericalDerivatives(Session& session, MarquardtState& state, double h) {
  const FreeParameterList& free = session.Free;
  const int n = free.FreeCount;
  const bool countCalls = !session.State.ProfileMode;
  const int total = n * (n + 1);
  Ui& ui = session.ui();

  OneBased<double>& base = state.Base;
  base = session.Algorithm.Values;  // same size as last time: no allocation
  for (int k = 1; k <= n; ++k) base[free.FreeIndex[k]] = free.FreeStart[k];
  const std::string ofTotal = " of " + PlainNumberText(total);
  std::string& text = state.PanelText;

  int c = 0;
  for (int i = 1; i <= n; ++i) {
    const double di = DerivativeStep(free.FreeStart[i], h);
    for (int j = i; j <= n; ++j) {
      const double dj = DerivativeStep(free.FreeStart[j], h);
      for (int d = 1; d <= 2; ++d) {
        const double sign = d == 1 ? 1.0 : -1.0;
        OneBased<double>& trial = state.Probe;
        trial = base;
        trial[free.FreeIndex[i]] += sign * di;
        if (j != i) trial[free.FreeIndex[j]] += sign * dj;
        ++session.FunctionCallCount;
        if (countCalls && ++c <= total) {
          text.assign("Hessian function call ");
          text += PlainNumberText(c);
          text += ofTotal;
          ui.SetStatusPanel(5, 1, text);
          // A profile shows the progress of its points instead.
          if (!session.State.ProfileMode)
            ui.SetProgress(static_cast<double>(c) / static_cast<double>(total));
          ui.PumpEvents();
        }
        const double f = EvaluateObjective(session, trial, session.FunctionCallCount, true);
        (d == 1 ? state.TrialPlus : state.TrialMinus)(i, j) = f;
        if (j == i && d == 2)
          state.Gradient[i] = (state.TrialPlus(i, i) - state.TrialMinus(i, i)) / (2.0 * di);
      }
    }
  }
}

void NumericalHessian(Session& session, MarquardtState& state, double f0, double h) {
  const FreeParameterList& free = session.Free;
  const int n = free.FreeCount;
  const auto& plus = state.TrialPlus;
  const auto& minus = state.TrialMinus;
  for (int i = 1; i <= n; ++i) {
    const double di = DerivativeStep(free.FreeStart[i], h);
    for (int j = i; j <= n; ++j) {
      if (j == i) {
        state.Hessian(i, i) = ((plus(i, i) - f0) + (minus(i, i) - f0)) / (di * di);
        continue;
      }
      const double dj = DerivativeStep(free.FreeStart[j], h);
      const double sum = (plus(i, j) - f0) + (minus(i, j) - f0) - (plus(i, i) - f0) -
                         (minus(i, i) - f0) - (plus(j, j) - f0) - (minus(j, j) - f0);
      state.Hessian(i, j) = state.Hessian(j, i) = sum / (2.0 * di * dj);
    }
    session.ui().PumpEvents();
  }
}

}  // namespace quorvane
