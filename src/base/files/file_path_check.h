#pragma once

#include <optional>
#include <string>

namespace quorvane {

// What the file choosers check before they give a path back, so that a path
// the system cannot use is answered with a message and the question again.
// The checks never throw: a name too long, a folder the user may not enter
// or a loop of links is a reason like any other.

// Why `path` cannot be opened as a file to read ("There is no file ...",
// "... is a folder", "... is a device, not a file", "Cannot look up ...: "
// and the system's reason), or nothing when it can.
std::optional<std::string> ProblemOpeningFile(const std::string& path);

// What a file chooser for saving learns about `path`: why nothing can be
// saved there (a folder, a read-only file, a folder that is missing or may
// not be written, a name that cannot be looked up), or that it can, and
// whether a file of that name exists already (then the user is asked
// before it is replaced).
struct SaveTargetCheck {
  std::optional<std::string> Problem;
  bool Exists = false;
};
SaveTargetCheck CheckFileToSave(const std::string& path);

// The message for a file that may not be written: an editor, too, refuses
// to replace it.
std::string ReadOnlyFileText(const std::string& path);

// The kind of a file that is neither a plain file nor a folder, as the
// messages name it: "a device", "a pipe", "a socket"; empty for a plain
// file, a folder or a name that does not exist.
std::string SpecialFileKind(const std::string& path);

}  // namespace quorvane
