// The standard widgets of the simple control kinds: label, button, text
// pane, text box, combo box, list box, check box and option button.
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <memory>

#include "qt/control_registry.h"
#include "qt/event_hook.h"
#include "qt/report_font.h"
#include "qt/text_convert.h"

namespace quorvane::qt {

namespace {

// A field with its caption: a label beside or above it, hidden while the
// caption is empty. The label is the field's buddy, so its access key
// ("&Name") moves the focus to the field.
class Captioned {
 public:
  Captioned(QWidget* field, QBoxLayout::Direction direction) {
    outer_ = new QWidget;
    auto* layout = new QBoxLayout(direction, outer_);
    layout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel;
    label_->setBuddy(field);
    layout->addWidget(label_);
    layout->addWidget(field, 1);
  }
  QWidget* outer() const { return outer_; }
  void SetCaption(const std::string& caption) {
    label_->setText(DisplayText(caption));
    label_->setHidden(caption.empty());
  }

 private:
  QWidget* outer_;
  QLabel* label_;
};

// Focus lost to another widget of the application runs the form's Leave;
// focus lost to a popup or to another application does not, as the user
// has not left the field.
void HookLeave(QWidget* widget, std::function<void()> leave) {
  new EventHook(widget, QEvent::FocusOut, [leave = std::move(leave)](QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) leave();
  });
}

// Offers the keys pressed in a widget to `handler` first; a key it takes
// (returns true for) goes no further.
class KeyHook : public QObject {
 public:
  KeyHook(QWidget* target, std::function<bool(int key)> handler)
      : QObject(target), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress && handler_(static_cast<QKeyEvent*>(event)->key());
  }

 private:
  std::function<bool(int)> handler_;
};

bool SameItems(const std::vector<std::string>& items, const QStringList& shown) {
  if (static_cast<qsizetype>(items.size()) != shown.size()) return false;
  for (size_t i = 0; i < items.size(); ++i)
    if (ToQt(items[i]) != shown[static_cast<qsizetype>(i)]) return false;
  return true;
}

QStringList ToQtList(const std::vector<std::string>& items) {
  QStringList list;
  for (const auto& item : items) list << ToQt(item);
  return list;
}

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    label_ = new QLabel;
    label_->setTextFormat(Qt::PlainText);
    SetWidgets(label_);
    new EventHook(label_, QEvent::MouseButtonRelease, [this](QEvent* event) {
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && model().onClick)
        Act([this] { this->form().Click(name()); });
    });
  }

  // A label in a column is running text and wraps at the column's width; a
  // label in a row names the field beside it and keeps to its lines.
  void PlacedInRow(bool inRow) override { label_->setWordWrap(!inRow); }

 protected:
  void Apply(FormProperty property) override {
    // A label has no access key of its own: "&" marks are dropped, "&&" shows "&".
    if (property == FormProperty::Caption)
      label_->setText(DisplayText(StripAccessKey(model().caption)));
  }

 private:
  QLabel* label_;
};

class ButtonBinding : public ControlBinding {
 public:
  ButtonBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    button_ = new QPushButton;
    // Return must not press whichever button a dialog thinks is the default.
    button_->setAutoDefault(false);
    SetWidgets(button_);
    QObject::connect(button_, &QPushButton::clicked,
                     [this] { Act([this] { this->form().Click(name()); }); });
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Caption) button_->setText(DisplayText(model().caption));
  }

 private:
  QPushButton* button_;
};

// A text pane: in a font whose glyphs have equal advances, so the columns
// of reports line up, about 80 columns by 24 lines. Long lines wrap or
// scroll as the user chooses from the context menu.
class ReportEdit : public QPlainTextEdit {
 public:
  ReportEdit() { setFont(ReportFont()); }
  QSize sizeHint() const override {
    const QFontMetrics metrics(font());
    return {
        metrics.horizontalAdvance(QLatin1Char('0')) * 82 + verticalScrollBar()->sizeHint().width(),
        metrics.lineSpacing() * 24};
  }
  // However small its window, a pane keeps room for 32 characters and a
  // few lines (a laptop screen fits a column of panes beside a form); the
  // window scrolls to the rest.
  QSize minimumSizeHint() const override {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 32 +
                verticalScrollBar()->sizeHint().width(),
            metrics.lineSpacing() * 6};
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->addSeparator();
    QAction* wrap = menu->addAction(QStringLiteral("&Wrap long lines"));
    wrap->setCheckable(true);
    wrap->setChecked(lineWrapMode() != QPlainTextEdit::NoWrap);
    connect(wrap, &QAction::toggled, this, [this](bool on) {
      setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    });
    menu->exec(event->globalPos());
  }
};

