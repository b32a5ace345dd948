#include "minimize/simplex_reports.h"

#include <string>
#include <vector>

#include "minimize/profile_point_link.h"
#include "minimize/minimisation_log.h"
#include "minimize/simplex_report_lines.h"
#include "minimize/simplex_state.h"
#include "minimize/simplex_status.h"
#include "minimize/simplex_window.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

std::string AdjustedParameters(const Session& session) {
  return "found at these " + PlainNumberText(session.Free.FreeCount) + " adjusted parameter values:";
}

}  // namespace

void ReportInitialSimplex(Session& session) {
  const SimplexState& s = session.Simplex;
  const AlgorithmData& data = session.Algorithm;
  SetSimplexPanel(session, 1, "");
  session.ui().PumpEvents();

  // The log's values take the scientific picture, and so does the window's
  // line when the log was written first.
  std::string picture = "####0.#####";
  const auto valuesLine = [&] {
    return "Initial Simplex: Starting function value> " + FormatPicture(s.VertexValue[1], picture) +
           " Max> " + FormatPicture(s.VertexValue[s.Worst], picture) + " Min> " +
           FormatPicture(s.VertexValue[s.Best], picture);
  };
  if (data.FileFrequency != 0) {
    picture = "0.0000000E+00";
    std::vector<std::string> lines = {"", "", "Initial parameter values:", ""};
    Append(lines, SimplexLogParameterGroups(session, 1));
    lines.push_back(valuesLine());
    AppendMinimisationLog(session, lines);
  }
  if (data.TerminalFrequency != 0) {
    session.SimplexView().form().SetText(
        SimplexWindow::kInitialPane, "\r\n" + valuesLine() + "\r\n\r\nInitial parameter values:\r\n\r\n" +
                                         SimplexParameterLines(session, 1));
  }
}

void ShowSimplexProgress(Session& session, double fBest, double fWorst,
                         const ProfilePointLink* profile) {
  const SimplexState& s = session.Simplex;
  const AlgorithmData& data = session.Algorithm;
  std::string text = "\r\nNote: " + SimplexRunCounts(session) + "\r\n\r\n" +
                     SimplexSpreadLine(session, fBest, fWorst) + "\r\n\r\n";
  if (data.TerminalFrequency == 1) text += SimplexImprovedLine(session) + "\r\n\r\n";
  text += "Current minimum " + AdjustedParameters(session) + "\r\n\r\n" +
          SimplexParameterLines(session, s.Best) + "\r\n";
  session.SimplexView().form().SetText(SimplexWindow::kPane, text);

  if (session.State.ProfileMode) {
    const int point = profile ? profile->CurrentPoint() : 0;
    const int points = profile ? profile->PointCount() : 0;
    std::string panel = "Calculating profile point " + FormatPicture(point, "##0") + " of " +
                        FormatPicture(points, "##0") + ",";
    const int profiled = session.State.ProfiledParameter;
    if (session.Free.FreeCount != 0 && profiled >= 1 && profiled <= data.Values.size()) {
      panel += " Value of parameter # " + PlainNumberText(profiled) +
               " which is being profiled is: " + FormatPicture(data.Values[profiled], "0.00000E+00");
    }
    SetSimplexPanel(session, 1, panel);
    session.ui().PumpEvents();
  }
}

void WriteSimplexProgress(Session& session, double fBest, double fWorst) {
  const AlgorithmData& data = session.Algorithm;
  std::vector<std::string> lines = {"", "Note: " + SimplexRunCounts(session)};
  if (data.FileFrequency == 1) lines.push_back(SimplexImprovedLine(session));
  lines.push_back("");
  lines.push_back("Current minimum " + AdjustedParameters(session) + " ");
  lines.push_back("");
  Append(lines, SimplexLogParameterGroups(session, session.Simplex.Best));
  lines.push_back(SimplexSpreadLine(session, fBest, fWorst));
  lines.push_back("");
  AppendMinimisationLog(session, lines);
}

void ReportSimplexMinimum(Session& session) {
  const SimplexState& s = session.Simplex;
  const std::string minimum =
      "Minimum of " + FormatPicture(s.VertexValue[s.Best], "####0.#####") + " " +
      AdjustedParameters(session);
  const std::string required = "This result required " + SimplexRunCounts(session);
  session.SimplexView().form().SetText(
      SimplexWindow::kPane, "\r\n" + minimum + "\r\n\r\n" + SimplexParameterLines(session, s.Best) +
                                "\r\n" + required + "\r\n");
  if (session.Algorithm.FileFrequency != 0) {
    std::vector<std::string> lines = {"", "", minimum, ""};
    Append(lines, SimplexLogParameterGroups(session, s.Best));
    lines.push_back(required);
    lines.push_back("");
    AppendMinimisationLog(session, lines);
  }
}

}  // namespace quorvane
