#pragma once

#include <string>

namespace quorvane {

class Session;

enum class AlgorithmReadOutcome {
  Read,        // the session's algorithm data now hold the file's
  Failed,      // the file broke one of the reader's checks; the user was told
  Unreadable,  // the file could not be opened or read; nobody was told yet
};

// Replaces the session's algorithm data from the file at `path` (values,
// steps, fuse codes and settings; FileFrequency becomes 0). On failure the
// algorithm data stay exactly as they were, the user sees the reader's
// message (title "Algorithm file - information input failed") with the main
// menu hidden meanwhile, and the Load and Initialize commands are enabled.
// The tolerance rule is the caller's. When the file is Unreadable, `reason`
// (if given) receives why.
AlgorithmReadOutcome ReadAlgorithmFile(Session& session, const std::string& path,
                                       std::string* reason = nullptr);

}  // namespace quorvane
