#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "base/ui/form.h"
#include "qt/dialog_memory.h"

class QMdiArea;
class QMdiSubWindow;

namespace quorvane::qt {

class MenuBinder;
class StatusArea;

// The application's main window: the MDI area of the child windows, the
// menu bar of the main window's form and the status bars.
class MainFrame : public QMainWindow {
 public:
  MainFrame();
  ~MainFrame() override;

  // Shows the form's caption and menus and keeps them in step with it.
  void Bind(Form& form);
  Form* BoundForm() const { return form_; }
  void OnChange(const std::string& control, FormProperty property);

  QMdiArea* Mdi() const { return mdi_; }
  // What the session's dialogs remember.
  DialogMemory& Dialogs() { return dialogs_; }
  StatusArea* Status() const { return status_; }
  MenuBinder* Menus() const { return menus_.get(); }

  void Arrange(WindowArrangement how);
  // Sizes the window to fit the screen it opens on and centres it there.
  void FitToScreen();
  // Adds the open child windows to a "&Window" menu, the active one checked.
  void ListWindows(QMenu* menu);

  // Asked when the user closes the main window; false keeps it open.
  std::function<bool()> onQueryClose;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ApplyEnabled();
  void KeepWindowsInView();
  std::vector<QMdiSubWindow*> Arrangeable() const;

  Form* form_ = nullptr;
  QMdiArea* mdi_;
  StatusArea* status_;
  std::unique_ptr<MenuBinder> menus_;
  std::vector<QAction*> windowList_;
  DialogMemory dialogs_;
};

}  // namespace quorvane::qt
