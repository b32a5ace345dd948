#pragma once

#include <memory>
#include <vector>

#include "core/model.h"
#include "priors/prior_table.h"
#include "shell/app_state.h"
#include "shell/ui/form.h"
#include "shell/ui/ui.h"

namespace quorvane {

class MainWindow;
class MainMenu;
class InfoWindows;

// Everything that lives for the whole run: the application state, the model,
// the records of every subsystem and the windows. main() makes one and
// passes it by reference; tests make a fresh one each.
class Session {
 public:
  // The model may be null, for tests of the shell alone.
  Session(Ui& ui, Model* model);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Ui& ui() { return ui_; }
  Model* model() { return model_; }

  AppState State;
  PriorTable Priors;

  MainWindow& Main() { return *main_window_; }
  MainMenu& Menu() { return *main_menu_; }
  InfoWindows& Info() { return *info_windows_; }

  // Windows closed before a new calculation starts (the one-function-call,
  // Simplex and Marquardt windows register themselves here).
  void RegisterResultWindow(Form& form) { result_windows_.push_back(&form); }
  void CloseResultWindows();

  // Start-up: state at its initial values, the main window and the main menu shown.
  void Start();

  // The quit sequence. Returns false when the user declined to quit, so a
  // closing main window can stay open; otherwise the application ends.
  bool QuitApplication();

 private:
  Ui& ui_;
  Model* model_;
  std::vector<Form*> result_windows_;
  std::unique_ptr<MainWindow> main_window_;
  std::unique_ptr<MainMenu> main_menu_;
  std::unique_ptr<InfoWindows> info_windows_;
};

}  // namespace quorvane
