#pragma once

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The arrangements the "&Window" menu offers for the child windows.
enum class WindowArrangement { Cascade, TileHorizontal, TileVertical, ArrangeIcons };

// The main window: the frame captioned "Quorvane" with its menu bar. Its
// status bars are reached through Ui::SetStatusPanel.
class MainWindow {
 public:
  explicit MainWindow(Session& session);

  Form& form() { return form_; }

  // Enables or disables the "&Application" menu; long calculations disable it.
  void SetApplicationMenuEnabled(bool enabled);
  bool ApplicationMenuEnabled() const;
  // The hidden "&Interrupt " menu of the posterior grid and the "&Interrupt"
  // menu of the likelihood profiles.
  void ShowPosteriorInterrupt(bool visible);
  void ShowProfileInterrupt(bool visible);
  // The "&Window", "&About", "&Wisdom" and "&Defaults etc." menus, hidden
  // while a posterior grid runs.
  void ShowSecondaryMenus(bool visible);

  void ClearAllStatusPanels();

  // The "&Window" menu, which the main window and the child windows with
  // menus of their own carry: it arranges the child windows.
  MenuItem WindowMenu();

  // What the window arrangement items ask the front end to do.
  std::function<void(WindowArrangement)> onArrange;

 private:
  Session& session_;
  Form form_;
};

}  // namespace quorvane
