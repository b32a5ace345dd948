// The editor's whole-column edits and the "Edit all parameters" window.
#include <cmath>

#include "core/algorithm_editor.h"
#include "core/fuse_code.h"
#include "core/number_entry.h"
#include "core/parameter_set_edited.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr double kChangeThreshold = 1e-10;

}  // namespace

void AlgorithmEditor::BuildEditAll() {
  edit_all_.Add(ControlKind::Label, "lblNote",
                "Note: If a parameter value is set to zero then the step size is set at the "
                "chosen proportionality constant");
  // Each button closes this window before it acts.
  auto button = [this](const char* name, const char* caption, std::function<void()> action) {
    edit_all_.Add(ControlKind::Button, name, caption).onClick = [this, action] {
      CloseEditAll();
      action();
    };
  };
  button("cmdUnfuseAll", "Unfuse all values", [this] { UnfuseAll(); });
  button("cmdProportion", "Change only the step size &proportionality constant", [this] {
    MarkParameterSetEdited(session_);
    AskStepProportion();
  });
  button("cmdValuesOnly", "Change all values but &not their step sizes",
         [this] { ValuePass("Edit a parameter value", false, false); });
  button("cmdAllValues", "Change &all values and step sizes (proportionately)", [this] {
    MarkParameterSetEdited(session_);
    AskStepProportion();
    ValuePass("Edit all parameter values", true, false);
  });
  button("cmdFreeValues", "Change &free values and step sizes (proportionately)", [this] {
    MarkParameterSetEdited(session_);
    AskStepProportion();
    ValuePass("Edit free parameter values", true, true);
  });
  // However it closes, the editor can be used again.
  edit_all_.onClosed = [this] { form_.SetEnabled(true); };
}

void AlgorithmEditor::OpenEditAll() {
  form_.SetEnabled(false);
  session_.ui().ShowForm(edit_all_);
}

void AlgorithmEditor::CloseEditAll() {
  if (edit_all_.IsOpen()) session_.ui().CloseForm(edit_all_);
  form_.SetEnabled(true);
}

bool AlgorithmEditor::AskStepProportion() {
  while (true) {
    const std::string answer = session_.ui().AskValue(
        "Enter step size as a fraction of parameter values.\r\nA proportion of 0 will default to 0.1",
        "Change proportionality constant", PlainNumberText(StepProportion));
    if (answer.empty()) return false;
    if (const auto number = ParseNumber(answer)) {
      StepProportion = *number != 0.0 ? *number : 0.1;
      return true;
    }
    TellEntryIgnored(NotANumberText(answer) + "; please enter a proportion");
  }
}

// The menu's version of the question: there an empty answer closes the editor.
void AlgorithmEditor::ChangeStepProportionFromMenu() {
  if (!AskStepProportion()) Finish();
}

void AlgorithmEditor::StepPass() {
  MarkParameterSetEdited(session_);
  AlgorithmData& data = session_.Algorithm;
  for (int i = 1; i <= data.ParameterCount; ++i) {
    Highlight(i, kStepColumn);
    while (true) {
      const std::string answer =
          session_.ui().AskValue("Enter new step size for parameter #" + PlainNumberText(i),
                                 "Edit all step sizes", PlainNumberText(data.Steps[i]));
      if (answer.empty()) {
        ShowCell(i, kStepColumn);
        return;
      }
      const auto number = ParseNumber(answer);
      if (!number) {
        TellEntryIgnored(NotANumberText(answer) + "; please enter the step size of parameter #" +
                         PlainNumberText(i));
        continue;
      }
      if (std::fabs(*number - data.Steps[i]) >= kChangeThreshold) {
        data.Steps[i] = *number;
        changed_[static_cast<std::size_t>(i - 1)].step = true;
      }
      break;
    }
    ShowCell(i, kStepColumn);
  }
}

