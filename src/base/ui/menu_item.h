#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane {

// A menu of a window's menu bar, or an item in it. A top-level menu without
// items acts as a command of its own when clicked.
struct MenuItem {
  std::string name;
  std::string caption;   // with "&" before the access key
  std::string shortcut;  // "Ctrl+M", or empty
  bool enabled = true;
  bool visible = true;
  bool separator = false;
  std::function<void()> onClick;
  std::vector<MenuItem> items;
};

// A menu item that runs `onClick`, and a separator line.
MenuItem MenuCommand(std::string name, std::string caption, std::string shortcut,
                     std::function<void()> onClick);
MenuItem MenuSeparator(std::string name);

// The caption without its access-key marks: "E&xit" gives "Exit", "&&" gives "&".
std::string StripAccessKey(const std::string& caption);

}  // namespace quorvane
