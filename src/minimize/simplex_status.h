#pragma once

#include <string>

namespace quorvane {

class Session;

// The minimisers' progress panels: panels 1 to 4 of status bar 5 (panel 1
// general progress, 2 to 4 the search's own).
inline constexpr int kMinimizerStatusBar = 5;

void SetSimplexPanel(Session& session, int panel, const std::string& text);

// The progress bar of a Simplex run: the share of the function-call
// allowance (MaxFunctionCalls) used so far, which is also where the run
// stops to ask whether to go on.
void ShowSimplexCallShare(Session& session);

// Panels first..last set to "".
void ClearSimplexPanels(Session& session, int first, int last);

}  // namespace quorvane
