#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "base/ui/form.h"

class QWidget;

namespace quorvane::qt {

// The widget of one control and the link that keeps it in step with the
// control in both directions. Model to widget: Refresh, called for every
// change the form reports; each property is compared before it is set,
// with the widget's signals blocked, so a refresh never comes back as a
// user action. Widget to model: the widget's user-only signals run the
// form's user-side calls through Act.
class ControlBinding {
 public:
  ControlBinding(Form& form, const Control& control);
  virtual ~ControlBinding() { *alive_ = false; }
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  // What the layout holds: the control's widget, with its caption label
  // when the kind shows its caption beside the widget.
  QWidget* Outer() const { return outer_; }
  // The control's own widget; its object name is the control's name.
  QWidget* Primary() const { return primary_; }

  void Refresh(FormProperty property);
  void RefreshAll();
  // Told once the control is placed: whether it sits in a row, beside
  // other controls, rather than in a column.
  virtual void PlacedInRow(bool /*inRow*/) {}
  // Cuts the link to the form before the widgets go: whatever they signal
  // while they are destroyed (a focus-out, a selection) no longer acts.
  void Detach() { detached_ = true; }

 protected:
  // Sets the widgets; `outer` defaults to `primary`.
  void SetWidgets(QWidget* primary, QWidget* outer = nullptr);
  // The kind's own properties (caption, text, items and so on).
  virtual void Apply(FormProperty property) = 0;

  Form& form() const { return form_; }
  const std::string& name() const { return name_; }
  const Control& model() const { return control_; }

  // Runs a user action on the form. Errors are shown, never thrown; then
  // the widget is brought back in step with the model, which undoes
  // anything the form refused.
  void Act(const std::function<void()>& action);

 private:
  Form& form_;
  const Control& control_;
  std::string name_;
  QWidget* primary_ = nullptr;
  QWidget* outer_ = nullptr;
  bool detached_ = false;
  // Cleared when the binding goes, so an action that outlives it (a
  // handler that closed this very window) does not touch it afterwards.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// One widget factory per control kind. The standard registry knows every
// kind; a front end may replace a factory to render a kind differently.
class ControlRegistry {
 public:
  using Factory = std::function<std::unique_ptr<ControlBinding>(Form&, const Control&)>;

  void Register(ControlKind kind, Factory factory);
  bool Knows(ControlKind kind) const;
  // The binding for a control with its widgets made; once they are placed
  // in a window, RefreshAll fills them from the model. A kind without a
  // factory gets a plain label naming the control.
  std::unique_ptr<ControlBinding> Create(Form& form, const Control& control) const;

  // The registry with the standard widgets of every kind.
  static const ControlRegistry& Standard();

 private:
  std::array<Factory, 10> factories_;
};

// The standard factories, one per kind (control_widgets.cpp, grid_binding.cpp,
// surface_binding.cpp).
std::unique_ptr<ControlBinding> MakeLabel(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeButton(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeTextPane(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeTextBox(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeComboBox(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeListBox(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeCheckBox(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeOptionButton(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeGrid(Form& form, const Control& control);
std::unique_ptr<ControlBinding> MakeSurface(Form& form, const Control& control);

}  // namespace quorvane::qt
