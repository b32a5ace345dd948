#include "minimize/simplex_status.h"

#include "app/session.h"

namespace quorvane {

void SetSimplexPanel(Session& session, int panel, const std::string& text) {
  session.ui().SetStatusPanel(kMinimizerStatusBar, panel, text);
}

void ClearSimplexPanels(Session& session, int first, int last) {
  for (int panel = first; panel <= last; ++panel) SetSimplexPanel(session, panel, "");
}

}  // namespace quorvane
