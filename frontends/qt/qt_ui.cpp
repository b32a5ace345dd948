#include "qt/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "base/files/file_path_check.h"
#include "base/files/installed_data.h"
#include "qt/control_registry.h"
#include "qt/dialogs.h"
#include "qt/event_hook.h"
#include "qt/form_view.h"
#include "qt/form_windows.h"
#include "qt/main_frame.h"
#include "qt/opened_file.h"
#include "qt/status_area.h"
#include "qt/text_convert.h"
#include "qt/user_action.h"

namespace quorvane::qt {

namespace {

// The main menu's window keeps the top-left corner; others open beside it.
constexpr const char* kMainMenuName = "frmMenu";

// The name of the "&Window" menu, on the main window and on child windows.
constexpr const char* kWindowMenuName = "mnuWindow";

// Ends the process from wherever the call comes, several nested event
// loops deep inside a calculation included. Unwinding back to main() is
// not possible through Qt's event dispatch, and running static destructors
// while the application object and its windows still live is asking for
// trouble; so the output is flushed and the process ends. The quit
// sequence has closed the files the application keeps open by then.
[[noreturn]] void EndProcess(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

Answer ToAnswer(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      return Answer::Cancel;
  }
}

}  // namespace

QtUi::QtUi(const ControlRegistry& registry)
    : registry_(registry), frame_(std::make_unique<MainFrame>()), exit_(EndProcess) {
  SetUnexpectedErrorHandler([this](const std::string& what) {
    if (!OnUnexpectedError) return false;
    OnUnexpectedError(what);
    return true;
  });
}

QtUi::QtUi() : QtUi(ControlRegistry::Standard()) {}

// The forms are gone by now (the session that owns them ends first), so
// nothing here touches them.
QtUi::~QtUi() { SetUnexpectedErrorHandler(nullptr); }

void QtUi::AttachMainWindow(MainWindow& main) {
  mainForm_ = &main.form();
  main.onArrange = [this](WindowArrangement how) { frame_->Arrange(how); };
  frame_->onQueryClose = [this] { return mainForm_->QueryClose(); };
}

void QtUi::SetDataFileSource(std::function<std::string()> dataFile) {
  frame_->Dialogs().dataFile = std::move(dataFile);
}

FormView* QtUi::ViewOf(const Form& form) const {
  auto it = open_.find(&form);
  return it == open_.end() ? nullptr : it->second.view;
}

QWidget* QtUi::WindowOf(const Form& form) const {
  auto it = open_.find(&form);
  return it == open_.end() ? nullptr : it->second.window.data();
}

Form* QtUi::OpenForm(const std::string& name) const {
  if (mainForm_ && mainForm_->Name() == name && mainForm_->IsOpen()) return mainForm_;
  for (const auto& [form, window] : open_)
    if (form->Name() == name) return const_cast<Form*>(form);
  return nullptr;
}

QWidget* QtUi::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return frame_->isVisible() ? frame_.get() : nullptr;
}

Answer QtUi::Ask(const std::string& text, const std::string& title, Icon icon,
                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                 QMessageBox::StandardButton escapeButton) {
  QMessageBox box(DialogParent());
  SetUpMessageBox(box, text, title, icon, buttons, defaultButton, escapeButton);
  box.exec();
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
  return ToAnswer(clicked == QMessageBox::NoButton ? escapeButton : clicked);
}

