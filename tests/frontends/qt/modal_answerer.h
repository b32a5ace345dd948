#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace quorvane::qt::testing {

// Answers the modal dialogs a test sets off, one action per dialog in the
// order they appear: each action gets the dialog (a QMessageBox, a
// QInputDialog, a QFileDialog or a form's dialog) to inspect and to close.
// A dialog nobody expected is rejected and counted, so a test never hangs.
class ModalAnswerer {
 public:
  ModalAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  ModalAnswerer& Then(std::function<void(QWidget*)> action) {
    actions_.push_back(std::move(action));
    return *this;
  }

  int Answered() const { return answered_; }
  int Unexpected() const { return unexpected_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A mark on the dialog itself: the next dialog may reuse its address.
    if (!modal || !modal->isVisible() || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (actions_.empty()) {
      ++unexpected_;
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
      return;
    }
    auto action = std::move(actions_.front());
    actions_.pop_front();
    ++answered_;
    action(modal);
  }

  QTimer timer_;
  std::deque<std::function<void(QWidget*)>> actions_;
  int answered_ = 0;
  int unexpected_ = 0;
};

}  // namespace quorvane::qt::testing
