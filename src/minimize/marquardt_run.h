#pragma once

namespace quorvane {

class Session;
class ProfilePointLink;

// How a Marquardt run ended.
enum class MarquardtOutcome {
  MinimumFound,        // the axial check confirmed the minimum
  Stopped,             // the iteration limit, or the user's stop request
  Frustrated,          // 25 failed trials, 5 rejected convergences or a damping above 1e20
  SingularSystem,      // the damped system had a zero row
  DerivativesMissing,  // analytical derivatives chosen, the model supplied none
  ProfileQuit,         // in a profile: the user quit the whole profile
  ProfileNextPoint,    // in a profile: the user skipped to the next point
};

// RunMarquardt: minimises the objective over the free-parameter list as
// built, from the parameter values, with damped Newton steps
//   (H with each diagonal element replaced by |H_kk| (1 + Lambda)) Delta = g,
//   X = FreeStart - Delta,
// Lambda starting at 0.001, times 10 after a worse trial and times 0.1
// after an accepted one. A trial whose value equals the last accepted one is
// accepted; one whose value is not a number counts as worse. Apparent minima
// are verified by MarquardtAxialCheck. The parameter values hold the last
// accepted point when it returns, whatever the outcome.
//
// The derivative kind and display are those ChooseDerivatives set. With
// ProfileMode on, `profile` is the current profile point: the run asks the
// profile's interrupt questions (a confirmed quit calls StopAfterThisPoint),
// names the point in status panel 1, shows no final report, and hands the
// accepted minimum to StoreMinimum. It may be null only outside a profile.
MarquardtOutcome RunMarquardt(Session& session, ProfilePointLink* profile = nullptr);

}  // namespace quorvane
