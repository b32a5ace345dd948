#pragma once

#include <string>
#include <vector>

namespace quorvane {

class Session;

// Pieces shared by the Simplex window and log reports. Window lines end in
// CR LF; log lines are returned without line ends, one per element.

// "    007)  1.2345679E-03  ~~  description" and CR LF: a free parameter's
// window line (the value set right-aligned in 14 characters, the fuse code
// in 3).
std::string SimplexParameterLine(const Session& session, int k, double value);

// The window lines of all free parameters at vertex v.
std::string SimplexParameterLines(const Session& session, int v);

// The log's parameter groups at vertex v: "    007)" and the value in 14
// characters, four groups to a line with nothing between them, the n mod 4
// left over on one further line; then the two line ends that close the
// block (a remainder line is followed by one empty line, four-to-a-line
// blocks by two).
std::vector<std::string> SimplexLogParameterGroups(const Session& session, int v);

// it + " iterations, " + calls + " function calls, and " + restarts + " restarts".
std::string SimplexRunCounts(const Session& session);

// "Current: Min> " fBest " Max> " fWorst, then " Abs TC> " and the spread
// when the limit is absolute, " Rel TC> " and the spread relative to |fBest|
// when it is relative. A relative spread has no value when fBest is 0: the
// absolute spread is shown then, under its own label " Abs TC> ".
std::string SimplexSpreadLine(const Session& session, double fBest, double fWorst);

// "Number of function values (parameter vectors) improved: " Improved
// "; Action accepted: " Action.
std::string SimplexImprovedLine(const Session& session);

}  // namespace quorvane
