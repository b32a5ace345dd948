#pragma once

#include <QDialog>
#include <QMdiSubWindow>
#include <functional>

class QScrollArea;

namespace quorvane::qt {

class FormView;

// The form's widgets inside a scroll area: the form is laid out at least at
// its minimum size, so no group of controls is ever squeezed, and a window
// smaller than the form scrolls to the rest of it.
QScrollArea* ScrolledView(FormView* view);

// The size a window needs to show its form whole: the form's natural size
// plus what the window adds around it (`frame`), within `room`; when it
// does not fit, room is left for the scroll bars that then appear.
QSize WindowSizeFor(FormView* view, QSize frame, QSize room);

// What a window that holds a form does when the user closes it (its close
// box, or Escape in a dialog): queryClose may keep it open; otherwise
// `closed` runs once the window has gone. Dismiss closes it for the window
// logic, without either, also while queryClose runs: a form whose close box
// finishes its work and closes it (the editors) closes. The window deletes
// itself later, never while one of its own handlers still runs.
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
  bool asking_ = false;     // queryClose runs
  bool dismissed_ = false;  // the window logic closed it
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
