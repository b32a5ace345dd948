#pragma once

namespace quorvane {

class Ui;

// The message of a failed LuDecompose: the matrix has a row of zeros, which
// belongs to parameter `parameterNumber` (a row that is zero means the
// objective does not depend on that parameter, or its derivatives are
// wrong). The advice names the analytical derivatives when they were used.
void ShowDecompositionFailure(Ui& ui, int parameterNumber, bool analyticalDerivatives);

}  // namespace quorvane
