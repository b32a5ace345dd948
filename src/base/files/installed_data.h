#pragma once

#include <filesystem>

namespace quorvane {

// Where the running program finds a file that ships with it (the user
// guide; the examples later). `found` is empty when there is none;
// `expected` is where an installed program looks for it, for the message
// that says so.
struct InstalledFile {
  std::filesystem::path found;
  std::filesystem::path expected;
};

// `program` is the path of the running executable. A program in a build
// tree (a folder above it holds the CMakeCache.txt of this project) takes
// the source tree's file, `inSource` relative to the source folder. Any
// other program, or a build tree whose source has no such file, takes the
// installed one: `installed` relative to the folder above the program's
// folder (PREFIX/bin/quorvane finds PREFIX/share/...).
InstalledFile FindInstalledFile(const std::filesystem::path& program,
                                const std::filesystem::path& inSource,
                                const std::filesystem::path& installed);

// The user guide: docs/README.md in the source tree, installed as
// share/doc/quorvane/README.md.
InstalledFile FindUserGuide(const std::filesystem::path& program);

}  // namespace quorvane
