#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/ui/control.h"
#include "base/ui/figure_options.h"
#include "base/ui/menu_item.h"

namespace quorvane {

// A user action a form cannot take: an unknown control, a disabled one, a
// control of the wrong kind or a cell outside the grid. Front ends report it
// to the user; it never changes the form.
class FormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What changed, for the front end that renders the form.
enum class FormProperty {
  Caption,
  ToolTip,
  Enabled,
  Visible,
  Text,
  Checked,
  Items,
  Selection,
  Grid,
  Surface,
  FormCaption,
  FormEnabled,
  Menu,
  Open,
  Focus,  // the logic asks for the keyboard focus on the control
};

// The layout tree: columns, rows and titled frames holding controls.
struct LayoutNode {
  enum class Kind { Column, Row, Frame, Control };
  Kind kind = Kind::Column;
  std::string title;    // Frame
  std::string control;  // Control: the control's name
  std::vector<LayoutNode> children;
};

class Form;

// One action of the user on a form, as the front ends report it through the
// form's user-side calls. `control` names the control, or the menu item of
// a Menu action.
struct UserAction {
  enum class Kind { Click, Edit, Leave, Check, Choose, Select, DoubleClick, Menu, Close, Save };
  Kind kind = Kind::Click;
  std::string control;
  std::string text;      // Edit: the whole text; Save: the picture's path
  FigureOptions figure;  // Save: the size, resolution and title line chosen
  int index = 0;         // Select
  int row = 0, col = 0;  // DoubleClick
  bool checked = false;  // Check
};

// Hears every user action on every form before its handler runs (once the
// form has found the action possible), and every form opening, closing and
// going away: what a recorder of sessions needs. One per process.
class FormListener {
 public:
  virtual ~FormListener() = default;
  virtual void UserActed(const Form& form, const UserAction& action) = 0;
  virtual void OpenChanged(const Form& form, bool open) = 0;
  virtual void Destroyed(const Form& form) = 0;
};

// A window as a view-model: caption, menu bar, controls in a layout tree and
// their handlers. It never knows which front end shows it. The window logic
// changes it through the Set* calls; front ends and tests act as the user
// through Click, Edit, Leave, SetCheckedByUser, Choose, Select, DoubleClick
// and ClickMenu, which run the handlers.
class Form {
 public:
  using Observer = std::function<void(const std::string& control, FormProperty property)>;

  Form(std::string name, std::string caption);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The listener of all forms, or null to stop listening.
  static void SetListener(FormListener* listener);

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Set by the front end (through Ui::ShowForm and CloseForm).
  bool IsOpen() const { return open_; }
  void MarkOpen(bool open);

  // Runs when the form has been closed, by the logic or by the user.
  std::function<void()> onClosed;
  // Asked when the user closes the window from its close box; false keeps it open.
  std::function<bool()> onQueryClose;
  // What an interrupt does to this form's calculation, as its Interrupt
  // button would; the calculation hands it to an InterruptScope while it
  // runs, through which the console's Ctrl+C reaches it.
  std::function<void()> onInterrupt;

  // Layout construction: controls are added to the innermost open container.
  Control& Add(ControlKind kind, const std::string& name, const std::string& caption = "");
  void BeginRow();
  void BeginColumn();
  void BeginFrame(const std::string& title);
  void End();
  const LayoutNode& Layout() const { return root_; }

  bool Has(const std::string& name) const;
  const Control& Get(const std::string& name) const;
  const std::vector<std::string>& ControlNames() const { return order_; }
  // Handlers are set directly on the control.
  Control& Handlers(const std::string& name);

  // Logic side: every change notifies the observer.
  void SetText(const std::string& name, std::string text);
  void SetCaption(const std::string& name, std::string caption);
  void SetToolTip(const std::string& name, std::string toolTip);
  void SetEnabled(const std::string& name, bool enabled);
  void SetVisible(const std::string& name, bool visible);
  void SetChecked(const std::string& name, bool checked);
  void SetItems(const std::string& name, std::vector<std::string> items);
  void SetSelectedIndex(const std::string& name, int index);
  void SetGridSize(const std::string& name, int rows, int cols);
  void SetCell(const std::string& name, int row, int col, std::string text);
  void SetCellColor(const std::string& name, int row, int col, int foreColor);
  void SetCurrentCell(const std::string& name, int row, int col);
  void SetColumnWidth(const std::string& name, int col, int width);
  // The drawing the surface shows, and the figure a saved picture of it
  // shows; without a figure the picture is the drawing alone.
  void SetSurface(const std::string& name, Surface surface, Figure figure = {});
  // Moves the keyboard focus to the control, as for a field the user is to
  // fill in next. Only the front end is told; the control does not change.
  void SetFocus(const std::string& name);

  const std::string& Text(const std::string& name) const { return Get(name).text; }
  bool Checked(const std::string& name) const { return Get(name).checked; }
  bool IsEnabled(const std::string& name) const { return Get(name).enabled; }
  const std::string& Cell(const std::string& name, int row, int col) const;

  // User side. Each throws FormError when a user could not do it.
  void Click(const std::string& name);
  void Edit(const std::string& name, const std::string& text);  // typing: runs onChange
  void Leave(const std::string& name);                          // losing focus: runs onLostFocus
  void Type(const std::string& name, const std::string& text);  // Edit, then Leave
  void Cancel(const std::string& name);  // Escape in a text box: runs onCancel
  void SetCheckedByUser(const std::string& name, bool checked);
  void Choose(const std::string& name);  // an option button
  void Select(const std::string& name, int index);
  void DoubleClick(const std::string& name, int row, int col);
  // The user asks to close the window (its close box, the console's close):
  // runs onQueryClose; true when the window may close.
  bool QueryClose();
  // The front end saved surface `name` as the picture `path` for the user.
  void NoteSurfaceSaved(const std::string& name, const std::string& path,
                        const FigureOptions& options);

  // The menu bar.
  std::vector<MenuItem>& Menus() { return menus_; }
  const std::vector<MenuItem>& Menus() const { return menus_; }
  void AddMenu(MenuItem menu);
  const MenuItem* FindMenu(const std::string& name) const;
  void SetMenuEnabled(const std::string& name, bool enabled);
  void SetMenuVisible(const std::string& name, bool visible);
  void SetMenuCaption(const std::string& name, std::string caption);
  // A menu item by its path of captions without "&", as "Application>Exit".
  // Returns false when no visible and enabled item has that path.
  bool HasMenuPath(const std::string& path) const;
  void ClickMenu(const std::string& path);
  // A menu item by name, as a front end reports a click.
  void ClickMenuItem(const std::string& name);

  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  Control& Find(const std::string& name);
  Control& FindUsable(const std::string& name, std::initializer_list<ControlKind> kinds);
  MenuItem* FindMenuItem(const std::string& name);
  const MenuItem* FindMenuPath(const std::string& path) const;
  void Notify(const std::string& control, FormProperty property);
  void Tell(const UserAction& action) const;
  void SetCheckedByUser(Control& c, bool checked);
  void Choose(Control& c);

  std::string name_;
  std::string caption_;
  bool enabled_ = true;
  bool open_ = false;
  std::map<std::string, std::unique_ptr<Control>> controls_;
  std::vector<std::string> order_;
  LayoutNode root_;
  std::vector<size_t> open_path_;  // child indices from the root to the open container
  LayoutNode& OpenContainer();
  std::vector<MenuItem> menus_;
  Observer observer_;
};

}  // namespace quorvane
