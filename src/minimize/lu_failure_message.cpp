#include "minimize/lu_failure_message.h"

#include "base/format/plain_number_text.h"
#include "base/ui/ui.h"

namespace quorvane {

void ShowDecompositionFailure(Ui& ui, int parameterNumber, bool analyticalDerivatives) {
  ui.ShowMessage(analyticalDerivatives
                     ? "Look for statistically dead parameters and/or suspect your analytical "
                       "derivatives"
                     : "Look for statistically dead model parameters",
                 "Matrix decompositon failure at parameter #" + PlainNumberText(parameterNumber) +
                     "!",
                 Icon::Exclamation);
}

}  // namespace quorvane
