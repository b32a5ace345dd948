#pragma once

#include "core/one_based.h"

namespace quorvane {

class Session;
struct SimplexState;

// The one way the Simplex search obtains an objective value for a point x
// of the free parameters: the full parameter vector is every parameter's
// current value from the algorithm data with parameter FreeIndex[k] set to
// x[k]; the function-call counter is raised by 1 and passed to the model as
// NF, with prior terms added while priors are active. The full vector is
// formed in the simplex's own work vector, so an evaluation allocates
// nothing.
double EvaluateVertexPoint(Session& session, const OneBased<double>& x);

// The same for vertex v (or the centroid column) of the simplex.
double EvaluateVertex(Session& session, int v);

// Coordinates 1..n of vertex v set to those of the point x.
void SetVertexPoint(SimplexState& simplex, int v, const OneBased<double>& x, int n);

}  // namespace quorvane
