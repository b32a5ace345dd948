#pragma once

namespace quorvane {

class Session;

// The main menu's save (also run by the quit sequence and the Initialize
// command): asks where to save, proposing the current file name (a
// date-time name when there is none yet), writes the file with the label
// "  Value, step then link for " and names it in the status bar. A
// cancelled chooser stops quietly. When the file cannot be written the user
// is told why, any existing file of that name is left as it was and the
// current file name does not change. Returns true when the file was written.
bool Save_Alg(Session& session);

// The ranking window's save: the same, except that the algorithm-files
// filter entry is shown first, the parameter lines carry the label
// "  Value, step then link for: " and the status bar shows the file's title.
bool RankingSave_Alg(Session& session);

}  // namespace quorvane
