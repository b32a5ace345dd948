#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quorvane::testing {

// Writes a series data file in the fixed layout into the test's temporary
// folder: each field right-justified in 7 characters, followed by ", ".
// Gives its path.
inline std::string SeriesFile(const std::string& name,
                              const std::vector<std::vector<std::string>>& rows) {
  const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
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
