#pragma once

#include <string>

namespace quorvane {

// A message that refuses a set-up: its title and its text.
struct ValidationMessage {
  std::string Title;
  std::string Text;
};

}  // namespace quorvane
