#include "base/ui/form.h"

#include <sstream>

namespace quorvane {

namespace {

// Handlers run from a copy: a handler may replace itself while it runs.
void RunHandler(std::function<void()> handler) {
  if (handler) handler();
}

FormListener*& Listener() {
  static FormListener* listener = nullptr;
  return listener;
}

UserAction Action(UserAction::Kind kind, const std::string& control) {
  UserAction action;
  action.kind = kind;
  action.control = control;
  return action;
}

}  // namespace

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::Button: return "button";
    case ControlKind::TextPane: return "text pane";
    case ControlKind::TextBox: return "text box";
    case ControlKind::ComboBox: return "combo box";
    case ControlKind::ListBox: return "list box";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::OptionButton: return "option button";
    case ControlKind::Grid: return "grid";
    case ControlKind::Surface: return "surface";
  }
  return "control";
}

MenuItem MenuCommand(std::string name, std::string caption, std::string shortcut,
                     std::function<void()> onClick) {
  MenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.shortcut = std::move(shortcut);
  item.onClick = std::move(onClick);
  return item;
}

MenuItem MenuSeparator(std::string name) {
  MenuItem item;
  item.name = std::move(name);
  item.separator = true;
  return item;
}

std::string StripAccessKey(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() {
  if (FormListener* listener = Listener()) listener->Destroyed(*this);
}

void Form::SetListener(FormListener* listener) { Listener() = listener; }

void Form::Tell(const UserAction& action) const {
  if (FormListener* listener = Listener()) listener->UserActed(*this, action);
}

void Form::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Notify("", FormProperty::FormCaption);
}

void Form::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify("", FormProperty::FormEnabled);
}

void Form::MarkOpen(bool open) {
  if (open_ == open) return;
  open_ = open;
  if (FormListener* listener = Listener()) listener->OpenChanged(*this, open);
  Notify("", FormProperty::Open);
  if (!open) RunHandler(onClosed);
}

LayoutNode& Form::OpenContainer() {
  LayoutNode* node = &root_;
  for (size_t index : open_path_) node = &node->children[index];
  return *node;
}

Control& Form::Add(ControlKind kind, const std::string& name, const std::string& caption) {
  if (name.empty() || controls_.count(name))
    throw std::invalid_argument("control name empty or used twice: " + name);
  auto control = std::make_unique<Control>();
  control->name = name;
  control->kind = kind;
  control->caption = caption;
  if (kind == ControlKind::Grid) control->grid.Resize(1, 1);
  Control& ref = *control;
  controls_.emplace(name, std::move(control));
  order_.push_back(name);
  LayoutNode leaf;
  leaf.kind = LayoutNode::Kind::Control;
  leaf.control = name;
  OpenContainer().children.push_back(std::move(leaf));
  return ref;
}

void Form::BeginRow() {
  LayoutNode& parent = OpenContainer();
  parent.children.push_back(LayoutNode{LayoutNode::Kind::Row, "", "", {}});
  open_path_.push_back(parent.children.size() - 1);
}

void Form::BeginColumn() {
  LayoutNode& parent = OpenContainer();
  parent.children.push_back(LayoutNode{LayoutNode::Kind::Column, "", "", {}});
  open_path_.push_back(parent.children.size() - 1);
}

void Form::BeginFrame(const std::string& title) {
  LayoutNode& parent = OpenContainer();
  parent.children.push_back(LayoutNode{LayoutNode::Kind::Frame, title, "", {}});
  open_path_.push_back(parent.children.size() - 1);
}

void Form::End() {
  if (open_path_.empty()) throw std::logic_error("Form::End without an open container");
  open_path_.pop_back();
}

bool Form::Has(const std::string& name) const { return controls_.count(name) != 0; }

const Control& Form::Get(const std::string& name) const {
  auto it = controls_.find(name);
  if (it == controls_.end()) throw FormError("The window " + name_ + " has no control " + name);
  return *it->second;
}

Control& Form::Find(const std::string& name) {
  auto it = controls_.find(name);
  if (it == controls_.end()) throw FormError("The window " + name_ + " has no control " + name);
  return *it->second;
}

Control& Form::Handlers(const std::string& name) { return Find(name); }

void Form::Notify(const std::string& control, FormProperty property) {
  if (observer_) observer_(control, property);
}

