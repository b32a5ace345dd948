#pragma once

namespace quorvane {

// Where the Marquardt search takes its derivatives from: finite differences
// of the objective, or the model's own (MODEL with NF = -2). None: the user
// cancelled the choice.
enum class DerivativeKind { None, Numerical, Analytical };

}  // namespace quorvane
