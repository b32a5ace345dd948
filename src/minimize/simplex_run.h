#pragma once

namespace quorvane {

class Session;
class ProfilePointLink;

// What the last run of the Simplex search ended with.
enum class SimplexOutcome {
  Finished,   // ended by the verification, the call limit or the user; the
              // best vertex is in the parameter values
  ZeroError,  // relative limit with a best value of exactly 0: the parameter
              // values are as before the run
  Interrupted,  // the user stopped the run while the initial simplex was
                // built: no simplex is kept, the parameter values are as
                // before the run
  NoMinimum,    // every vertex holds the model's failure penalty: the
                // parameter values are as before the run
};

// The Simplex search over the free-parameter list as last built. Shows the
// Simplex window; builds a new simplex from the free parameters' values
// unless the stored one Exists (and was built over the same free
// parameters), in which case it continues from the stored vertices and
// values; iterates, reports at the output frequencies, verifies every
// apparent minimum, and answers the call limit and the Interrupt button.
// The function-call counter, iterations and restarts start at 0.
//
// With AppState::ProfileMode on, as the likelihood profile runs it once per
// point (after clearing Exists): no final report or message; the verified
// minimum is handed to the profile; the interrupt questions are about the
// whole ML procedure and the next point. The profile link may be null only
// outside profile mode.
SimplexOutcome RunSimplex(Session& session, ProfilePointLink* profile = nullptr);

}  // namespace quorvane
