#include "qt/menu_binder.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "qt/text_convert.h"
#include "qt/user_action.h"

namespace quorvane::qt {

MenuBinder::MenuBinder(Form& form, QMenuBar* bar, QWidget* shortcutHost,
                       Qt::ShortcutContext context)
    : form_(form), bar_(bar), shortcutHost_(shortcutHost), context_(context) {
  Rebuild();
}

MenuBinder::~MenuBinder() {
  for (auto& object : owned_) delete object.data();
}

void MenuBinder::Rebuild() {
  bar_->clear();
  for (auto& [name, action] : actions_)
    if (action && shortcutHost_) shortcutHost_->removeAction(action);
  // Later, not now: the item being chosen may be the one that added a menu.
  for (auto& object : owned_)
    if (object) object->deleteLater();
  owned_.clear();
  actions_.clear();
  menus_.clear();
  for (const MenuItem& item : form_.Menus()) Add(item, nullptr);
  bar_->setVisible(!form_.Menus().empty());
}

void MenuBinder::Add(const MenuItem& item, QMenu* parent) {
  QAction* action = nullptr;
  if (item.separator) {
    action = new QAction(bar_);
    action->setSeparator(true);
    owned_.push_back(action);
  } else if (!item.items.empty()) {
    auto* menu = new QMenu(bar_);
    menus_[item.name] = menu;
    for (const MenuItem& child : item.items) Add(child, menu);
    const std::string name = item.name;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, name, menu] {
      if (onAboutToShow) onAboutToShow(name, menu);
    });
    action = menu->menuAction();
    owned_.push_back(menu);  // its menu action goes with it
  } else {
    // An item, or a top-level menu without items that acts as a command.
    action = new QAction(bar_);
    const std::string name = item.name;
    QObject::connect(action, &QAction::triggered, action, [this, name] { Trigger(name); });
    if (shortcutHost_) shortcutHost_->addAction(action);
    owned_.push_back(action);
  }
  action->setShortcutContext(context_);
  if (parent)
    parent->addAction(action);
  else
    bar_->addAction(action);
  actions_[item.name] = action;
  ApplyState(item);
}

void MenuBinder::ApplyState(const MenuItem& item) {
  QAction* action = Action(item.name);
  if (!action) return;
  if (!item.separator) {
    action->setText(ToQt(item.caption));
    action->setShortcut(QKeySequence::fromString(ToQt(item.shortcut), QKeySequence::PortableText));
  }
  action->setEnabled(item.enabled);
  action->setVisible(item.visible);
}

void MenuBinder::Update(const std::string& itemName) {
  const MenuItem* item = itemName.empty() ? nullptr : form_.FindMenu(itemName);
  if (!item || !Action(itemName)) {
    Rebuild();
    return;
  }
  ApplyState(*item);
}

QAction* MenuBinder::Action(const std::string& itemName) const {
  auto it = actions_.find(itemName);
  return it == actions_.end() ? nullptr : it->second.data();
}

QMenu* MenuBinder::Menu(const std::string& itemName) const {
  auto it = menus_.find(itemName);
  return it == menus_.end() ? nullptr : it->second.data();
}

void MenuBinder::Trigger(const std::string& itemName) {
  // A disabled window takes no commands, shortcuts included.
  if (!form_.Enabled()) {
    QApplication::beep();
    return;
  }
  RunUserAction(bar_, [this, &itemName] { form_.ClickMenuItem(itemName); });
}

}  // namespace quorvane::qt
