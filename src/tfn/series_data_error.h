#pragma once

#include <stdexcept>
#include <string>

namespace quorvane {

// A series data file that cannot be used, with the title and text the user
// is shown. The set-up that met it is abandoned; nothing of the model changes.
class SeriesDataError : public std::runtime_error {
 public:
  SeriesDataError(std::string title, std::string text)
      : std::runtime_error(text), Title(std::move(title)), Text(std::move(text)) {}
  std::string Title;
  std::string Text;
};

}  // namespace quorvane
