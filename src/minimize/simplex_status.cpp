#include "minimize/simplex_status.h"

#include <algorithm>
#include <cstdint>

#include "app/session.h"

namespace quorvane {

void SetSimplexPanel(Session& session, int panel, const std::string& text) {
  session.ui().SetStatusPanel(kMinimizerStatusBar, panel, text);
}

void ShowSimplexCallShare(Session& session) {
  const std::int32_t allowance = session.Algorithm.MaxFunctionCalls;
  if (allowance <= 0) return;
  session.ui().SetProgress(
      std::min(1.0, static_cast<double>(session.FunctionCallCount) / static_cast<double>(allowance)));
}

void ClearSimplexPanels(Session& session, int first, int last) {
  for (int panel = first; panel <= last; ++panel) SetSimplexPanel(session, panel, "");
}

}  // namespace quorvane