class TextPaneBinding : public ControlBinding {
 public:
  TextPaneBinding(Form& form, const Control& control)
      : ControlBinding(form, control),
        edit_(new ReportEdit),
        caption_(edit_, QBoxLayout::TopToBottom) {
    // A pane the user may edit holds a report to be saved, whose lines
    // must stay as they are; a read-only pane holds text to be read.
    edit_->setLineWrapMode(control.readOnly ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    SetWidgets(edit_, caption_.outer());
    QObject::connect(edit_, &QPlainTextEdit::textChanged, [this] {
      std::string text = ModelText(edit_->toPlainText());
      if (text == model().text) return;
      shown_ = text;
      Act([this, &text] { this->form().Edit(name(), text); });
    });
    HookLeave(edit_, [this] { Act([this] { this->form().Leave(name()); }); });
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Caption) caption_.SetCaption(model().caption);
    if (property != FormProperty::Text) return;
    edit_->setReadOnly(model().readOnly);
    const std::string& text = model().text;
    if (text == shown_) return;
    const QSignalBlocker block(edit_);
    QScrollBar* bar = edit_->verticalScrollBar();
    // Calculation windows add lines as they go: append what is new, and
    // keep following the end if the user was looking at it.
    if (!shown_.empty() && shown_.back() != '\r' && text.size() > shown_.size() &&
        text.compare(0, shown_.size(), shown_) == 0) {
      const bool following = bar->value() == bar->maximum();
      QTextCursor cursor(edit_->document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(DisplayText(text.substr(shown_.size())));
      if (following) bar->setValue(bar->maximum());
    } else {
      edit_->setPlainText(DisplayText(text));
    }
    shown_ = text;
  }

 private:
  ReportEdit* edit_;
  Captioned caption_;
  std::string shown_;  // the model text the pane shows
};

class TextBoxBinding : public ControlBinding {
 public:
  TextBoxBinding(Form& form, const Control& control)
      : ControlBinding(form, control),
        edit_(new QLineEdit),
        caption_(edit_, QBoxLayout::LeftToRight) {
    SetWidgets(edit_, caption_.outer());
    // textEdited comes from the user only, never from setText.
    QObject::connect(edit_, &QLineEdit::textEdited, [this](const QString& text) {
      Act([this, value = text.toStdString()] { this->form().Edit(name(), value); });
    });
    HookLeave(edit_, [this] { Act([this] { this->form().Leave(name()); }); });
    // Return applies the entry as leaving the box does; Escape asks the
    // form to drop it. Neither reaches a dialog's default or close button.
    new KeyHook(edit_, [this](int key) {
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Act([this] { this->form().Leave(name()); });
        return true;
      }
      if (key == Qt::Key_Escape && model().onCancel) {
        Act([this] { this->form().Cancel(name()); });
        return true;
      }
      return false;
    });
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Caption) caption_.SetCaption(model().caption);
    if (property == FormProperty::Focus) {
      edit_->setFocus(Qt::OtherFocusReason);
      edit_->selectAll();
    }
    if (property != FormProperty::Text) return;
    edit_->setReadOnly(model().readOnly);
    const QString text = ToQt(model().text);
    if (edit_->text() != text) edit_->setText(text);
  }

 private:
  QLineEdit* edit_;
  Captioned caption_;
};

// A combo box the user can type into, unless the control is read-only:
// then it is a drop-down list.
class ComboBoxBinding : public ControlBinding {
 public:
  ComboBoxBinding(Form& form, const Control& control)
      : ControlBinding(form, control),
        combo_(new QComboBox),
        caption_(combo_, QBoxLayout::LeftToRight) {
    combo_->setEditable(!control.readOnly);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Room for a date such as 1960-01-31; a row with room to spare widens it.
    combo_->setMinimumContentsLength(10);
    SetWidgets(combo_, caption_.outer());
    QObject::connect(combo_, &QComboBox::activated, [this](int index) {
      Act([this, index] { this->form().Select(name(), index); });
    });
    if (QLineEdit* edit = combo_->lineEdit())
      QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) {
        Act([this, value = text.toStdString()] { this->form().Edit(name(), value); });
      });
    HookLeave(combo_, [this] { Act([this] { this->form().Leave(name()); }); });
  }

 protected:
  void Apply(FormProperty property) override {
    const QSignalBlocker block(combo_);
    switch (property) {
      case FormProperty::Caption:
        caption_.SetCaption(model().caption);
        break;
      case FormProperty::Items: {
        QStringList shown;
        for (int i = 0; i < combo_->count(); ++i) shown << combo_->itemText(i);
        if (!SameItems(model().items, shown)) {
          combo_->clear();
          combo_->addItems(ToQtList(model().items));
        }
        Apply(FormProperty::Selection);
        break;
      }
      case FormProperty::Selection:
        if (combo_->currentIndex() != model().selectedIndex)
          combo_->setCurrentIndex(model().selectedIndex);
        Apply(FormProperty::Text);
        break;
      case FormProperty::Text:
        if (combo_->isEditable() && combo_->currentText() != ToQt(model().text))
          combo_->setEditText(ToQt(model().text));
        break;
      default:
        break;
    }
  }

 private:
  QComboBox* combo_;
  Captioned caption_;
};