void QtUi::ShowMessage(const std::string& text, const std::string& title, Icon icon) {
  Ask(text, title, icon, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtUi::AskYesNo(const std::string& text, const std::string& title, Icon icon,
                      bool noIsDefault) {
  return Ask(text, title, icon, QMessageBox::Yes | QMessageBox::No,
             noIsDefault ? QMessageBox::No : QMessageBox::Yes, QMessageBox::No);
}

Answer QtUi::AskYesNoCancel(const std::string& text, const std::string& title, Icon icon,
                            bool noIsDefault) {
  return Ask(text, title, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
             noIsDefault ? QMessageBox::No : QMessageBox::Yes, QMessageBox::Cancel);
}

Answer QtUi::AskOkCancel(const std::string& text, const std::string& title, Icon icon) {
  return Ask(text, title, icon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
             QMessageBox::Cancel);
}

std::string QtUi::AskValue(const std::string& prompt, const std::string& title,
                           const std::string& defaultText) {
  QInputDialog dialog(DialogParent());
  SetUpInputDialog(dialog, prompt, title, defaultText);
  if (dialog.exec() != QDialog::Accepted) return "";
  return dialog.textValue().toStdString();
}

std::optional<std::string> QtUi::ChooseFile(const FileDialogRequest& request, bool forSaving) {
  FileDialogRequest shown = request;
  if (!forSaving) shown.proposedName = ProposedFileToOpen(request, startedWith_);
  const bool proposesStartFile = !startedWith_.empty() && shown.proposedName != request.proposedName;
  QFileDialog dialog(DialogParent());
  DialogMemory& memory = frame_->Dialogs();
  const std::string kind = DialogMemory::KindOf(request.filter);
  SetUpFileDialog(dialog, shown, forSaving, memory, kind);
  while (true) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const std::string path = dialog.selectedFiles().first().toStdString();
    // A path the system cannot use (a device, a read-only file, a folder
    // that may not be written) is answered with the reason and the dialog
    // again, as the console's prompt does.
    const auto problem = forSaving ? CheckFileToSave(path).Problem : ProblemOpeningFile(path);
    if (!problem) {
      if (proposesStartFile) startedWith_.clear();
      memory.Chose(kind, path);
      return path;
    }
    ShowMessage(*problem, request.title, Icon::Exclamation);
  }
}

std::optional<std::string> QtUi::ChooseFileToOpen(const FileDialogRequest& request) {
  return ChooseFile(request, false);
}

std::optional<std::string> QtUi::ChooseFileToSave(const FileDialogRequest& request) {
  return ChooseFile(request, true);
}

void QtUi::SetStatusPanel(int bar, int panel, const std::string& text) {
  frame_->Status()->SetPanel(bar, panel, ToQt(text));
}

void QtUi::ShowStatusBar(int bar, bool visible) { frame_->Status()->ShowBar(bar, visible); }

void QtUi::SetProgress(double fraction) { frame_->Status()->SetProgress(fraction); }

void QtUi::ShowRecording(const std::string& scriptPath) {
  frame_->Status()->ShowRecording(ToQt(scriptPath));
}

void QtUi::OpenUserGuide() {
  const InstalledFile guide =
      FindUserGuide(QCoreApplication::applicationFilePath().toStdString());
  if (guide.found.empty()) {
    ShowMessage("The user guide was not found. It is expected at " + guide.expected.string() + ".",
                "User guide", Icon::Exclamation);
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(guide.found.string()))))
    ShowMessage("No viewer could be started for the user guide. It is at " + guide.found.string() +
                    ".",
                "User guide", Icon::Exclamation);
}

