#include "app/main_window.h"

#include "app/info_windows.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "base/ui/status_bars.h"

namespace quorvane {

MainWindow::MainWindow(Session& session) : session_(session), form_("frmMain", "Quorvane") {
  MenuItem application = MenuCommand("mnuApplication", "&Application", "", nullptr);
  application.items = {
      MenuCommand("mnuMenu", "Main &menu", "Ctrl+M", [this] { session_.Menu().Show(); }),
      MenuSeparator("mnuApplicationSeparator"),
      MenuCommand("mnuExit", "E&xit", "Ctrl+X", [this] { session_.QuitApplication(); }),
  };
  form_.AddMenu(std::move(application));

  MenuItem posterior = MenuCommand("mnuInterruptBayesian", "&Interrupt ", "", nullptr);
  posterior.visible = false;
  posterior.items = {MenuCommand("mnuBayesianInt", "I&nterrupt calculations", "Ctrl+N",
                          [this] { session_.State.PosteriorInterrupt = true; })};
  form_.AddMenu(std::move(posterior));

  MenuItem profile = MenuCommand("mnuInterruptML", "&Interrupt", "", nullptr);
  profile.visible = false;
  profile.items = {MenuCommand("mnuMLInt", "&Interrupt calculations", "Ctrl+I",
                        [this] { session_.State.ProfileInterrupt = true; })};
  form_.AddMenu(std::move(profile));

  form_.AddMenu(WindowMenu());

  form_.AddMenu(MenuCommand("mnuDefaults", "&Defaults etc.", "", [this] { session_.Info().ShowDefaults(); }));
  form_.AddMenu(MenuCommand("mnuWisdom", "&Wisdom", "", [this] { session_.Info().ShowWisdom(); }));
  MenuItem about = MenuCommand("mnuAbout", "&About", "", nullptr);
  about.items = {MenuCommand("mnuCredits", "&Credits", "", [this] { session_.Info().ShowCredits(); }),
                 MenuCommand("mnuUserGuide", "&User guide", "F1", [this] { session_.ui().OpenUserGuide(); })};
  form_.AddMenu(std::move(about));

  // Closing the main window is quitting; declining keeps it open.
  form_.onQueryClose = [this] { return session_.QuitApplication(); };
}

MenuItem MainWindow::WindowMenu() {
  auto arrange = [this](WindowArrangement how) {
    return [this, how] {
      if (onArrange) onArrange(how);
    };
  };
  MenuItem window = MenuCommand("mnuWindow", "&Window", "", nullptr);
  window.items = {
      MenuCommand("mnuCascade", "&Cascade", "Ctrl+C", arrange(WindowArrangement::Cascade)),
      MenuCommand("mnuTileHorizontal", "Tile &Horizontal", "Ctrl+H",
                  arrange(WindowArrangement::TileHorizontal)),
      MenuCommand("mnuTileVertical", "Tile &Vertical", "Ctrl+V",
                  arrange(WindowArrangement::TileVertical)),
      MenuCommand("mnuArrangeIcons", "&Arrange Icons", "", arrange(WindowArrangement::ArrangeIcons)),
  };
  return window;
}

void MainWindow::SetApplicationMenuEnabled(bool enabled) {
  form_.SetMenuEnabled("mnuApplication", enabled);
}

bool MainWindow::ApplicationMenuEnabled() const {
  const MenuItem* menu = form_.FindMenu("mnuApplication");
  return menu && menu->enabled;
}

void MainWindow::ShowPosteriorInterrupt(bool visible) {
  form_.SetMenuVisible("mnuInterruptBayesian", visible);
  form_.SetMenuVisible("mnuBayesianInt", visible);
}

void MainWindow::ShowProfileInterrupt(bool visible) {
  form_.SetMenuVisible("mnuInterruptML", visible);
  form_.SetMenuVisible("mnuMLInt", visible);
}

void MainWindow::ShowSecondaryMenus(bool visible) {
  for (const char* name : {"mnuWindow", "mnuAbout", "mnuWisdom", "mnuDefaults"})
    form_.SetMenuVisible(name, visible);
}

void MainWindow::ClearAllStatusPanels() {
  for (int bar = 0; bar < kStatusBarCount; ++bar)
    for (int panel = 1; panel <= kStatusBarPanels[static_cast<size_t>(bar)]; ++panel)
      session_.ui().SetStatusPanel(bar, panel, "");
}

}  // namespace quorvane