void AlgorithmEditor::FusePass() {
  MarkParameterSetEdited(session_);
  AlgorithmData& data = session_.Algorithm;
  for (int i = 1; i <= data.ParameterCount; ++i) {
    Highlight(i, kFuseColumn);
    while (true) {
      const std::string answer = session_.ui().AskValue(
          "Enter new alphabetical fuse character(s) (e.g., A,B,AA,AB,...) or the null character "
          "[~~, unfused] for parameter #" +
              PlainNumberText(i),
          "Edit all parameter fuse characters", data.FuseCodes[i]);
      if (answer.empty()) {
        ShowCell(i, kFuseColumn);
        return;
      }
      const auto code = FuseCodeFromPassAnswer(answer);
      if (!code) continue;
      if (*code != data.FuseCodes[i]) {
        data.FuseCodes[i] = *code;
        changed_[static_cast<std::size_t>(i - 1)].fuse = true;
      }
      break;
    }
    ShowCell(i, kFuseColumn);
  }
}

// A pass over the values. With proportional steps every answered parameter
// (changed or not) gets the step value x StepProportion, or StepProportion
// for a value of 0; unlike a cell edit this keeps the value's sign.
void AlgorithmEditor::ValuePass(const std::string& title, bool proportionalSteps, bool freeOnly) {
  MarkParameterSetEdited(session_);
  AlgorithmData& data = session_.Algorithm;
  const auto proportionalStep = [this](double value) {
    return value != 0.0 ? value * StepProportion : StepProportion;
  };
  for (int i = 1; i <= data.ParameterCount; ++i) {
    if (freeOnly && data.Steps[i] == 0.0) continue;
    Changed& changed = changed_[static_cast<std::size_t>(i - 1)];
    Highlight(i, kValueColumn);
    // A period of dated series is typed as a date and keeps its step.
    const PeriodCalendar calendar = ValueCalendar(i);
    while (true) {
      const std::string answer = session_.ui().AskValue(
          "Enter the new value of parameter #" + PlainNumberText(i), title, ValueText(i));
      if (answer.empty()) {
        ShowCell(i, kValueColumn);
        return;
      }
      if (calendar.IsDated()) {
        const std::optional<std::int64_t> period = calendar.Period(answer);
        if (!period) {
          TellEntryIgnored(NotAPeriodText(i, answer) + "; please enter the value of parameter #" +
                           PlainNumberText(i));
          continue;
        }
        if (static_cast<double>(*period) != data.Values[i]) {
          data.Values[i] = static_cast<double>(*period);
          changed.value = true;
        }
        break;
      }
      const auto number = ParseNumber(answer);
      if (!number) {
        TellEntryIgnored(NotANumberText(answer) + "; please enter the value of parameter #" +
                         PlainNumberText(i));
        continue;
      }
      const double value = std::fabs(*number - data.Values[i]) >= kChangeThreshold ? *number
                                                                                   : data.Values[i];
      if (proportionalSteps && !std::isfinite(proportionalStep(value))) {
        TellEntryIgnored("The value " + PlainNumberText(value) + " times the step size proportion " +
                         PlainNumberText(StepProportion) +
                         " gives a step size beyond the range of numbers; please enter another "
                         "value of parameter #" +
                         PlainNumberText(i));
        continue;
      }
      if (value != data.Values[i]) {
        data.Values[i] = value;
        changed.value = true;
      }
      break;
    }
    if (proportionalSteps && !calendar.IsDated()) {
      const double step = proportionalStep(data.Values[i]);
      if (std::fabs(step - data.Steps[i]) >= kChangeThreshold) changed.step = true;
      data.Steps[i] = step;
      ShowCell(i, kStepColumn);
    }
    ShowCell(i, kValueColumn);
  }
}

// Former fused members keep their step 0 until the user gives them one.
void AlgorithmEditor::UnfuseAll() {
  MarkParameterSetEdited(session_);
  AlgorithmData& data = session_.Algorithm;
  for (int i = 1; i <= data.ParameterCount; ++i) {
    if (data.FuseCodes[i] == kUnfused) continue;
    data.FuseCodes[i] = kUnfused;
    changed_[static_cast<std::size_t>(i - 1)].fuse = true;
    ShowCell(i, kFuseColumn);
  }
}

}  // namespace quorvane
