#include "base/files/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace quorvane {

namespace {

std::string Reason() { return std::strerror(errno); }

std::string TemporaryName(const std::string& path) {
  std::random_device device;
  return path + ".tmp" + std::to_string(device() % 1000000u);
}

}  // namespace

std::optional<std::string> WriteTextFileAtomically(const std::string& path,
                                                   const std::string& text) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return path + " is a folder";
  const std::string temporary = TemporaryName(path);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return "Cannot create " + temporary + ": " + Reason();
  size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::string why = Reason();
      ::close(fd);
      ::unlink(temporary.c_str());
      return "Cannot write " + path + ": " + why;
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    std::string why = Reason();
    ::unlink(temporary.c_str());
    return "Cannot write " + path + ": " + why;
  }
  // Keep the permissions of a file being replaced.
  if (fs::exists(path, ec)) {
    auto perms = fs::status(path, ec).permissions();
    if (!ec) fs::permissions(temporary, perms, ec);
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::string why = Reason();
    ::unlink(temporary.c_str());
    return "Cannot replace " + path + ": " + why;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "Cannot open " + path + ": " + Reason();
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
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
