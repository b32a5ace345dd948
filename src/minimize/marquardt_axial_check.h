#pragma once

namespace quorvane {

class Session;
struct MarquardtState;

// MarquardtAxialCheck: verifies an apparent minimum. For every parameter a
// with a non-zero step s_a (by parameter number), in order, and for the
// directions +1 then -1, probes the parameter values with a set to
// X[a] +- r s_a (r the step size reduction fraction): an evaluation with
// NF = 1 and prior terms, not a counted call. A probe improves when it lies
// below fRef by more than the tolerance (see AxialProbeImproves). All 2n
// probes are made; on improvement the search moves to the single best
// improving probe (the first of equal ones): X[a] and the parameter value
// take its coordinate, state.FLast its value, and X's fused members are
// filled in. Returns whether a probe improved.
bool MarquardtAxialCheck(Session& session, MarquardtState& state, double fRef);

}  // namespace quorvane
