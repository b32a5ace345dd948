#pragma once

#include <functional>

#include "core/one_based.h"

namespace quorvane {

class Session;
struct SimplexState;

// The steps of the Simplex search: a Nelder-Mead simplex with reflection 1,
// expansion 2, contraction 1/2 and reduction 1/2. They work on the session's
// SimplexState over the n = FreeCount free parameters, and obtain every
// objective value through EvaluateVertexPoint or EvaluateVertex.

// An axial simplex around vertex 1 (already holding the start point): vertex
// k+1 differs from vertex 1 only in coordinate k, by the full step size
// FreeStep[k]. Evaluates the n+1 vertices, then ranks them. After each
// evaluation `goOn` (when given) is asked whether to go on, so that an
// interrupt is answered while a large simplex is built; false ends the
// build unfinished and gives false.
bool BuildInitialSimplex(Session& session, const std::function<bool()>& goOn = nullptr);

// Best and Worst by vertex value (ties keep the lower vertex number for
// both), then the centroid of all vertices but the worst into the centroid
// column.
void RankVertices(SimplexState& simplex, int n);

// The worst vertex becomes the point x with value f. Best and Worst are not
// recomputed until the next RankVertices.
void ReplaceWorst(SimplexState& simplex, const OneBased<double>& x, double f, int n);

// One iteration: reflect the worst vertex through the centroid, then expand,
// accept, contract or reduce by how many vertices the reflected point beats
// (Improved). Costs 1 call (reflection accepted), 2 (expansion tried, or a
// contraction accepted) or n+2 (reduction). Sets Improved, Action and
// TrialValue; does not rank the vertices afterwards.
void SimplexStep(Session& session);

}  // namespace quorvane
