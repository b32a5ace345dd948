#pragma once

#include <string>

namespace quorvane {

// A statistical model that plugs into the estimation core. The calculations
// reach it only through the objective-function evaluation.
class Model {
 public:
  virtual ~Model() = default;
  // The caption the main menu shows for the model.
  virtual std::string Name() const = 0;
};

}  // namespace quorvane
