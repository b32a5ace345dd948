#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/ui/form.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace quorvane::qt {

// Builds a form's menus into a Qt menu bar and keeps captions, shortcuts,
// enabled and visible states in step with the form. Choosing an item runs
// the form's ClickMenuItem.
class MenuBinder {
 public:
  // `shortcutHost` receives the items as actions too, so their shortcuts
  // work wherever `context` says (a child window: while the focus is in
  // it; the main window: anywhere in it).
  MenuBinder(Form& form, QMenuBar* bar, QWidget* shortcutHost, Qt::ShortcutContext context);
  ~MenuBinder();
  MenuBinder(const MenuBinder&) = delete;
  MenuBinder& operator=(const MenuBinder&) = delete;

  // Builds everything again (a menu was added).
  void Rebuild();
  // The form reported a change of one item; an empty name rebuilds.
  void Update(const std::string& itemName);

  QAction* Action(const std::string& itemName) const;
  QMenu* Menu(const std::string& itemName) const;

  // Runs each time the menu of that name is about to show, after the form's
  // items are in it (the main window adds its list of child windows).
  std::function<void(const std::string& menuName, QMenu* menu)> onAboutToShow;

 private:
  void Add(const MenuItem& item, QMenu* parent);
  void ApplyState(const MenuItem& item);
  void Trigger(const std::string& itemName);

  Form& form_;
  QMenuBar* bar_;
  QWidget* shortcutHost_;
  Qt::ShortcutContext context_;
  std::map<std::string, QPointer<QAction>> actions_;
  std::map<std::string, QPointer<QMenu>> menus_;
  std::vector<QPointer<QObject>> owned_;
};

}  // namespace quorvane::qt
