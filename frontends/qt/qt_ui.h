#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "base/ui/ui.h"

class QDialog;
class QWidget;

namespace quorvane::qt {

class FormView;
class MainFrame;
class MdiFormWindow;
class FormDialog;
class ControlRegistry;

// The Qt front end's answer to the interaction port: the main window's form
// is the MDI frame, a modeless form a child window in it, a modal form a
// dialog; questions are Qt's standard dialogs. Needs a QApplication.
class QtUi : public Ui {
 public:
  explicit QtUi(const ControlRegistry& registry);
  QtUi();
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  // The main window's form becomes the frame, and its window arrangements
  // act on the child windows. Call it before the session starts.
  void AttachMainWindow(MainWindow& main);
  // Where the session's data file is ("" before there is one): the file
  // choosers first open in its folder.
  void SetDataFileSource(std::function<std::string()> dataFile);

  MainFrame& Frame() const { return *frame_; }
  // The view of an open form (not the main window's), or null.
  FormView* ViewOf(const Form& form) const;
  // The window holding an open form: the child window or the dialog.
  QWidget* WindowOf(const Form& form) const;
  // An open form by its name, the main window's too, or null.
  Form* OpenForm(const std::string& name) const;

  // What EndApplication does with the status. By default it flushes the
  // output streams and ends the process at once, however deep in nested
  // event loops the call comes from.
  void SetExitAction(std::function<void(int)> action) { exit_ = std::move(action); }

  // The file the application was started with (`quorvane FILE`): the file
  // choosers for opening that offer its kind propose it, until one of them
  // has given a file back (opened_file.h).
  void ProposeForOpening(std::string path) { startedWith_ = std::move(path); }

  void ShowMessage(const std::string& text, const std::string& title, Icon icon) override;
  Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                  bool noIsDefault) override;
  Answer AskYesNoCancel(const std::string& text, const std::string& title, Icon icon,
                        bool noIsDefault = false) override;
  Answer AskOkCancel(const std::string& text, const std::string& title, Icon icon) override;
  std::string AskValue(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;
  void SetStatusPanel(int bar, int panel, const std::string& text) override;
  void ShowStatusBar(int bar, bool visible) override;
  void SetProgress(double fraction) override;
  void ShowRecording(const std::string& scriptPath) override;
  // Opens the guide found beside the program or in its installed place with
  // the system's viewer; otherwise says where it is expected.
  void OpenUserGuide() override;
  // Processes pending events at most once every kPumpIntervalMs; between
  // those it only reads a clock.
  void PumpEvents() override;
  void Beep() override;
  void ShowForm(Form& form, bool modal) override;
  void CloseForm(Form& form) override;
  void BringToFront(Form& form) override;
  void WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) override;
  void EndApplication(int status) override;

  static constexpr int kPumpIntervalMs = 30;

 private:
  struct OpenWindow {
    QPointer<QWidget> window;  // MdiFormWindow or FormDialog
    FormView* view = nullptr;
  };

  void Open(Form& form, bool modal);
  void Place(MdiFormWindow* child, const Form& form);
  void SizeDialog(QDialog* dialog, FormView* view);
  void GrowToShow(MdiFormWindow* child);
  void GrowToShow(FormDialog* dialog);
  void WindowClosed(Form& form);
  QWidget* DialogParent() const;
  Answer Ask(const std::string& text, const std::string& title, Icon icon,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
             QMessageBox::StandardButton escapeButton);
  std::optional<std::string> ChooseFile(const FileDialogRequest& request, bool forSaving);

  const ControlRegistry& registry_;
  std::unique_ptr<MainFrame> frame_;
  Form* mainForm_ = nullptr;
  std::map<const Form*, OpenWindow> open_;
  std::map<std::string, QRect> placement_;  // where each form's child window was last
  QElapsedTimer pumpClock_;
  std::function<void(int)> exit_;
  std::string startedWith_;
};

}  // namespace quorvane::qt
