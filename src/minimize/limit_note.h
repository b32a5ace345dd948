#pragma once

#include <string>

#include "core/one_based.h"

namespace quorvane {

class Model;

// The note that follows "Minimum found ..." when the model's penalty holds
// parameters on a limit of the parameter space at the minimum P: a heading
// line and one line per parameter the model names, joined by CR LF. Empty
// when the model names none, so reports of ordinary minima are unchanged.
std::string LimitNoteText(const Model& model, const OneBased<double>& P);

}  // namespace quorvane
