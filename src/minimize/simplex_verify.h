#pragma once

namespace quorvane {

class Session;
class ProfilePointLink;

// Verifies an apparent minimum (the spread of the vertex values fell below
// the simplex limit) by an axial search around the best vertex.
//   - A probe lower by more than the margin: the simplex is restarted
//     around that probe, with vertex v+1 (v = 1..n) the old vertex moved
//     along axis v by ReductionFraction * FreeStep[v]; the restart is counted
//     and shown in status panels 3 and 4; Done stays false. Costs n+1 calls
//     on top of the probes.
//   - No such probe, in profile mode: the minimum and the profiled
//     parameter's value are handed to the profile; Done.
//   - No such probe otherwise, when every vertex holds the model's failure
//     penalty: no minimum is announced; the window, the log and a message
//     say that the model computed no objective at any vertex; Done.
//   - No such probe otherwise: the final report to the window and the log,
//     the message "Minimum found using Simplex!", the prior review while
//     priors are active; Done.
void VerifySimplexMinimum(Session& session, ProfilePointLink* profile = nullptr);

// Whether every vertex value is the model's failure penalty (or not a
// finite number): the model computed no objective at any vertex, so the
// simplex holds no minimum and no better point than the start.
bool EveryVertexHasFailurePenalty(Session& session);

}  // namespace quorvane
