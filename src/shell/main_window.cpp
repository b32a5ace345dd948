#include "shell/main_window.h"

#include "shell/info_windows.h"
#include "shell/main_menu.h"
#include "shell/session.h"
#include "shell/ui/status_bars.h"

namespace quorvane {

namespace {

MenuItem Item(std::string name, std::string caption, std::string shortcut,
              std::function<void()> onClick) {
  MenuItem item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.shortcut = std::move(shortcut);
  item.onClick = std::move(onClick);
  return item;
}

MenuItem Separator(std::string name) {
  MenuItem item;
  item.name = std::move(name);
  item.separator = true;
  return item;
}

}  // namespace

MainWindow::MainWindow(Session& session) : session_(session), form_("frmMain", "Quorvane") {
  MenuItem application = Item("mnuApplication", "&Application", "", nullptr);
  application.items = {
      Item("mnuMenu", "Main &menu", "Ctrl+M", [this] { session_.Menu().Show(); }),
      Separator("mnuApplicationSeparator"),
      Item("mnuExit", "E&xit", "Ctrl+X", [this] { session_.QuitApplication(); }),
  };
  form_.AddMenu(std::move(application));

  MenuItem posterior = Item("mnuInterruptBayesian", "&Interrupt ", "", nullptr);
  posterior.visible = false;
  posterior.items = {Item("mnuBayesianInt", "I&nterrupt calculations", "Ctrl+N",
                          [this] { session_.State.PosteriorInterrupt = true; })};
  form_.AddMenu(std::move(posterior));

  MenuItem profile = Item("mnuInterruptML", "&Interrupt", "", nullptr);
  profile.visible = false;
  profile.items = {Item("mnuMLInt", "&Interrupt calculations", "Ctrl+I",
                        [this] { session_.State.ProfileInterrupt = true; })};
  form_.AddMenu(std::move(profile));

  auto arrange = [this](WindowArrangement how) {
    return [this, how] {
      if (onArrange) onArrange(how);
    };
  };
  MenuItem window = Item("mnuWindow", "&Window", "", nullptr);
  window.items = {
      Item("mnuCascade", "&Cascade", "Ctrl+C", arrange(WindowArrangement::Cascade)),
      Item("mnuTileHorizontal", "Tile &Horizontal", "Ctrl+H",
           arrange(WindowArrangement::TileHorizontal)),
      Item("mnuTileVertical", "Tile &Vertical", "Ctrl+V", arrange(WindowArrangement::TileVertical)),
      Item("mnuArrangeIcons", "&Arrange Icons", "", arrange(WindowArrangement::ArrangeIcons)),
  };
  form_.AddMenu(std::move(window));

  form_.AddMenu(Item("mnuDefaults", "&Defaults etc.", "", [this] { session_.Info().ShowDefaults(); }));
  form_.AddMenu(Item("mnuWisdom", "&Wisdom", "", [this] { session_.Info().ShowWisdom(); }));
  MenuItem about = Item("mnuAbout", "&About", "", nullptr);
  about.items = {Item("mnuCredits", "&Credits", "", [this] { session_.Info().ShowCredits(); })};
  form_.AddMenu(std::move(about));

  // Closing the main window is quitting; declining keeps it open.
  form_.onQueryClose = [this] { return session_.QuitApplication(); };
}

void MainWindow::SetApplicationMenuEnabled(bool enabled) {
  form_.SetMenuEnabled("mnuApplication", enabled);
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
