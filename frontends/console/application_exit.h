#pragma once

namespace quorvane::console {

// Thrown to end the application from wherever it is: the quit sequence, or
// input that ended while the application waited. Caught by ConsoleUi::Run.
struct ApplicationExit {
  int status;
};

}  // namespace quorvane::console