void QtUi::PumpEvents() {
  if (pumpClock_.isValid() && pumpClock_.elapsed() < kPumpIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  pumpClock_.start();
}

void QtUi::Beep() { QApplication::beep(); }

void QtUi::ShowForm(Form& form, bool modal) {
  if (&form == mainForm_) {
    frame_->Bind(form);
    form.SetObserver([this](const std::string& control, FormProperty property) {
      frame_->OnChange(control, property);
    });
    frame_->show();
    form.MarkOpen(true);
    return;
  }
  if (open_.count(&form))
    BringToFront(form);
  else
    Open(form, modal);
  if (modal) WaitUntil([&form] { return !form.IsOpen(); }, "the window " + form.Name());
}

void QtUi::Open(Form& form, bool modal) {
  auto* view = new FormView(form, registry_);
  CloseHooks hooks;
  hooks.queryClose = [&form, view] {
    return AskUserAction(
        view, [&form] { return form.QueryClose(); }, false);
  };
  hooks.closed = [this, &form] {
    RunUserAction(frame_.get(), [this, &form] { WindowClosed(form); });
  };

  QWidget* window = nullptr;
  QPointer<QMdiSubWindow> covered;  // the window a returning main menu stays under
  if (modal) {
    auto* dialog = new FormDialog(view, std::move(hooks), DialogParent());
    view->onCaption = [dialog](const QString& caption) { dialog->setWindowTitle(caption); };
    SizeDialog(dialog, view);
    // A dialog whose form grows (a plot's statistics filled in) grows with
    // it, within the screen.
    auto needed = std::make_shared<QSize>(view->sizeHint());
    new EventHook(view, QEvent::LayoutRequest, [this, dialog = QPointer<FormDialog>(dialog), needed](QEvent*) {
      QTimer::singleShot(0, dialog, [this, dialog, needed] {
        if (!dialog || dialog->view()->sizeHint() == *needed) return;
        *needed = dialog->view()->sizeHint();
        GrowToShow(dialog);
      });
    });
    window = dialog;
  } else {
    QMdiSubWindow* wasActive = frame_->Mdi()->activeSubWindow();
    auto* child = new MdiFormWindow(view, std::move(hooks));
    frame_->Mdi()->addSubWindow(child);
    view->onCaption = [child](const QString& caption) { child->setWindowTitle(caption); };
    // The "&Window" menus of child windows list the open windows too.
    view->Menus()->onAboutToShow = [this](const std::string& name, QMenu* menu) {
      if (name == kWindowMenuName) frame_->ListWindows(menu);
    };
    Place(child, form);
    // Only a change of what the form needs grows the window, so a size the
    // user chose stays while texts change inside it.
    auto needed = std::make_shared<QSize>(view->sizeHint());
    new EventHook(view, QEvent::LayoutRequest, [this, child = QPointer<MdiFormWindow>(child), needed](QEvent*) {
      QTimer::singleShot(0, child, [this, child, needed] {
        if (!child || child->view()->sizeHint() == *needed) return;
        *needed = child->view()->sizeHint();
        GrowToShow(child);
      });
    });
    window = child;
    // A main menu that comes back after a command opens under the window
    // the command left active when it would cover a quarter of it or more,
    // as it does where the workspace is too small for the two side by side:
    // the result the user just asked for stays readable, and a click
    // brings the menu up.
    if (form.Name() == kMainMenuName && wasActive && wasActive->isVisible() && !wasActive->isMinimized()) {
      const QRect overlap = wasActive->geometry() & child->geometry();
      const QSize whole = wasActive->size();
      // A frame's width of overlap between neighbours does not count.
      if (4LL * overlap.width() * overlap.height() > 1LL * whole.width() * whole.height()) covered = wasActive;
    }
  }
  window->setWindowTitle(ToQt(form.Caption()));
  open_[&form] = OpenWindow{window, view};
  form.SetObserver([view](const std::string& control, FormProperty property) {
    view->OnChange(control, property);
  });
  window->show();
  if (covered) {
    window->lower();
    frame_->Mdi()->setActiveSubWindow(covered);
  }
  form.MarkOpen(true);
}

// Where a child window opens. One the user had open before goes back where
// it was, kept in view. Otherwise it opens at the size that shows its whole
// form, as far as the area allows: the main menu in the top-left corner,
// any other window beside the main menu when there is room, else at the
// right edge of the area, over the menu but whole; a second window opening
// at the same spot steps down and right so both can be seen.
void QtUi::Place(MdiFormWindow* child, const Form& form) {
  QMdiArea* mdi = frame_->Mdi();
  const QRect area(QPoint(0, 0), mdi->viewport()->size());
  const auto keepInView = [&area](QRect r) {
    r.setSize(r.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), 0, area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), 0, area.height() - r.height()));
    return r;
  };
  if (auto it = placement_.find(form.Name()); it != placement_.end()) {
    child->setGeometry(keepInView(it->second));
    return;
  }
  const QSize frame = child->sizeHint() - child->widget()->sizeHint();
  QSize size = WindowSizeFor(child->view(), frame.expandedTo(QSize(0, 0)), area.size());
  // A window of reports or tables takes the whole height: they are long.
  if (child->view()->TakesSpareRoom() && form.Name() != kMainMenuName) size.setHeight(area.height());
  QPoint at(0, 0);
  if (form.Name() != kMainMenuName) {
    // Beside the main menu, or where it sat while a command has it closed.
    std::optional<QRect> menu;
    if (auto it = placement_.find(kMainMenuName); it != placement_.end()) menu = it->second;
    for (const auto& [other, window] : open_)
      if (other->Name() == kMainMenuName && window.window) menu = window.window->geometry();
    if (menu) {
      at.setX(menu->right() + 1);
      if (at.x() + size.width() > area.width()) at.setX(std::max(0, area.width() - size.width()));
    }
    // Reports and tables also take the width left beside the menu.
    if (child->view()->TakesSpareRoom())
      size.setWidth(std::max(size.width(), area.width() - at.x()));
  }
  for (bool taken = true; taken;) {
    taken = false;
    for (QMdiSubWindow* other : mdi->subWindowList())
      if (other != child && other->isVisible() && other->pos() == at) taken = true;
    if (taken) at += QPoint(24, 24);
  }
  child->setGeometry(keepInView(QRect(at, size)));
}

