#include "base/files/installed_data.h"

#include <fstream>
#include <string>
#include <system_error>

namespace quorvane {

namespace {

namespace fs = std::filesystem;

// The line of CMakeCache.txt that names this project's source folder.
constexpr std::string_view kSourceDirEntry = "Quorvane_SOURCE_DIR:STATIC=";

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The source folder of the build tree that holds `folder`, or empty.
fs::path SourceOfBuildTree(fs::path folder) {
  for (int depth = 0; depth < 8 && !folder.empty(); ++depth) {
    const fs::path cache = folder / "CMakeCache.txt";
    if (IsFile(cache)) {
      std::ifstream in(cache);
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(kSourceDirEntry, 0) == 0) return fs::path(line.substr(kSourceDirEntry.size()));
      }
      return {};  // another project's build tree
    }
    if (folder == folder.parent_path()) break;
    folder = folder.parent_path();
  }
  return {};
}

}  // namespace

InstalledFile FindInstalledFile(const fs::path& program, const fs::path& inSource,
                                const fs::path& installed) {
  std::error_code error;
  fs::path absolute = fs::absolute(program, error);
  if (error) absolute = program;
  const fs::path folder = absolute.parent_path();
  InstalledFile file;
  file.expected = (folder.parent_path() / installed).lexically_normal();
  if (const fs::path source = SourceOfBuildTree(folder); !source.empty()) {
    if (const fs::path candidate = source / inSource; IsFile(candidate)) {
      file.found = candidate.lexically_normal();
      return file;
    }
  }
  if (IsFile(file.expected)) file.found = file.expected;
  return file;
}

InstalledFile FindUserGuide(const fs::path& program) {
  return FindInstalledFile(program, "docs/README.md", "share/doc/quorvane/README.md");
}

}  // namespace quorvane
