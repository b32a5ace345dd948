// The editor's minimisation options and its log frame.
#include <cmath>

#include "core/algorithm_data.h"
#include "core/algorithm_editor.h"
#include "core/number_entry.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

// Restriction switch of each option area.
constexpr int kToleranceArea = 4;
constexpr int kMaxFunctionsArea = 5;
constexpr int kTerminalArea = 6;
constexpr int kLogBoxesArea = 7;
constexpr int kLogButtonsArea = 8;
constexpr int kReductionArea = 9;

std::string ReductionText(double fraction) { return FormatPicture(fraction, "0.####"); }

}  // namespace

void AlgorithmEditor::ShowOptionBox(const std::string& box, const std::string& text) {
  option_shown_[box] = text;
  form_.SetText(box, text);
}

void AlgorithmEditor::FillOptions() {
  const AlgorithmData& data = session_.Algorithm;
  ShowTolerance();

  const bool maxOn = !Restricted(kMaxFunctionsArea);
  ShowOptionBox("txtMaxFunctions", maxOn ? PlainNumberText(data.MaxFunctionCalls) : "");
  for (const char* name : {"txtMaxFunctions", "lblSimplexMax", "lblMarquardtMax"})
    form_.SetEnabled(name, maxOn);

  const bool terminalOn = !Restricted(kTerminalArea);
  ShowOptionBox("txtTerminalFreq", terminalOn ? PlainNumberText(data.TerminalFrequency) : "");
  for (const char* name : {"txtTerminalFreq", "lblTerminalFreq"}) form_.SetEnabled(name, terminalOn);

  const bool reductionOn = !Restricted(kReductionArea);
  ShowOptionBox("txtReduction", reductionOn ? ReductionText(data.ReductionFraction) : "");
  for (const char* name : {"txtReduction", "lblReduction"}) form_.SetEnabled(name, reductionOn);
}

// The tolerance label names its type by the sign of Tolerance; the box shows
// its magnitude.
void AlgorithmEditor::ShowTolerance() {
  const double tolerance = session_.Algorithm.Tolerance;
  const bool on = !Restricted(kToleranceArea);
  form_.SetCaption("lblAbsRel", !on ? ""
                                : tolerance < 0 ? "Relative tolerance for convergence (TC):"
                                                : "Absolute tolerance for convergence (TC):");
  form_.SetCaption("txtAbsRel", on ? FormatPicture(std::fabs(tolerance), "0.000E+00") : "");
  form_.SetEnabled("lblAbsRel", on);
  form_.SetEnabled("txtAbsRel", on);
}

void AlgorithmEditor::FillLogFrame() {
  const AppState& state = session_.State;
  const AlgorithmData& data = session_.Algorithm;
  const bool open = session_.Log.IsOpen();

  const bool boxesOn = !Restricted(kLogBoxesArea);
  const bool showLog = boxesOn && open;
  ShowOptionBox("txtFileName", showLog ? session_.Log.Path() : "");
  ShowOptionBox("txtFileFreq", showLog ? PlainNumberText(data.FileFrequency) : boxesOn ? "0" : "");
  for (const char* name : {"txtFileName", "txtFileFreq", "lblFileName", "lblFileFreq"})
    form_.SetEnabled(name, showLog);

  const bool buttonsOn = !Restricted(kLogButtonsArea);
  form_.SetEnabled("cmdOpenLog", buttonsOn && !open);
  form_.SetEnabled("cmdCloseLog", buttonsOn && open);

  // Opened by the ranking window or the covariance analysis, the editor
  // leaves the log alone.
  if (state.EditorOpenedFromRanking || state.EditorOpenedFromCovariance)
    for (const char* name : {"txtFileName", "txtFileFreq", "lblFileName", "lblFileFreq",
                             "cmdOpenLog", "cmdCloseLog"})
      form_.SetEnabled(name, false);
}

// The tolerance dialogue: first whether to switch between absolute and
// relative, then the magnitude. An empty answer changes nothing, not even the
// type; an answer that is not a number neither.
void AlgorithmEditor::ChangeTolerance() {
  Ui& ui = session_.ui();
  const std::string title = "Change the tolerance for convergence";
  double& tolerance = session_.Algorithm.Tolerance;
  bool relative = tolerance < 0;
  const std::string question =
      std::string(relative ? "Current tolerance type is RELATIVE." : "Current tolerance type is ABSOLUTE.") +
      "\r\n\r\n" + (relative ? "Do you want to change to ABSOLUTE?" : "Do you want to change to RELATIVE?");
  if (ui.AskYesNo(question, title, Icon::Question) == Answer::Yes) relative = !relative;
  const double magnitude = std::fabs(tolerance);
  const std::string answer =
      ui.AskValue("Current tolerance is " + FormatPicture(magnitude, "0.0E+00") +
                      "  (Minimum allowed is 1E-06)",
                  title, PlainNumberText(magnitude));
  const auto number = ParseNumber(answer);
  if (!number) {
    if (!TrimBlanks(answer).empty())
      TellEntryIgnored(NotANumberText(answer) + ", so the tolerance is unchanged");
    return;
  }
  double entered = std::fabs(*number);
  if (relative && entered > 0) entered = -entered;
  tolerance = ApplyToleranceFloor(entered);
  ShowTolerance();
}

// A whole-number option box, applied when it loses the focus: a text that is
// not a number (or beyond the field's range) puts the stored setting back; a
// negative number is refused with a message; 0 or more is stored, rounded to
// the nearest whole number with halves to even.
void AlgorithmEditor::ApplyWholeBox(const std::string& box, const std::string& title,
                                    const std::string& refusal, long long highest,
                                    const std::function<void(long long)>& store) {
  const std::string shown = option_shown_[box];
  const std::string text = form_.Text(box);
  if (text == shown) return;
  const auto number = ParseNumber(text);
  if (!number && !TrimBlanks(text).empty())
    TellEntryIgnored(NotANumberText(text) + ", so the setting is unchanged");
  if (number && *number < 0) session_.ui().ShowMessage(refusal, title, Icon::Information);
  const auto whole = number && *number >= 0 ? RoundToWhole(*number, 0, highest) : std::nullopt;
  if (!whole) {
    ShowOptionBox(box, shown);
    return;
  }
  store(*whole);
  ShowOptionBox(box, PlainNumberText(*whole));
}

void AlgorithmEditor::ApplyReduction() {
  const std::string shown = option_shown_["txtReduction"];
  const std::string text = form_.Text("txtReduction");
  // The box shows the fraction to four decimals; leaving it unchanged keeps
  // the stored fraction rather than its rounded text.
  if (text == shown) return;
  const auto number = ParseNumber(text);
  if (!number && !TrimBlanks(text).empty())
    TellEntryIgnored(NotANumberText(text) + ", so the step size reduction fraction is unchanged");
  if (number && *number < 0)
    session_.ui().ShowMessage("Fraction must be positive", "Change the step size reduction fraction",
                              Icon::Information);
  if (!number || *number < 0) {
    ShowOptionBox("txtReduction", shown);
    return;
  }
  session_.Algorithm.ReductionFraction = *number;
  ShowOptionBox("txtReduction", ReductionText(*number));
}

}  // namespace quorvane
