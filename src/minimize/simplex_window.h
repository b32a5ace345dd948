#pragma once

#include <string>

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The Simplex window frmSimplex: the initial simplex report in the upper
// pane rtbSimplexInitial, the progress and final reports in the lower pane
// rtbSimplex, and the Interrupt button cmdStop. A running search owns the
// panes; the button only sets the session's interrupt request, which the
// search answers between iterations.
class SimplexWindow {
 public:
  static constexpr const char* kInitialPane = "rtbSimplexInitial";
  static constexpr const char* kPane = "rtbSimplex";
  static constexpr const char* kStop = "cmdStop";

  explicit SimplexWindow(Session& session);

  Form& form() { return form_; }

  // Loads and shows the window as a run starts: both panes cleared and the
  // Interrupt button as first built.
  void Load();

  // cmdStop's click, and what Ctrl+C does while the search runs: asks the
  // search to stop and tell the user at its next chance.
  void RequestInterrupt();

 private:
  Session& session_;
  Form form_;
};

}  // namespace quorvane
