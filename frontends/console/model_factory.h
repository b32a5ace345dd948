#pragma once

#include <memory>

#include "core/model.h"
#include "core/model_set_up.h"
#include "core/quadratic_fit_model.h"
#include "app/main_menu.h"
#include "app/session.h"

namespace quorvane::console {


// The small demonstration model of the hidden --test-model option, which the
// end-to-end tests of the estimation core use.
inline std::unique_ptr<Model> MakeTestModel() { return std::make_unique<QuadraticFitModel>(); }

// After start-up with the test model: the model is set up at once, as the
// Initialize command would, and the main menu shows the commands that
// follow set-up (Initialize and Load).
inline void SetUpTestModel(Session& session) {
  SetUpModel(session);
  session.Menu().Close();
  session.Menu().Show();
}

}  // namespace quorvane::console
