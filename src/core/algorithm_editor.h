#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/calendar/period_calendar.h"
#include "base/ui/form.h"

namespace quorvane {

class Session;

// Palette codes of the editor grid: non-zero entries, codes other than "~~"
// and descriptions in blue, zeros and "~~" in black, the entry being asked
// for in green, entries changed since the editor opened in red.
inline constexpr int kEditorBlack = 0;
inline constexpr int kEditorBlue = 9;
inline constexpr int kEditorGreen = 10;
inline constexpr int kEditorRed = 12;

// The algorithm data editor: values, step sizes and fuse codes in the grid
// grdVS, the minimisation options in boxes, and the log file. It works on
// the session's algorithm data in place; there is no undo.
//
// A cell is edited by double-clicking it: the edit box txtCell shows the
// entry and takes the focus, and the entry is applied when the box loses
// the focus or Return is pressed (or when another cell is double-clicked,
// or editing finishes); Escape closes it without a change. Double-clicking a
// column heading edits the whole column. The EditorRestrictions switches in
// the session's state hide areas of the editor; the caller sets them, and
// its opening flag, before Open.
class AlgorithmEditor {
 public:
  explicit AlgorithmEditor(Session& session);

  Form& form() { return form_; }
  // The "Edit all parameters" window.
  Form& EditAllForm() { return edit_all_; }

  // OpenAlgorithmEditor: builds the fuse groups and the free list, closes
  // the main menu, fills the window and shows it.
  void Open();
  // Closing ("&Finish editing", its menu item or the close box): rebuilds
  // the fuse groups and the free list, tells the user, closes the window,
  // sets EditorClosed and returns to the window that opened the editor.
  void Finish();

  // The fraction of a parameter's value used for proportional step sizes;
  // 0 until the editor first opens, then never 0.
  double StepProportion = 0.0;

  // Shows the ranking window again when the editor was opened from it.
  std::function<void()> onReturnToRanking;

 private:
  enum Column { kParameterColumn = 0, kValueColumn = 1, kStepColumn = 2, kFuseColumn = 3,
                kDescriptionColumn = 4 };
  struct Changed {
    bool value = false, step = false, fuse = false;
  };

  // algorithm_editor.cpp: the window, opening and closing.
  void Build();
  void BuildMenus();
  void BuildEditAll();
  void Refresh();
  bool Restricted(int area) const;

  // algorithm_editor_cells.cpp: the grid and single-cell edits.
  void FillGrid();
  void ShowCell(int i, int column);
  void Highlight(int i, int column);
  void OnGridDoubleClick(int row, int column);
  void BeginCellEdit(int i, int column);
  void CommitCellEdit();
  void CancelCellEdit();
  void SetValueFromCell(int i, const std::string& entry);
  void SetStepFromCell(int i, const std::string& entry);
  void SetFuseFromCell(int i, const std::string& entry);
  // Tells the user why an entry changed nothing: it is not a number, or it
  // would make a value or step size that is not a finite number.
  void TellEntryIgnored(const std::string& why);
  // Parameter i's value as the model names it: a date for a period of dated
  // series (ValueCalendar), a plain number otherwise.
  PeriodCalendar ValueCalendar(int i) const;
  std::string ValueText(int i) const;
  // Why `entry` is no period for parameter i, whose value is a date.
  std::string NotAPeriodText(int i, const std::string& entry) const;

  // algorithm_editor_passes.cpp: column passes and "Edit all parameters".
  void StepPass();
  void FusePass();
  void ValuePass(const std::string& title, bool proportionalSteps, bool freeOnly);
  // Asks for StepProportion; false when the answer was empty.
  bool AskStepProportion();
  void ChangeStepProportionFromMenu();
  void UnfuseAll();
  void OpenEditAll();
  void CloseEditAll();

  // algorithm_editor_options.cpp: minimisation options and the log frame.
  void FillOptions();
  void FillLogFrame();
  void ShowTolerance();
  void ChangeTolerance();
  void ApplyWholeBox(const std::string& box, const std::string& title,
                     const std::string& refusal, long long highest,
                     const std::function<void(long long)>& store);
  void ApplyReduction();
  void ShowOptionBox(const std::string& box, const std::string& text);

  Session& session_;
  Form form_;
  Form edit_all_;
  std::vector<Changed> changed_;  // per parameter, index i - 1
  int edit_row_ = 0;              // the parameter whose cell is in the edit box, 0 for none
  int edit_column_ = 0;
  std::string edit_shown_;        // what the edit box showed when it opened
  std::map<std::string, std::string> option_shown_;  // what each option box shows from the data
};

}  // namespace quorvane
