#pragma once

namespace quorvane {

class Session;

// Reads the priors file named by PriorsFileName into the session's table
// and tells the user. The table changes only when the whole file is usable:
// a count other than the model's clears PriorsActive and keeps the rows; a
// file that cannot be read, ends early, does not start with a number or holds
// undefined terms keeps the rows and names the file and line. True when loaded.
bool ReadPriorsFile(Session& session);

// Where the save was asked for; only the closing status text differs.
enum class PriorsSaveFrom { MainMenu, PriorEditor };

// Asks for a file and writes the table to it, replacing any earlier file
// atomically. False when the user cancelled or the file could not be written.
bool Save_Priors(Session& session, PriorsSaveFrom from);

}  // namespace quorvane
