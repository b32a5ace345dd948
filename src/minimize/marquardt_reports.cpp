#include "minimize/marquardt_reports.h"

#include "minimize/minimisation_log.h"
#include "minimize/limit_note.h"

#include <string>

#include "minimize/profile_point_link.h"
#include "minimize/marquardt_state.h"
#include "minimize/marquardt_tolerance.h"
#include "minimize/marquardt_window.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kMinPicture = "####0.#####     ";

std::string CallsNote(const Session& session, const MarquardtState& state) {
  return PlainNumberText(state.Iterations) + " iterations and " +
         PlainNumberText(session.FunctionCallCount) + " function calls";
}

std::string MinimaLine(const Session& session, double fNew, double fOld) {
  const TerminationCriterion tc =
      MarquardtTerminationCriterion(session.Algorithm.Tolerance, fNew, fOld);
  return "Current Min> " + FormatPicture(fNew, kMinPicture) + " Last Min> " +
         FormatPicture(fOld, kMinPicture) + tc.label + FormatPicture(tc.value, "0.0000E+00");
}

// The derivative display belongs to the window reports outside a profile,
// while the user has not interrupted.
bool DisplaysDerivatives(Session& session) {
  const MarquardtWindow& window = session.MarquardtView();
  return window.ShowDerivatives && !session.State.ProfileMode && !window.Interrupt;
}

void ProfileStatus(Session& session, const ProfilePointLink& profile) {
  std::string text = "Calculating profile point " + FormatPicture(profile.CurrentPoint(), "##0") + " of " +
                     FormatPicture(profile.PointCount(), "##0") + ",";
  const int parameter = session.State.ProfiledParameter;
  if (session.Free.FreeCount != 0 && parameter >= 1 &&
      parameter <= session.Algorithm.Values.size())
    text += " Value of parameter # " + PlainNumberText(parameter) +
            " which is being profiled is: " +
            FormatPicture(session.Algorithm.Values[parameter], "0.0000E+00");
  session.ui().SetStatusPanel(5, 1, text);
  session.ui().PumpEvents();
}

}  // namespace

void ShowMarquardtProgress(Session& session, MarquardtState& state, double fNew, double fOld,
                           const ProfilePointLink* profile) {
  Ui& ui = session.ui();
  MarquardtWindow& window = session.MarquardtView();
  Form& form = window.form();
  ui.SetStatusPanel(5, 1, "");
  ui.SetStatusPanel(5, 3, "");
  std::string text = std::string(kCrLf) + "Note: " + CallsNote(session, state) + kCrLf + kCrLf;
  text += MinimaLine(session, fNew, fOld) + kCrLf + kCrLf;
  text += "Current minimum found at these " + PlainNumberText(session.Free.FreeCount) +
          " adjusted parameter values: " + kCrLf + kCrLf + MarquardtParameterLines(session) +
          kCrLf;
  if (!DisplaysDerivatives(session)) {
    window.ShowPauseButtons(false);
    form.SetText(MarquardtWindow::kPane, text);
  } else {
    window.ResumeRequested = false;
    window.ShowPauseButtons(true);
    text += MarquardtDerivativeDisplay(session, state);
    form.SetText(MarquardtWindow::kPane, text);
    ui.SetStatusPanel(5, 1, "");
    ui.WaitUntil([&window] { return window.ResumeRequested; },
                 "\"Next iteration\" or \"Continue\" on the window " + form.Caption() + " (" +
                     form.Name() + ")");
  }
  if (session.State.ProfileMode && profile) ProfileStatus(session, *profile);
}

void WriteMarquardtProgress(Session& session, MarquardtState& state, double fNew, double fOld) {
  std::vector<std::string> lines = {"", "Note: " + CallsNote(session, state), "",
                                    "Current minimum found at these " +
                                        PlainNumberText(session.Free.FreeCount) +
                                        " adjusted parameter values: ",
                                    ""};
  for (std::string& line : MarquardtParameterGroupLines(session)) lines.push_back(std::move(line));
  lines.push_back(MinimaLine(session, fNew, fOld));
  lines.push_back("");
  AppendMinimisationLog(session, lines);
}

void ShowMarquardtResult(Session& session, MarquardtState& state, double f) {
  Ui& ui = session.ui();
  MarquardtWindow& window = session.MarquardtView();
  ui.SetStatusPanel(5, 1, "");
  ui.SetStatusPanel(5, 3, "");
  std::string text = std::string(kCrLf) + "Minimum of " + FormatPicture(f, "####0.#####") +
                     " found at these " + PlainNumberText(session.Free.FreeCount) +
                     " adjusted parameter values:" + kCrLf + kCrLf +
                     MarquardtParameterLines(session) + kCrLf + "This result required " +
                     CallsNote(session, state) + kCrLf;
  if (DisplaysDerivatives(session)) text += MarquardtDerivativeDisplay(session, state);
  window.form().SetText(MarquardtWindow::kPane, text);
  ui.SetStatusPanel(5, 1, "");
  window.ResumeRequested = true;
  window.ShowDerivatives = false;
  window.ShowPauseButtons(false);
  std::string message = "Minimum found using Marquardt!";
  if (session.model()) {
    if (const std::string note = LimitNoteText(*session.model(), state.X); !note.empty()) {
      window.form().SetText(MarquardtWindow::kPane, text + kCrLf + note + kCrLf);
      message += std::string(kCrLf) + kCrLf + note;
    }
  }
  ui.ShowMessage(message, "Marquardt minimum", Icon::Information);
  window.Interrupt = false;
  ui.SetStatusPanel(5, 2, "");
  if (session.State.PriorsActive && session.ReviewPriors) session.ReviewPriors();
}

void WriteMarquardtResult(Session& session, MarquardtState& state, double f) {
  std::vector<std::string> lines = {"Minimum of " + FormatPicture(f, "####0.#####") +
                                        " found at these " +
                                        PlainNumberText(session.Free.FreeCount) +
                                        " adjusted parameter values:",
                                    ""};
  for (std::string& line : MarquardtParameterGroupLines(session)) lines.push_back(std::move(line));
  lines.push_back("after " + CallsNote(session, state));
  lines.push_back("");
  AppendMinimisationLog(session, lines);
}

}  // namespace quorvane
