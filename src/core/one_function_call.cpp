#include "core/one_function_call.h"

#include <chrono>
#include <cmath>

#include "core/evaluate_objective.h"
#include "core/number_field.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "app/session.h"

namespace quorvane {

double RoundToHundredths(double seconds) { return std::floor(seconds * 100.0 + 0.5) / 100.0; }

OneFunctionCallWindow::OneFunctionCallWindow(Session& session)
    : session_(session), form_("frmOneFunction", "One function call") {
  Control& pane = form_.Add(ControlKind::TextPane, "rtbOneFunction");
  pane.readOnly = false;  // the user may edit the report text
  form_.onClosed = [this] {
    form_.SetText("rtbOneFunction", "");
    session_.ShowMainMenu();
  };
  session_.RegisterResultWindow(form_);
  Clock = [] {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
  };
}

void OneFunctionCallWindow::OneFunctionCall() {
  Ui& ui = session_.ui();
  ui.ShowForm(form_);
  ui.SetStatusPanel(5, 1, "One moment please...");
  ui.PumpEvents();
  const double start = Clock();
  const double F = EvaluateObjective(session_, session_.Algorithm.Values, 1, true);
  const double seconds = RoundToHundredths(Clock() - start);
  ui.PumpEvents();
  form_.SetText("rtbOneFunction", Report(F, seconds));
  if (session_.State.PriorsActive && session_.ReviewPriors) session_.ReviewPriors();
  ui.SetStatusPanel(5, 1, "");
}

std::string OneFunctionCallWindow::Report(double F, double seconds) const {
  const AlgorithmData& data = session_.Algorithm;
  std::string text = "\r\nCurrent minimum of " + FormatPicture(F, "####0.#####") +
                     " found at the following parameter values: \r\n\r\n";
  for (int i = 1; i <= data.ParameterCount; ++i) {
    const std::string description = i <= data.Descriptions.size() ? data.Descriptions[i] : "";
    text += FormatPicture(i, "    000) ") +
            FitNumberField(FormatPicture(data.Values[i], "0.0000000E+00"), 14) + " " +
            RightJustify(data.FuseCodes[i], 3) + "  " + description + "\r\n";
  }
  text += "\r\nNote: One function call requires about " + PlainNumberText(seconds) +
          " seconds\r\n";
  return text;
}

}  // namespace quorvane