void Form::SetText(const std::string& name, std::string text) {
  Control& c = Find(name);
  if (c.text == text) return;
  c.text = std::move(text);
  Notify(name, FormProperty::Text);
}

void Form::SetCaption(const std::string& name, std::string caption) {
  Control& c = Find(name);
  if (c.caption == caption) return;
  c.caption = std::move(caption);
  Notify(name, FormProperty::Caption);
}

void Form::SetToolTip(const std::string& name, std::string toolTip) {
  Control& c = Find(name);
  if (c.toolTip == toolTip) return;
  c.toolTip = std::move(toolTip);
  Notify(name, FormProperty::ToolTip);
}

void Form::SetEnabled(const std::string& name, bool enabled) {
  Control& c = Find(name);
  if (c.enabled == enabled) return;
  c.enabled = enabled;
  Notify(name, FormProperty::Enabled);
}

void Form::SetVisible(const std::string& name, bool visible) {
  Control& c = Find(name);
  if (c.visible == visible) return;
  c.visible = visible;
  Notify(name, FormProperty::Visible);
}

void Form::SetFocus(const std::string& name) {
  Find(name);
  Notify(name, FormProperty::Focus);
}

void Form::SetChecked(const std::string& name, bool checked) {
  Control& c = Find(name);
  if (c.checked != checked) {
    c.checked = checked;
    Notify(name, FormProperty::Checked);
  }
  if (checked && c.kind == ControlKind::OptionButton) {
    // An option button excludes the others of its group.
    for (const auto& other : order_) {
      Control& o = *controls_[other];
      if (&o != &c && o.kind == ControlKind::OptionButton && o.group == c.group && o.checked) {
        o.checked = false;
        Notify(other, FormProperty::Checked);
      }
    }
  }
}

void Form::SetItems(const std::string& name, std::vector<std::string> items) {
  Control& c = Find(name);
  c.items = std::move(items);
  if (c.selectedIndex >= static_cast<int>(c.items.size())) c.selectedIndex = -1;
  Notify(name, FormProperty::Items);
}

void Form::SetSelectedIndex(const std::string& name, int index) {
  Control& c = Find(name);
  if (index < -1 || index >= static_cast<int>(c.items.size()))
    throw FormError(name + " has no item #" + std::to_string(index + 1));
  c.selectedIndex = index;
  if (c.kind == ControlKind::ComboBox && index >= 0) c.text = c.items[static_cast<size_t>(index)];
  Notify(name, FormProperty::Selection);
}

void Form::SetGridSize(const std::string& name, int rows, int cols) {
  Control& c = Find(name);
  c.grid.Resize(rows, cols);
  Notify(name, FormProperty::Grid);
}

void Form::SetCell(const std::string& name, int row, int col, std::string text) {
  Control& c = Find(name);
  if (!c.grid.Contains(row, col)) throw FormError(name + " has no cell " + std::to_string(row) + "," + std::to_string(col));
  c.grid.At(row, col).text = std::move(text);
  Notify(name, FormProperty::Grid);
}

void Form::SetCellColor(const std::string& name, int row, int col, int foreColor) {
  Control& c = Find(name);
  if (!c.grid.Contains(row, col)) throw FormError(name + " has no cell " + std::to_string(row) + "," + std::to_string(col));
  c.grid.At(row, col).foreColor = foreColor;
  Notify(name, FormProperty::Grid);
}

void Form::SetCurrentCell(const std::string& name, int row, int col) {
  Control& c = Find(name);
  if (!c.grid.Contains(row, col)) throw FormError(name + " has no cell " + std::to_string(row) + "," + std::to_string(col));
  c.grid.CurrentRow = row;
  c.grid.CurrentCol = col;
  Notify(name, FormProperty::Grid);
}

void Form::SetColumnWidth(const std::string& name, int col, int width) {
  Control& c = Find(name);
  if (col < 0 || col >= c.grid.Cols()) throw FormError(name + " has no column " + std::to_string(col));
  c.grid.ColumnWidths[static_cast<size_t>(col)] = width;
  Notify(name, FormProperty::Grid);
}

void Form::SetSurface(const std::string& name, Surface surface, Figure figure) {
  Control& c = Find(name);
  c.surface = std::move(surface);
  c.figure = std::move(figure);
  Notify(name, FormProperty::Surface);
}

