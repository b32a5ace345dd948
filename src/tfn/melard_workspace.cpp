#include "tfn/melard_workspace.h"

namespace quorvane {

void MelardWorkspace::Reserve(std::size_t maxOrder) {
  if (maxOrder <= maxOrder_ && !Gamma.empty()) return;
  maxOrder_ = maxOrder;
  const std::size_t n = maxOrder;
  // r = max(p, q + 1) <= n + 1; state vectors carry components 0..r + 1.
  const std::size_t state = n + 3;
  Gamma.assign(n + 2, 0.0);
  Cross.assign(n + 1, 0.0);
  Phi.assign(state, 0.0);
  // Order m keeps phi^(m)_1..m and b^(m)_0..m, for m = 0..n.
  LevelPhi.assign(n * (n + 1) / 2 + 1, 0.0);
  LevelRhs.assign((n + 1) * (n + 2) / 2, 0.0);
  State.assign(state, 0.0);
  GainK.assign(state, 0.0);
  GainL.assign(state, 0.0);
  Next.assign(state, 0.0);
}

}  // namespace quorvane
