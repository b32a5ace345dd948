#pragma once

namespace quorvane {

// The simplex kept between Simplex runs. Exists is set when a run builds a
// simplex and cleared by everything that replaces or edits the parameter
// set; while it is false the next run builds a new simplex.
struct SimplexState {
  bool Exists = false;
};

}  // namespace quorvane
