#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/ui/figure.h"
#include "base/ui/grid_model.h"
#include "base/ui/surface.h"

namespace quorvane {

enum class ControlKind {
  Label,
  Button,
  TextPane,
  TextBox,
  ComboBox,
  ListBox,
  CheckBox,
  OptionButton,
  Grid,
  Surface,
};

// The lower-case word the console uses for a control kind ("button").
const char* ControlKindName(ControlKind kind);

// One control of a form. Its fields are read freely; they change only through
// the Form, which notifies the front end of every change.
struct Control {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string caption;
  std::string toolTip;
  bool enabled = true;
  bool visible = true;
  bool readOnly = false;  // text panes and text boxes the user cannot type into

  std::string text;     // text box, text pane, and the edit text of a combo box
  bool checked = false; // check box, option button
  std::string group;    // option buttons of one group exclude each other
  std::vector<std::string> items;  // combo box, list box
  int selectedIndex = -1;          // combo box, list box; -1 for none

  GridModel grid;
  Surface surface;  // what the window shows
  Figure figure;    // what a saved picture of the surface shows

  // Handlers, set by the form's own logic.
  std::function<void()> onClick;      // button press, check, option choice, list selection
  std::function<void()> onChange;     // text edited or combo selection changed
  std::function<void()> onLostFocus;  // the user left a text box
  std::function<void()> onCancel;     // the user pressed Escape in a text box
  std::function<void(int row, int col)> onDoubleClick;  // grid cell or header
};

// The figure a saved picture of a surface control shows: the one its window
// set, or else the drawing the window shows, alone.
Figure SavedFigure(const Control& surface);

}  // namespace quorvane