class ListBoxBinding : public ControlBinding {
 public:
  ListBoxBinding(Form& form, const Control& control)
      : ControlBinding(form, control),
        list_(new QListWidget),
        caption_(list_, QBoxLayout::TopToBottom) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetWidgets(list_, caption_.outer());
    QObject::connect(list_, &QListWidget::currentRowChanged, [this](int row) {
      if (row >= 0 && row != model().selectedIndex)
        Act([this, row] { this->form().Select(name(), row); });
    });
  }

 protected:
  void Apply(FormProperty property) override {
    const QSignalBlocker block(list_);
    switch (property) {
      case FormProperty::Caption:
        caption_.SetCaption(model().caption);
        break;
      case FormProperty::Items: {
        QStringList shown;
        for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
        if (!SameItems(model().items, shown)) {
          list_->clear();
          list_->addItems(ToQtList(model().items));
        }
        Apply(FormProperty::Selection);
        break;
      }
      case FormProperty::Selection:
        if (list_->currentRow() != model().selectedIndex) {
          list_->setCurrentRow(model().selectedIndex);
          if (model().selectedIndex < 0) list_->clearSelection();
        }
        break;
      default:
        break;
    }
  }

 private:
  QListWidget* list_;
  Captioned caption_;
};

class CheckBoxBinding : public ControlBinding {
 public:
  CheckBoxBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    box_ = new QCheckBox;
    SetWidgets(box_);
    // clicked comes from the user only, never from setChecked.
    QObject::connect(box_, &QCheckBox::clicked, [this](bool checked) {
      Act([this, checked] { this->form().SetCheckedByUser(name(), checked); });
    });
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Caption) box_->setText(DisplayText(model().caption));
    if (property == FormProperty::Checked && box_->isChecked() != model().checked) {
      const QSignalBlocker block(box_);
      box_->setChecked(model().checked);
    }
  }

 private:
  QCheckBox* box_;
};

// Option buttons exclude each other by the form's groups, not by Qt's
// parent widgets, so Qt's own exclusion is off and the form decides.
class OptionButtonBinding : public ControlBinding {
 public:
  OptionButtonBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    button_ = new QRadioButton;
    button_->setAutoExclusive(false);
    SetWidgets(button_);
    QObject::connect(button_, &QRadioButton::clicked,
                     [this] { Act([this] { this->form().Choose(name()); }); });
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Caption) button_->setText(DisplayText(model().caption));
    if (property == FormProperty::Checked && button_->isChecked() != model().checked) {
      const QSignalBlocker block(button_);
      button_->setChecked(model().checked);
    }
  }

 private:
  QRadioButton* button_;
};

}  // namespace

std::unique_ptr<ControlBinding> MakeLabel(Form& form, const Control& control) {
  return std::make_unique<LabelBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeButton(Form& form, const Control& control) {
  return std::make_unique<ButtonBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeTextPane(Form& form, const Control& control) {
  return std::make_unique<TextPaneBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeTextBox(Form& form, const Control& control) {
  return std::make_unique<TextBoxBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeComboBox(Form& form, const Control& control) {
  return std::make_unique<ComboBoxBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeListBox(Form& form, const Control& control) {
  return std::make_unique<ListBoxBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeCheckBox(Form& form, const Control& control) {
  return std::make_unique<CheckBoxBinding>(form, control);
}
std::unique_ptr<ControlBinding> MakeOptionButton(Form& form, const Control& control) {
  return std::make_unique<OptionButtonBinding>(form, control);
}

}  // namespace quorvane::qt
