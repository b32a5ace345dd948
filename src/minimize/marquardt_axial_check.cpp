#include "minimize/marquardt_axial_check.h"

#include <cstdlib>

#include "core/evaluate_objective.h"
#include "core/fuse_groups.h"
#include "minimize/marquardt_state.h"
#include "minimize/marquardt_tolerance.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

bool MarquardtAxialCheck(Session& session, MarquardtState& state, double fRef) {
  Ui& ui = session.ui();
  AlgorithmData& data = session.Algorithm;
  const double L = data.Tolerance;
  const double r = data.ReductionFraction;
  const std::string ofTotal = " of " + PlainNumberText(2 * session.Free.FreeCount);

  ui.SetStatusPanel(5, 4, "");
  bool improved = false;
  double best = fRef;
  int chosen = 0;  // the best probe's parameter number, signed by its direction
  int probe = 0;
  for (int a = 1; a <= data.ParameterCount; ++a) {
    if (data.Steps[a] == 0.0) continue;
    for (int direction : {1, -1}) {
      OneBased<double>& P = state.Probe;
      P = data.Values;  // same size as last time: no allocation
      P[a] = state.X[a] + direction * r * data.Steps[a];
      ++probe;
      const double f = EvaluateObjective(session, P, 1, true);
      const bool improves = AxialProbeImproves(L, f, fRef);
      std::string& text = state.PanelText;
      text.assign("Axial function call ");
      text += PlainNumberText(probe);
      text += ofTotal;
      ui.SetStatusPanel(5, 3, text);
      if (improves) {
        if (f < best) {
          best = f;
          chosen = direction * a;
        }
        improved = true;
        text.assign("Last failure of convergence verification caused by parameter # ");
        text += PlainNumberText(std::abs(chosen));
        ui.SetStatusPanel(5, 4, text);
      }
      ui.PumpEvents();
    }
  }
  ui.SetStatusPanel(5, 3, "");
  if (improved) {
    const int a = std::abs(chosen);
    state.X[a] += (chosen > 0 ? 1.0 : -1.0) * r * data.Steps[a];
    data.Values[a] = state.X[a];
    state.FLast = best;
    ExpandFusedValues(state.X, session.Fuse, data, session.State);
  }
  return improved;
}

}  // namespace quorvane
