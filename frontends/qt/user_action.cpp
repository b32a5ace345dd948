#include "qt/user_action.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include "base/ui/form.h"

namespace quorvane::qt {

namespace {

void Report(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

bool AskUserAction(QWidget* parentWidget, const std::function<bool()>& question, bool onFailure) {
  // The action may close the very window it came from.
  const QPointer<QWidget> parent(parentWidget);
  try {
    return question();
  } catch (const FormError& e) {
    Report(parent, QStringLiteral("Quorvane"), QString::fromStdString(e.what()),
           QMessageBox::Warning);
  } catch (const std::exception& e) {
    Report(parent, QStringLiteral("Quorvane"),
           QStringLiteral("This action stopped because of an unexpected error:\n%1")
               .arg(QString::fromStdString(e.what())),
           QMessageBox::Critical);
  } catch (...) {
    Report(parent, QStringLiteral("Quorvane"),
           QStringLiteral("This action stopped because of an unexpected error."),
           QMessageBox::Critical);
  }
  return onFailure;
}

bool RunUserAction(QWidget* parent, const std::function<void()>& action) {
  return AskUserAction(
      parent,
      [&action] {
        action();
        return true;
      },
      false);
}

}  // namespace quorvane::qt
