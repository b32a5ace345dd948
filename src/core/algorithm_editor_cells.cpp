// The editor's grid: showing the parameter set and editing single cells.
#include <cmath>

#include "core/algorithm_editor.h"
#include "core/fuse_code.h"
#include "core/number_entry.h"
#include "core/parameter_set_edited.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "app/session.h"

namespace quorvane {

namespace {

// Values and steps that differ by less than this count as unchanged.
constexpr double kChangeThreshold = 1e-10;

std::string GridNumber(double value) {
  return value != 0.0 ? FormatPicture(value, "0.0000E+00") : "0";
}

// The whole period a value stands for, as the model reads a start period.
std::int64_t PeriodOf(double value) {
  return std::isfinite(value) ? static_cast<std::int64_t>(std::floor(value + 1e-6)) : 0;
}

}  // namespace

void AlgorithmEditor::FillGrid() {
  const AlgorithmData& data = session_.Algorithm;
  const int n = data.ParameterCount;
  form_.SetGridSize("grdVS", n + 1, 5);
  const char* headers[] = {"Parameter", "Value", "Step", "Fuse",
                           "Parameter description [null value; valid values]"};
  const int widths[] = {10, 12, 12, 6, 60};
  for (int column = 0; column < 5; ++column) {
    form_.SetCell("grdVS", 0, column, headers[column]);
    form_.SetColumnWidth("grdVS", column, widths[column]);
  }
  for (int i = 1; i <= n; ++i) {
    form_.SetCell("grdVS", i, kParameterColumn, PlainNumberText(i));
    for (int column : {kValueColumn, kStepColumn, kFuseColumn}) ShowCell(i, column);
    form_.SetCell("grdVS", i, kDescriptionColumn,
                  i <= data.Descriptions.size() ? data.Descriptions[i] : "");
    form_.SetCellColor("grdVS", i, kDescriptionColumn, kEditorBlue);
  }
  form_.SetCurrentCell("grdVS", 0, 0);
}

// A parameter's value, step or fuse cell as the data hold it, in its colour;
// empty when the column's restriction switch is on.
void AlgorithmEditor::ShowCell(int i, int column) {
  if (Restricted(column)) {
    form_.SetCell("grdVS", i, column, "");
    form_.SetCellColor("grdVS", i, column, -1);
    return;
  }
  const AlgorithmData& data = session_.Algorithm;
  const Changed& changed = changed_[static_cast<std::size_t>(i - 1)];
  std::string text;
  bool red = false, blue = false;
  if (column == kValueColumn) {
    const PeriodCalendar calendar = ValueCalendar(i);
    text = calendar.IsDated() ? calendar.Label(PeriodOf(data.Values[i])) : GridNumber(data.Values[i]);
    red = changed.value;
    blue = data.Values[i] != 0.0;
  } else if (column == kStepColumn) {
    text = GridNumber(data.Steps[i]);
    red = changed.step;
    blue = data.Steps[i] != 0.0;
  } else {
    text = data.FuseCodes[i];
    red = changed.fuse;
    blue = text != kUnfused;
  }
  form_.SetCell("grdVS", i, column, text);
  form_.SetCellColor("grdVS", i, column, red ? kEditorRed : blue ? kEditorBlue : kEditorBlack);
}

// The entry being asked for: green, and the grid's current cell (which the
// front end keeps in view).
void AlgorithmEditor::Highlight(int i, int column) {
  form_.SetCurrentCell("grdVS", i, column);
  form_.SetCellColor("grdVS", i, column, kEditorGreen);
}

void AlgorithmEditor::OnGridDoubleClick(int row, int column) {
  // A double-click elsewhere takes the focus from an open edit box.
  if (edit_row_) CommitCellEdit();
  if (column < kValueColumn || column > kFuseColumn || Restricted(column)) return;
  if (row == 0) {
    if (column == kValueColumn) OpenEditAll();
    if (column == kStepColumn) StepPass();
    if (column == kFuseColumn) FusePass();
    return;
  }
  BeginCellEdit(row, column);
}

// The edit box opens with the entry selected and the focus in it, and its
// caption names the parameter and the column it edits.
void AlgorithmEditor::BeginCellEdit(int i, int column) {
  const AlgorithmData& data = session_.Algorithm;
  edit_row_ = i;
  edit_column_ = column;
  edit_shown_ = column == kValueColumn  ? ValueText(i)
                : column == kStepColumn ? PlainNumberText(data.Steps[i])
                                        : data.FuseCodes[i];
  const char* what = column == kValueColumn  ? "Value"
                     : column == kStepColumn ? "Step"
                                             : "Fuse code";
  Highlight(i, column);
  form_.SetCaption("txtCell", std::string(what) + " of parameter #" + PlainNumberText(i) + ":");
  form_.SetText("txtCell", edit_shown_);
  form_.SetVisible("txtCell", true);
  form_.SetFocus("txtCell");
}

// Leaving the box (or Return) applies its entry. An entry left as the box
// showed it is no edit at all: the value, its step and the stored simplex
// stay as they were.
void AlgorithmEditor::CommitCellEdit() {
  const int i = edit_row_;
  const int column = edit_column_;
  if (i == 0) return;
  edit_row_ = edit_column_ = 0;
  form_.SetVisible("txtCell", false);
  const std::string entry = form_.Text("txtCell");
  if (entry != edit_shown_) {
    MarkParameterSetEdited(session_);
    if (column == kValueColumn) SetValueFromCell(i, entry);
    if (column == kStepColumn) SetStepFromCell(i, entry);
    if (column == kFuseColumn) SetFuseFromCell(i, entry);
  }
  ShowCell(i, column);
}

// Escape closes the box and leaves the entry as it was.
void AlgorithmEditor::CancelCellEdit() {
  const int i = edit_row_;
  const int column = edit_column_;
  if (i == 0) return;
  edit_row_ = edit_column_ = 0;
  form_.SetVisible("txtCell", false);
  ShowCell(i, column);
}

// A value typed into its cell also sets the parameter's step at once to
// |value x StepProportion|, or |StepProportion| for a value of 0; so editing
// a fixed parameter's value makes it free.
void AlgorithmEditor::SetValueFromCell(int i, const std::string& entry) {
  // A period typed as a date: it is no estimate, so its step stays.
  if (const PeriodCalendar calendar = ValueCalendar(i); calendar.IsDated()) {
    const std::optional<std::int64_t> period = calendar.Period(entry);
    if (!period) {
      if (!TrimBlanks(entry).empty())
        TellEntryIgnored(NotAPeriodText(i, entry) + ", so the value of parameter #" + PlainNumberText(i) +
                         " is unchanged");
      return;
    }
    AlgorithmData& data = session_.Algorithm;
    if (static_cast<double>(*period) != data.Values[i]) changed_[static_cast<std::size_t>(i - 1)].value = true;
    data.Values[i] = static_cast<double>(*period);
    return;
  }
  const auto number = ParseNumber(entry);
  if (!number) {
    if (!TrimBlanks(entry).empty())
      TellEntryIgnored(NotANumberText(entry) + ", so the value of parameter #" +
                       PlainNumberText(i) + " is unchanged");
    return;
  }
  const double value = *number;
  const double step =
      value != 0.0 ? std::fabs(value * StepProportion) : std::fabs(StepProportion);
  if (!std::isfinite(step)) {
    TellEntryIgnored("The value " + PlainNumberText(value) + " times the step size proportion " +
                     PlainNumberText(StepProportion) +
                     " gives a step size beyond the range of numbers, so parameter #" +
                     PlainNumberText(i) + " is unchanged");
    return;
  }
  AlgorithmData& data = session_.Algorithm;
  Changed& changed = changed_[static_cast<std::size_t>(i - 1)];
  if (std::fabs(value - data.Values[i]) >= kChangeThreshold) changed.value = true;
  data.Values[i] = value;
  if (std::fabs(step - data.Steps[i]) >= kChangeThreshold) changed.step = true;
  data.Steps[i] = step;
  ShowCell(i, kStepColumn);
}

void AlgorithmEditor::SetStepFromCell(int i, const std::string& entry) {
  const auto number = ParseNumber(entry);
  if (!number) {
    if (!TrimBlanks(entry).empty())
      TellEntryIgnored(NotANumberText(entry) + ", so the step size of parameter #" +
                       PlainNumberText(i) + " is unchanged");
    return;
  }
  AlgorithmData& data = session_.Algorithm;
  if (*number != data.Steps[i]) changed_[static_cast<std::size_t>(i - 1)].step = true;
  data.Steps[i] = *number;
}

void AlgorithmEditor::SetFuseFromCell(int i, const std::string& entry) {
  const auto code = FuseCodeFromCellEntry(entry);
  AlgorithmData& data = session_.Algorithm;
  if (!code || *code == data.FuseCodes[i]) return;
  data.FuseCodes[i] = *code;
  changed_[static_cast<std::size_t>(i - 1)].fuse = true;
}

void AlgorithmEditor::TellEntryIgnored(const std::string& why) {
  session_.ui().ShowMessage(why, "Entry ignored", Icon::Information);
}

PeriodCalendar AlgorithmEditor::ValueCalendar(int i) const {
  const Model* model = session_.model();
  return model ? model->ParameterCalendar(i) : PeriodCalendar();
}

std::string AlgorithmEditor::ValueText(int i) const {
  const PeriodCalendar calendar = ValueCalendar(i);
  const double value = session_.Algorithm.Values[i];
  return calendar.IsDated() ? calendar.Label(PeriodOf(value)) : PlainNumberText(value);
}

std::string AlgorithmEditor::NotAPeriodText(int i, const std::string& entry) const {
  const PeriodCalendar calendar = ValueCalendar(i);
  return "\"" + std::string(TrimBlanks(entry)) + "\" is not a period of the series, which are " +
         calendar.Describe() + ": type " + calendar.FormHint();
}

}  // namespace quorvane
