#include "base/files/file_path_check.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

std::string Reason(int error) { return std::strerror(error); }

bool Missing(int error) { return error == ENOENT || error == ENOTDIR; }

std::string KindOf(mode_t mode) {
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISSOCK(mode)) return "a socket";
  return "";
}

// The folder a path names its file in: "." for a bare name.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A file nobody may write (root, too, is refused by an editor), or one this
// user may not write.
bool IsReadOnly(const std::string& path, const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

std::string ReadOnlyFileText(const std::string& path) {
  return path + " is read-only, so it is not replaced";
}

std::string SpecialFileKind(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "";
  return KindOf(info.st_mode);
}

std::optional<std::string> ProblemOpeningFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    if (Missing(error)) return "There is no file " + path;
    return "Cannot look up " + path + ": " + Reason(error);
  }
  if (S_ISDIR(info.st_mode)) return path + " is a folder";
  if (!S_ISREG(info.st_mode)) return path + " is " + KindOf(info.st_mode) + ", not a file";
  if (::access(path.c_str(), R_OK) != 0) return "Cannot read " + path + ": " + Reason(errno);
  return std::nullopt;
}

SaveTargetCheck CheckFileToSave(const std::string& path) {
  const std::string folder = FolderOf(path);
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    const int error = errno;
    if (Missing(error)) return {"There is no folder " + folder, false};
    return {"Cannot look up " + folder + ": " + Reason(error), false};
  }
  if (!S_ISDIR(info.st_mode)) return {folder + " is not a folder", false};
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return {"Cannot write in the folder " + folder + ": " + Reason(errno), false};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    if (Missing(error)) return {std::nullopt, false};
    return {"Cannot look up " + path + ": " + Reason(error), false};
  }
  if (S_ISDIR(info.st_mode)) return {path + " is a folder", true};
  if (S_ISREG(info.st_mode) && IsReadOnly(path, info)) return {ReadOnlyFileText(path), true};
  return {std::nullopt, true};
}

}  // namespace quorvane