const std::string& Form::Cell(const std::string& name, int row, int col) const {
  const Control& c = Get(name);
  if (!c.grid.Contains(row, col)) throw FormError(name + " has no cell " + std::to_string(row) + "," + std::to_string(col));
  return c.grid.At(row, col).text;
}

Control& Form::FindUsable(const std::string& name, std::initializer_list<ControlKind> kinds) {
  Control& c = Find(name);
  bool kindOk = false;
  for (ControlKind k : kinds) kindOk = kindOk || c.kind == k;
  if (!kindOk) throw FormError(name + " is a " + ControlKindName(c.kind) + " and cannot do that");
  if (!enabled_) throw FormError("The window " + name_ + " is disabled");
  if (!c.visible) throw FormError(name + " is hidden");
  if (!c.enabled) throw FormError(name + " is disabled");
  return c;
}

void Form::Click(const std::string& name) {
  Control& c = FindUsable(name, {ControlKind::Button, ControlKind::Label, ControlKind::CheckBox,
                                 ControlKind::OptionButton, ControlKind::Surface});
  if (c.kind == ControlKind::CheckBox) {
    SetCheckedByUser(c, !c.checked);
    return;
  }
  if (c.kind == ControlKind::OptionButton) {
    Choose(c);
    return;
  }
  Tell(Action(UserAction::Kind::Click, name));
  RunHandler(c.onClick);
}

void Form::Edit(const std::string& name, const std::string& text) {
  Control& c = FindUsable(name, {ControlKind::TextBox, ControlKind::ComboBox, ControlKind::TextPane});
  if (c.readOnly) throw FormError(name + " is read-only");
  if (c.text == text) return;
  UserAction action = Action(UserAction::Kind::Edit, name);
  action.text = text;
  Tell(action);
  c.text = text;
  Notify(name, FormProperty::Text);
  RunHandler(c.onChange);
}

void Form::Leave(const std::string& name) {
  Control& c = Find(name);
  Tell(Action(UserAction::Kind::Leave, name));
  RunHandler(c.onLostFocus);
}

void Form::Cancel(const std::string& name) {
  Control& c = FindUsable(name, {ControlKind::TextBox});
  RunHandler(c.onCancel);
}

void Form::Type(const std::string& name, const std::string& text) {
  Edit(name, text);
  Leave(name);
}

void Form::SetCheckedByUser(const std::string& name, bool checked) {
  SetCheckedByUser(FindUsable(name, {ControlKind::CheckBox}), checked);
}

void Form::SetCheckedByUser(Control& c, bool checked) {
  if (c.checked == checked) return;
  UserAction action = Action(UserAction::Kind::Check, c.name);
  action.checked = checked;
  Tell(action);
  SetChecked(c.name, checked);
  RunHandler(c.onClick);
}

void Form::Choose(const std::string& name) { Choose(FindUsable(name, {ControlKind::OptionButton})); }

void Form::Choose(Control& c) {
  bool wasChecked = c.checked;
  if (!wasChecked) Tell(Action(UserAction::Kind::Choose, c.name));
  SetChecked(c.name, true);
  if (!wasChecked) RunHandler(c.onClick);
}

void Form::Select(const std::string& name, int index) {
  Control& c = FindUsable(name, {ControlKind::ComboBox, ControlKind::ListBox});
  if (index < 0 || index >= static_cast<int>(c.items.size()))
    throw FormError(name + " has no item #" + std::to_string(index + 1));
  UserAction action = Action(UserAction::Kind::Select, name);
  action.index = index;
  Tell(action);
  SetSelectedIndex(name, index);
  RunHandler(c.onClick);
  if (c.kind == ControlKind::ComboBox) RunHandler(c.onChange);
}

void Form::DoubleClick(const std::string& name, int row, int col) {
  Control& c = FindUsable(name, {ControlKind::Grid});
  if (!c.grid.Contains(row, col))
    throw FormError(name + " has no cell " + std::to_string(row) + "," + std::to_string(col));
  UserAction action = Action(UserAction::Kind::DoubleClick, name);
  action.row = row;
  action.col = col;
  Tell(action);
  c.grid.CurrentRow = row;
  c.grid.CurrentCol = col;
  Notify(name, FormProperty::Grid);
  if (auto handler = c.onDoubleClick) handler(row, col);
}

