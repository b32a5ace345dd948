#pragma once

namespace quorvane {

class Session;

// The main menu's Load command (after CloseResultWindows): asks whether to
// load an existing file or take default values, and on either path discards
// the stored simplex, names the file in the status bar and enables every
// command.
void LoadAlgorithmData(Session& session);

// Asks for an algorithm file and reads it, then applies the tolerance rule
// (a magnitude below 1E-06 becomes 1E-06 with its sign; 0 stays 0). Returns
// true when the data were replaced. On any failure, or when the user
// cancels, the algorithm data and the file name stay as they were and the
// Load and Initialize commands are enabled. The ranking window's load uses
// this directly.
bool ChooseAndReadAlgorithmFile(Session& session);

}  // namespace quorvane
