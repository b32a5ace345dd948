#include "qt/control_registry.h"

#include <QLabel>
#include <QWidget>

#include "qt/text_convert.h"
#include "qt/user_action.h"

namespace quorvane::qt {

ControlBinding::ControlBinding(Form& form, const Control& control)
    : form_(form), control_(control), name_(control.name) {}

void ControlBinding::SetWidgets(QWidget* primary, QWidget* outer) {
  primary_ = primary;
  outer_ = outer ? outer : primary;
  primary_->setObjectName(QString::fromStdString(name_));
}

void ControlBinding::Refresh(FormProperty property) {
  switch (property) {
    case FormProperty::Enabled:
      if (outer_->isEnabled() != control_.enabled) outer_->setEnabled(control_.enabled);
      break;
    case FormProperty::Visible:
      // Only once placed: showing a widget without a parent opens a window.
      if (outer_->parentWidget()) outer_->setVisible(control_.visible);
      break;
    case FormProperty::ToolTip:
      primary_->setToolTip(DisplayText(control_.toolTip));
      break;
    default:
      Apply(property);
  }
}

void ControlBinding::RefreshAll() {
  for (FormProperty p :
       {FormProperty::Caption, FormProperty::ToolTip, FormProperty::Items, FormProperty::Selection,
        FormProperty::Text, FormProperty::Checked, FormProperty::Grid, FormProperty::Surface,
        FormProperty::Enabled, FormProperty::Visible})
    Refresh(p);
}

void ControlBinding::Act(const std::function<void()>& action) {
  if (detached_) return;
  const std::shared_ptr<bool> alive = alive_;
  RunUserAction(primary_, action);
  if (*alive && !detached_) RefreshAll();
}

void ControlRegistry::Register(ControlKind kind, Factory factory) {
  factories_[static_cast<size_t>(kind)] = std::move(factory);
}

bool ControlRegistry::Knows(ControlKind kind) const {
  return static_cast<bool>(factories_[static_cast<size_t>(kind)]);
}

namespace {

// Stands in for a control of a kind nobody registered, so that a form
// still opens.
class PlaceholderBinding : public ControlBinding {
 public:
  PlaceholderBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    auto* label = new QLabel(QStringLiteral("[%1: %2]")
                                 .arg(QString::fromUtf8(ControlKindName(control.kind)),
                                      QString::fromStdString(control.name)));
    SetWidgets(label);
  }

 protected:
  void Apply(FormProperty) override {}
};

}  // namespace

std::unique_ptr<ControlBinding> ControlRegistry::Create(Form& form, const Control& control) const {
  const Factory& factory = factories_[static_cast<size_t>(control.kind)];
  return factory ? factory(form, control) : std::make_unique<PlaceholderBinding>(form, control);
}

const ControlRegistry& ControlRegistry::Standard() {
  static const ControlRegistry registry = [] {
    ControlRegistry r;
    r.Register(ControlKind::Label, MakeLabel);
    r.Register(ControlKind::Button, MakeButton);
    r.Register(ControlKind::TextPane, MakeTextPane);
    r.Register(ControlKind::TextBox, MakeTextBox);
    r.Register(ControlKind::ComboBox, MakeComboBox);
    r.Register(ControlKind::ListBox, MakeListBox);
    r.Register(ControlKind::CheckBox, MakeCheckBox);
    r.Register(ControlKind::OptionButton, MakeOptionButton);
    r.Register(ControlKind::Grid, MakeGrid);
    r.Register(ControlKind::Surface, MakeSurface);
    return r;
  }();
  return registry;
}

}  // namespace quorvane::qt
