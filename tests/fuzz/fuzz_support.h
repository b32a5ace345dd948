#pragma once

// What the fuzz targets share: a check that stops the run when a property
// of a reader fails (a fuzzer only notices crashes, so a broken property
// must become one), and the scratch file through which a target hands its
// input to a reader that reads files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::quorvane::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace quorvane::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
  std::abort();
}

// Writes `bytes` to a file of this process in the temporary folder and gives
// its path. The process id is in the name: libFuzzer may run several
// processes at once.
inline std::string ScratchFile(const std::string& name, std::string_view bytes) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("quorvane_fuzz_" + std::to_string(::getpid()) + "_" + name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  FUZZ_CHECK(std::fclose(file) == 0);
  return path.string();
}

}  // namespace quorvane::fuzz
