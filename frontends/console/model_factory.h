#pragma once

#include <memory>

#include "core/model.h"

namespace quorvane::console {

// The model this application carries; none until the time-series model is built.
inline std::unique_ptr<Model> MakeModel() { return nullptr; }

}  // namespace quorvane::console
