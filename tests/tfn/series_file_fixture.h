#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvane::testing {

// The folder of this test process's series files (tests run in parallel
// processes).
inline std::filesystem::path SeriesFolder() {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                       ("quorvane_series_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

// Writes `bytes` as they are into the file `name` of the series folder and
// gives its path.
inline std::string TextFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = SeriesFolder() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

// Writes a series data file in the fixed layout into a temporary folder of
// this test process (tests run in parallel processes): each field
// right-justified in 7 characters, followed by ", ". Gives its path.
inline std::string SeriesFile(const std::string& name,
                              const std::vector<std::vector<std::string>>& rows) {
  const std::filesystem::path path = SeriesFolder() / name;
  std::ofstream out(path, std::ios::binary);
  for (const auto& row : rows) {
    std::string line;
    for (size_t j = 0; j < row.size(); ++j) {
      std::string field = row[j];
      if (field.size() < 7) field = std::string(7 - field.size(), ' ') + field;
      line += (j ? ", " : "") + field;
    }
    out << line << "\r\n";
  }
  return path.string();
}

}  // namespace quorvane::testing
