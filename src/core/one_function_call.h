#pragma once

#include <functional>
#include <string>

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The "One function call" window: one evaluation of the objective at the
// current values (NF = 1, with prior terms) and a report of the value, the
// parameters and how long the call took. Closing the window clears its pane
// and shows the main menu again.
class OneFunctionCallWindow {
 public:
  explicit OneFunctionCallWindow(Session& session);

  Form& form() { return form_; }

  // OneFunctionCall: runs after the fuse groups and the free list have been
  // built; opens the window and writes the report into rtbOneFunction.
  void OneFunctionCall();

  // Seconds on a steady clock; tests replace it.
  std::function<double()> Clock;

 private:
  std::string Report(double F, double seconds) const;

  Session& session_;
  Form form_;
};

// A duration in seconds rounded to hundredths, halves up.
double RoundToHundredths(double seconds);

}  // namespace quorvane
