#pragma once

#include <QDialog>
#include <QMdiSubWindow>
#include <functional>

namespace quorvane::qt {

class FormView;

// What a window that holds a form does when the user closes it (its close
// box, or Escape in a dialog): queryClose may keep it open; otherwise
// `closed` runs once the window has gone. Dismiss closes it for the window
// logic, without either. The window deletes itself later, never while one
// of its own handlers still runs.
struct CloseHooks {
  std::function<bool()> queryClose;
  std::function<void()> closed;
};

// A modeless form: a child window of the MDI area.
class MdiFormWindow : public QMdiSubWindow {
  Q_OBJECT
 public:
  MdiFormWindow(FormView* view, CloseHooks hooks);
  FormView* view() const { return view_; }
  void Dismiss();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FormView* view_;
  CloseHooks hooks_;
  bool closed_ = false;
};

// A modal form: a dialog over the active window.
class FormDialog : public QDialog {
  Q_OBJECT
 public:
  FormDialog(FormView* view, CloseHooks hooks, QWidget* parent);
  FormView* view() const { return view_; }
  void Dismiss();

  void reject() override;

 private:
  void Finish();

  FormView* view_;
  CloseHooks hooks_;
  bool closed_ = false;
};

}  // namespace quorvane::qt
