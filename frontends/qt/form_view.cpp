#include "qt/form_view.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QMenuBar>

#include "qt/text_convert.h"

namespace quorvane::qt {

namespace {

// Whether a part of the layout holds a control that takes up spare room;
// a column of fixed-height controls keeps them together at its top.
bool Grows(const Form& form, const LayoutNode& node) {
  if (node.kind == LayoutNode::Kind::Control) {
    switch (form.Get(node.control).kind) {
      case ControlKind::TextPane:
      case ControlKind::ListBox:
      case ControlKind::Grid:
      case ControlKind::Surface:
        return true;
      default:
        return false;
    }
  }
  for (const LayoutNode& child : node.children)
    if (Grows(form, child)) return true;
  return false;
}

}  // namespace

FormView::FormView(Form& form, const ControlRegistry& registry, QWidget* parent)
    : QWidget(parent), form_(form), registry_(registry) {
  auto* root = new QVBoxLayout(this);
  menuBar_ = new QMenuBar(this);
  // The menus of a child window answer their shortcuts while the focus is in it.
  menus_ = std::make_unique<MenuBinder>(form_, menuBar_, this, Qt::WidgetWithChildrenShortcut);
  root->setMenuBar(menuBar_);
  Build(form_.Layout(), root);
  if (!Grows(form_, form_.Layout())) root->addStretch(1);
  ApplyEnabled();
}

FormView::~FormView() {
  for (auto& [name, binding] : bindings_) binding->Detach();
  // The widgets go first, while the bindings they may still signal exist.
  const QObjectList children = this->children();
  for (QObject* child : children)
    if (child->isWidgetType()) delete child;
}

// Containers are placed before their children are built, so that every
// widget has its parent by the time it is filled from the model.
void FormView::Build(const LayoutNode& node, QBoxLayout* into) {
  switch (node.kind) {
    case LayoutNode::Kind::Control: {
      auto binding = registry_.Create(form_, form_.Get(node.control));
      into->addWidget(binding->Outer());
      binding->PlacedInRow(into->direction() == QBoxLayout::LeftToRight);
      binding->RefreshAll();
      bindings_[node.control] = std::move(binding);
      return;
    }
    case LayoutNode::Kind::Frame: {
      auto* box = new QGroupBox(ToQt(node.title));
      into->addWidget(box, Grows(form_, node) ? 1 : 0);
      auto* inner = new QVBoxLayout(box);
      for (const LayoutNode& child : node.children) Build(child, inner);
      if (!Grows(form_, node)) inner->addStretch(1);
      return;
    }
    case LayoutNode::Kind::Row:
    case LayoutNode::Kind::Column: {
      const bool row = node.kind == LayoutNode::Kind::Row;
      auto* layout = new QBoxLayout(row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
      into->addLayout(layout, Grows(form_, node) ? 1 : 0);
      for (const LayoutNode& child : node.children) Build(child, layout);
      if (!row && !Grows(form_, node)) layout->addStretch(1);
      return;
    }
  }
}

void FormView::OnChange(const std::string& control, FormProperty property) {
  switch (property) {
    case FormProperty::FormCaption:
      if (onCaption) onCaption(ToQt(form_.Caption()));
      return;
    case FormProperty::FormEnabled:
      ApplyEnabled();
      return;
    case FormProperty::Menu:
      menus_->Update(control);
      return;
    case FormProperty::Open:
      return;
    default:
      break;
  }
  if (ControlBinding* binding = Binding(control)) binding->Refresh(property);
}

bool FormView::TakesSpareRoom() const { return Grows(form_, form_.Layout()); }

void FormView::SetBlocked(bool blocked) {
  blocked_ = blocked;
  ApplyEnabled();
}

void FormView::ApplyEnabled() { setEnabled(form_.Enabled() && !blocked_); }

ControlBinding* FormView::Binding(const std::string& control) const {
  auto it = bindings_.find(control);
  return it == bindings_.end() ? nullptr : it->second.get();
}

}  // namespace quorvane::qt
