#include "qt/user_action.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <utility>

#include "base/ui/form.h"

namespace quorvane::qt {

namespace {

std::function<bool(const std::string&)>& UnexpectedErrorHandler() {
  static std::function<bool(const std::string&)> handler;
  return handler;
}

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
    if (const auto& handler = UnexpectedErrorHandler(); handler && handler(e.what())) return onFailure;
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

void SetUnexpectedErrorHandler(std::function<bool(const std::string& what)> handler) {
  UnexpectedErrorHandler() = std::move(handler);
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
