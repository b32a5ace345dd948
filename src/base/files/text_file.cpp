#include "base/files/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files/file_path_check.h"

namespace quorvane {

namespace {

std::string Reason() { return std::strerror(errno); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A short name in the target's folder: a name built by adding to the
// target's own could pass the longest name the folder allows.
std::string TemporaryName(const std::string& target) {
  std::random_device device;
  return FolderOf(target) + "/.quorvane-" + std::to_string(device() % 1000000u) + ".tmp";
}

// The file a path finally names: a symbolic link is followed to its target
// (which may not exist yet), so that saving through a link replaces the
// target and the link stays. Gives nothing and sets `error` for a loop of
// links or a link that cannot be read.
std::optional<std::string> FollowLinks(const std::string& path, std::string& error) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> buffer(static_cast<size_t>(PATH_MAX) + 1);
    const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size() - 1);
    if (length < 0) {
      error = "Cannot follow the link " + path + ": " + Reason();
      return std::nullopt;
    }
    std::string target(buffer.data(), static_cast<size_t>(length));
    current = !target.empty() && target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  error = "Cannot follow the link " + path + ": " + std::strerror(ELOOP);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteTextFileAtomically(const std::string& path,
                                                   const std::string& text) {
  std::string error;
  const std::optional<std::string> target = FollowLinks(path, error);
  if (!target) return error;
  struct stat old {};
  const bool replacing = ::stat(target->c_str(), &old) == 0;
  if (replacing) {
    if (S_ISDIR(old.st_mode)) return path + " is a folder";
    // Renaming over a device or a pipe would put a plain file in its place.
    if (!S_ISREG(old.st_mode)) return path + " is " + SpecialFileKind(*target) + ", not a file";
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target->c_str(), W_OK) != 0)
      return ReadOnlyFileText(path);
  } else if (errno != ENOENT) {
    return "Cannot write " + path + ": " + Reason();
  }
  const std::string temporary = TemporaryName(*target);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return "Cannot write " + path + ": " + Reason();
  auto fail = [&](const std::string& why) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return "Cannot write " + path + ": " + why;
  };
  size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(Reason());
    }
    written += static_cast<size_t>(n);
  }
  // Keep the permissions of a file being replaced.
  if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) return fail(Reason());
  if (::fsync(fd) != 0) return fail(Reason());
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) return fail(Reason());
  if (std::rename(temporary.c_str(), target->c_str()) != 0) {
    std::string why = Reason();
    ::unlink(temporary.c_str());
    return "Cannot replace " + path + ": " + why;
  }
  return std::nullopt;
}

LineRead ReadCappedLine(std::istream& in, std::string& line) {
  line.clear();
  std::streambuf* buffer = in.rdbuf();
  bool any = false;
  while (true) {
    const int c = buffer ? buffer->sbumpc() : std::char_traits<char>::eof();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(std::ios::eofbit);
      if (!any) return LineRead::End;
      break;
    }
    any = true;
    if (c == '\n') break;
    // One character beyond the limit may still be the CR of a CR LF.
    if (line.size() > kLongestTextLine) return LineRead::TooLong;
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line.size() > kLongestTextLine ? LineRead::TooLong : LineRead::Line;
}

std::string LineTooLongText(const std::string& path, long long lineNumber) {
  return "Line " + std::to_string(lineNumber) + " of " + path + " is longer than " +
         std::to_string(kLongestTextLine) + " characters, so it is not a text file of this kind";
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string& error) {
  if (auto problem = ProblemOpeningFile(path)) {
    error = *problem;
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "Cannot open " + path + ": " + Reason();
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::string line;
  while (true) {
    const LineRead read = ReadCappedLine(in, line);
    if (read == LineRead::End) break;
    if (read == LineRead::TooLong) {
      error = LineTooLongText(path, static_cast<long long>(lines.size()) + 1);
      return std::nullopt;
    }
    lines.push_back(line);
  }
  if (in.bad()) {
    error = "Cannot read " + path + ": " + Reason();
    return std::nullopt;
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace quorvane
