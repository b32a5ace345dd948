#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "qt/control_registry.h"
#include "qt/menu_binder.h"
#include "base/ui/form.h"

class QBoxLayout;
class QMenuBar;

namespace quorvane::qt {

// The widgets of one form: its menu bar and its controls laid out as the
// form's layout tree says (columns, rows, titled frames), each made by the
// registry's factory for its kind. OnChange takes the form's reports of
// changes and passes each to the control it concerns.
class FormView : public QWidget {
 public:
  FormView(Form& form, const ControlRegistry& registry, QWidget* parent = nullptr);
  ~FormView() override;

  Form& form() const { return form_; }
  void OnChange(const std::string& control, FormProperty property);

  // The window holding the view shows the form's caption.
  std::function<void(const QString& caption)> onCaption;
  // Disabled while the main window is disabled, whatever the form says.
  void SetBlocked(bool blocked);

  ControlBinding* Binding(const std::string& control) const;
  // Whether the form holds a control that takes up spare room (a text
  // pane, a list, a grid or a drawing surface).
  bool TakesSpareRoom() const;
  MenuBinder* Menus() const { return menus_.get(); }

 private:
  void Build(const LayoutNode& node, QBoxLayout* into);
  void ApplyEnabled();

  Form& form_;
  const ControlRegistry& registry_;
  std::map<std::string, std::unique_ptr<ControlBinding>> bindings_;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<MenuBinder> menus_;
  bool blocked_ = false;
};

}  // namespace quorvane::qt
