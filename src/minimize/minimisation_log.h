#pragma once

#include <string>
#include <vector>

namespace quorvane {

class Session;

// Appends report lines (each ended by CR LF) to the minimisation log while
// it is open. When a line cannot be written (a full disk, a removed
// medium) the user is told once, the log is closed and the file output
// frequency set to 0, so the search goes on without a log rather than
// losing its lines silently.
void AppendMinimisationLog(Session& session, const std::vector<std::string>& lines);

}  // namespace quorvane
