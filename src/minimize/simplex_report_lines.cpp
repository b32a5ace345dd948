#include "minimize/simplex_report_lines.h"

#include <cmath>

#include "core/number_field.h"
#include "minimize/simplex_state.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kValuePicture = "0.0000000E+00";
constexpr const char* kOrdinalPicture = "    000) ";
constexpr int kGroupsPerLine = 4;

// The value in a field of 14; a rendering wider than the field (a negative
// value with a three-digit exponent) is kept whole rather than cut into a
// different number.
std::string ValueField(double value) { return FitNumberField(FormatPicture(value, kValuePicture), 14); }

}  // namespace

std::string SimplexParameterLine(const Session& session, int k, double value) {
  const AlgorithmData& data = session.Algorithm;
  const int i = session.Free.FreeIndex[k];
  const std::string fuse = i <= data.FuseCodes.size() ? data.FuseCodes[i] : "";
  const std::string description = i <= data.Descriptions.size() ? data.Descriptions[i] : "";
  return FormatPicture(i, kOrdinalPicture) + ValueField(value) + " " +
         RightJustify(FormatPicture(fuse, "  "), 3) + "  " + description + "\r\n";
}

std::string SimplexParameterLines(const Session& session, int v) {
  std::string text;
  for (int k = 1; k <= session.Free.FreeCount; ++k)
    text += SimplexParameterLine(session, k, session.Simplex.Vertex(k, v));
  return text;
}

std::vector<std::string> SimplexLogParameterGroups(const Session& session, int v) {
  const int n = session.Free.FreeCount;
  std::vector<std::string> lines;
  std::string line;
  for (int k = 1; k <= n; ++k) {
    line += FormatPicture(session.Free.FreeIndex[k], kOrdinalPicture) +
            ValueField(session.Simplex.Vertex(k, v));
    if (k % kGroupsPerLine == 0) {
      lines.push_back(line);
      line.clear();
    }
  }
  if (n % kGroupsPerLine != 0) {
    lines.push_back(line);
    lines.emplace_back();
  } else {
    lines.emplace_back();
    lines.emplace_back();
  }
  return lines;
}

std::string SimplexRunCounts(const Session& session) {
  const SimplexState& s = session.Simplex;
  return PlainNumberText(s.Iterations) + " iterations, " + PlainNumberText(session.FunctionCallCount) +
         " function calls, and " + PlainNumberText(s.Restarts) + " restarts";
}

std::string SimplexSpreadLine(const Session& session, double fBest, double fWorst) {
  constexpr const char* kPicture = "####0.#####     ";
  const bool relative = session.Algorithm.Tolerance < 0 && fBest != 0;
  const double spread = relative ? std::fabs((fWorst - fBest) / fBest) : std::fabs(fWorst - fBest);
  return "Current: Min> " + FormatPicture(fBest, kPicture) + " Max> " +
         FormatPicture(fWorst, kPicture) + (relative ? " Rel TC> " : " Abs TC> ") +
         FormatPicture(spread, "0.0000E+00");
}

std::string SimplexImprovedLine(const Session& session) {
  return "Number of function values (parameter vectors) improved: " +
         FormatPicture(session.Simplex.Improved, "#0") + "; Action accepted: " +
         session.Simplex.Action;
}

}  // namespace quorvane
