#include "qt/dialog_memory.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/format/file_names.h"
#include "qt/main_frame.h"
#include "qt/text_convert.h"

namespace quorvane::qt {

namespace {

namespace fs = std::filesystem;

fs::path Absolute(const fs::path& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal();
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace

std::string DialogMemory::KindOf(const std::string& filter) {
  // The patterns are every second item of "description|pattern|...".
  size_t start = 0;
  for (int item = 0; start <= filter.size(); ++item) {
    const size_t end = std::min(filter.find('|', start), filter.size());
    const std::string part = filter.substr(start, end - start);
    if (item % 2 == 1) {
      // A pattern may list several, separated by ";".
      size_t from = 0;
      while (from <= part.size()) {
        const size_t to = std::min(part.find(';', from), part.size());
        std::string pattern = part.substr(from, to - from);
        pattern.erase(0, pattern.find_first_not_of(' '));
        pattern.erase(pattern.find_last_not_of(' ') + 1);
        if (pattern.size() > 2 && pattern.rfind("*.", 0) == 0 && pattern != "*.*") return pattern;
        from = to + 1;
      }
    }
    start = end + 1;
  }
  return "";
}

std::string DialogMemory::FolderFor(const std::string& kind) const {
  if (auto it = folders_.find(kind); it != folders_.end() && IsFolder(it->second)) return it->second;
  if (dataFile) {
    const std::string data = dataFile();
    if (!data.empty()) {
      const fs::path folder = Absolute(data).parent_path();
      if (IsFolder(folder)) return folder.string();
    }
  }
  return Absolute(fs::current_path()).string();
}

void DialogMemory::Chose(const std::string& kind, const std::string& path) {
  const std::string folder = Absolute(path).parent_path().string();
  folders_[kind] = folder;
  history_.erase(std::remove(history_.begin(), history_.end(), folder), history_.end());
  history_.push_back(folder);
}

void DialogMemory::Prepare(QFileDialog& dialog, const std::string& kind,
                           const std::string& proposedName) const {
  QStringList history;
  for (const std::string& folder : history_) history << ToQt(folder);
  dialog.setHistory(history);
  const fs::path proposed(proposedName);
  if (proposed.has_parent_path()) {
    // The user's own file, in its own folder.
    const fs::path absolute = Absolute(proposed);
    dialog.setDirectory(ToQt(absolute.parent_path().string()));
    dialog.selectFile(ToQt(absolute.string()));
    return;
  }
  dialog.setDirectory(ToQt(FolderFor(kind)));
  if (!proposedName.empty()) dialog.selectFile(ToQt(proposedName));
}

std::string DialogMemory::FigureName(const std::string& folder, const std::string& extension) const {
  std::string title = dataFile ? FileTitle(dataFile()) : "";
  const std::string stem = title.empty() ? "plot" : title + "-plot";
  for (int number = figuresSaved_ + 1;; ++number) {
    const std::string name = stem + std::to_string(number) + extension;
    if (!Exists(fs::path(folder) / name)) return name;
  }
}

DialogMemory& DialogMemoryOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* frame = dynamic_cast<MainFrame*>(w)) return frame->Dialogs();
  static DialogMemory own;
  return own;
}

}  // namespace quorvane::qt
