#pragma once

#include <string>

#include "base/ui/ui.h"

namespace quorvane::qt {

// `quorvane FILE`, as a file manager starts it for a double-clicked
// algorithm data file: nothing is read at once (the model must be set up
// first), but the file choosers for opening that offer FILE's kind propose
// it. This gives the name a chooser proposes: its own proposal when it has
// one; otherwise `startedWith` when one of the chooser's patterns ("*.alg",
// "*.dat;*.txt") matches its extension, letter case aside; otherwise none.
std::string ProposedFileToOpen(const FileDialogRequest& request, const std::string& startedWith);

}  // namespace quorvane::qt
