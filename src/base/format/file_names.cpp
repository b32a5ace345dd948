#include "base/format/file_names.h"

#include <charconv>
#include <mutex>

namespace quorvane {
namespace {

constexpr std::size_t kExtensionLength = 4;  // ".alg"

void AppendTwoDigits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

std::string DateTimeFileName(std::string_view extension, const std::tm& when) {
  std::string name;
  AppendTwoDigits(name, when.tm_mon + 1);  // tm_mon counts from 0
  AppendTwoDigits(name, when.tm_mday);
  AppendTwoDigits(name, when.tm_hour);
  AppendTwoDigits(name, when.tm_min);
  name += extension;
  return name;
}

std::string DateTimeFileName(std::string_view extension) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  {
    // std::localtime hands back a shared static object; copy it out under a
    // lock so two of our own callers cannot overwrite each other's result.
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    if (const std::tm* shared = std::localtime(&now)) local = *shared;
  }
  return DateTimeFileName(extension, local);
}

std::string FileTitle(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  if (name.size() <= kExtensionLength) return "";
  return std::string(name.substr(0, name.size() - kExtensionLength));
}

}  // namespace quorvane