// A window whose form has grown (a hidden control shown) grows with it, as
// far as the area allows from where the window is; it never shrinks.
void QtUi::GrowToShow(MdiFormWindow* child) {
  const QSize room = frame_->Mdi()->viewport()->size() - QSize(child->x(), child->y());
  const QSize frame = child->size() - child->widget()->size();
  const QSize wanted =
      child->size().expandedTo(WindowSizeFor(child->view(), frame, room)).boundedTo(room);
  if (wanted != child->size() && !child->isMaximized() && !child->isMinimized())
    child->resize(wanted);
}

// A dialog opens at the size of its whole form within most of the screen.
void QtUi::SizeDialog(QDialog* dialog, FormView* view) {
  const QScreen* screen = frame_->screen();
  if (!screen) return;
  const QSize room = screen->availableGeometry().size() * 0.92;
  dialog->resize(WindowSizeFor(view, QSize(0, 0), room));
}

// A dialog grows as a child window does, within most of the screen, and
// moves up and left as far as it must to stay on it.
void QtUi::GrowToShow(FormDialog* dialog) {
  const QScreen* screen = dialog->screen();
  if (!screen || dialog->isMaximized()) return;
  const QRect available = screen->availableGeometry();
  const QSize room = available.size() * 0.92;
  const QSize wanted =
      dialog->size().expandedTo(WindowSizeFor(dialog->view(), QSize(0, 0), room)).boundedTo(room);
  if (wanted == dialog->size()) return;
  dialog->resize(wanted);
  const QRect frame = dialog->frameGeometry();
  QPoint shift(std::min(0, available.right() - frame.right()), std::min(0, available.bottom() - frame.bottom()));
  if (!shift.isNull()) dialog->move(dialog->pos() + shift);
}

void QtUi::CloseForm(Form& form) {
  if (&form == mainForm_) {
    frame_->hide();
    form.MarkOpen(false);
    return;
  }
  auto it = open_.find(&form);
  if (it != open_.end()) {
    QPointer<QWidget> window = it->second.window;
    if (auto* child = qobject_cast<MdiFormWindow*>(window.data())) {
      placement_[form.Name()] = child->geometry();
      child->Dismiss();
    } else if (auto* dialog = qobject_cast<FormDialog*>(window.data())) {
      dialog->Dismiss();
    }
    open_.erase(&form);
    form.SetObserver(nullptr);
  }
  form.MarkOpen(false);
}

// The user closed the window.
void QtUi::WindowClosed(Form& form) {
  auto it = open_.find(&form);
  if (it == open_.end()) return;
  if (auto* child = qobject_cast<MdiFormWindow*>(it->second.window.data()))
    placement_[form.Name()] = child->geometry();
  open_.erase(it);
  form.SetObserver(nullptr);
  form.MarkOpen(false);
}

void QtUi::BringToFront(Form& form) {
  if (&form == mainForm_) {
    frame_->raise();
    frame_->activateWindow();
    return;
  }
  QWidget* window = WindowOf(form);
  if (auto* child = qobject_cast<MdiFormWindow*>(window)) {
    if (child->isMinimized()) child->showNormal();
    frame_->Mdi()->setActiveSubWindow(child);
  } else if (window) {
    window->raise();
    window->activateWindow();
  }
}

// Deferred deletions wait while this runs: a window closed meanwhile may
// still be on the call stack below.
void QtUi::WaitUntil(const std::function<bool()>& condition, const std::string&) {
  while (!condition()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtUi::EndApplication(int status) { exit_(status); }

}  // namespace quorvane::qt