bool Form::QueryClose() {
  Tell(Action(UserAction::Kind::Close, ""));
  return !onQueryClose || onQueryClose();
}

void Form::NoteSurfaceSaved(const std::string& name, const std::string& path,
                            const FigureOptions& options) {
  UserAction action = Action(UserAction::Kind::Save, name);
  action.text = path;
  action.figure = options;
  Tell(action);
}

void Form::AddMenu(MenuItem menu) {
  menus_.push_back(std::move(menu));
  Notify("", FormProperty::Menu);
}

namespace {

MenuItem* FindIn(std::vector<MenuItem>& items, const std::string& name) {
  for (auto& item : items) {
    if (item.name == name) return &item;
    if (MenuItem* found = FindIn(item.items, name)) return found;
  }
  return nullptr;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(path);
  while (std::getline(in, part, '>')) parts.push_back(part);
  return parts;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

// Finds a visible item by caption: an exact match first, then one that
// differs only in surrounding blanks ("&Interrupt " and "&Interrupt").
const MenuItem* MatchCaption(const std::vector<MenuItem>& items, const std::string& caption) {
  for (const auto& item : items)
    if (item.visible && !item.separator && StripAccessKey(item.caption) == caption) return &item;
  for (const auto& item : items)
    if (item.visible && !item.separator && Trim(StripAccessKey(item.caption)) == Trim(caption))
      return &item;
  return nullptr;
}

}  // namespace

MenuItem* Form::FindMenuItem(const std::string& name) { return FindIn(menus_, name); }

const MenuItem* Form::FindMenu(const std::string& name) const {
  return FindIn(const_cast<std::vector<MenuItem>&>(menus_), name);
}

void Form::SetMenuEnabled(const std::string& name, bool enabled) {
  MenuItem* item = FindMenuItem(name);
  if (!item) throw FormError("The window " + name_ + " has no menu " + name);
  if (item->enabled == enabled) return;
  item->enabled = enabled;
  Notify(name, FormProperty::Menu);
}

void Form::SetMenuVisible(const std::string& name, bool visible) {
  MenuItem* item = FindMenuItem(name);
  if (!item) throw FormError("The window " + name_ + " has no menu " + name);
  if (item->visible == visible) return;
  item->visible = visible;
  Notify(name, FormProperty::Menu);
}

void Form::SetMenuCaption(const std::string& name, std::string caption) {
  MenuItem* item = FindMenuItem(name);
  if (!item) throw FormError("The window " + name_ + " has no menu " + name);
  if (item->caption == caption) return;
  item->caption = std::move(caption);
  Notify(name, FormProperty::Menu);
}

const MenuItem* Form::FindMenuPath(const std::string& path) const {
  const std::vector<MenuItem>* level = &menus_;
  const MenuItem* item = nullptr;
  for (const auto& part : SplitPath(path)) {
    item = MatchCaption(*level, part);
    if (!item) return nullptr;
    level = &item->items;
  }
  return item;
}

bool Form::HasMenuPath(const std::string& path) const { return FindMenuPath(path) != nullptr; }

void Form::ClickMenu(const std::string& path) {
  const MenuItem* item = FindMenuPath(path);
  if (!item) throw FormError("The window " + name_ + " has no menu item " + path);
  ClickMenuItem(item->name);
}

void Form::ClickMenuItem(const std::string& name) {
  // Every menu on the way down must be enabled, as a user could not reach
  // the item otherwise.
  std::vector<const MenuItem*> chain;
  std::function<bool(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
    for (const auto& item : items) {
      chain.push_back(&item);
      if (item.name == name || walk(item.items)) return true;
      chain.pop_back();
    }
    return false;
  };
  if (!walk(menus_)) throw FormError("The window " + name_ + " has no menu item " + name);
  if (!enabled_) throw FormError("The window " + name_ + " is disabled");
  for (const MenuItem* m : chain) {
    if (!m->visible) throw FormError("The menu " + StripAccessKey(m->caption) + " is hidden");
    if (!m->enabled) throw FormError("The menu " + StripAccessKey(m->caption) + " is disabled");
  }
  auto handler = chain.back()->onClick;  // a copy: the handler may change the menus
  Tell(Action(UserAction::Kind::Menu, name));
  if (handler) handler();
}

}  // namespace quorvane
