#include "core/evaluation_threads.h"

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace quorvane {

namespace {

constexpr long kMostThreads = 256;

}  // namespace

int EvaluationThreadCount(const char* text, unsigned cores) {
  const int fallback = cores == 0 ? 1 : static_cast<int>(cores < kMostThreads ? cores : kMostThreads);
  if (text == nullptr || *text == '\0') return fallback;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  while (*end == ' ') ++end;
  if (errno != 0 || *end != '\0' || value < 1 || value > kMostThreads) return fallback;
  return static_cast<int>(value);
}

int EvaluationThreadCount() {
  return EvaluationThreadCount(std::getenv("QUORVANE_THREADS"), std::thread::hardware_concurrency());
}

}  // namespace quorvane
