#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace quorvane::qt {

// Calls `handler` for every event of one type that reaches `target`
// (a focus-out, a mouse release); the event then goes on as usual.
class EventHook : public QObject {
 public:
  EventHook(QObject* target, QEvent::Type type, std::function<void(QEvent*)> handler)
      : QObject(target), type_(type), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == type_) handler_(event);
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void(QEvent*)> handler_;
};

}  // namespace quorvane::qt
