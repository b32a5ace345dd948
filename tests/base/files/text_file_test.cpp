#include "base/files/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvane_text_file_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(TextFileTest, WritesAndReplacesWithoutLeavingTemporaries) {
  const std::string path = (dir_ / "a.alg").string();
  ASSERT_FALSE(WriteTextFileAtomically(path, JoinCrLf({"one", "two"})));
  EXPECT_EQ(Slurp(path), "one\r\ntwo\r\n");
  ASSERT_FALSE(WriteTextFileAtomically(path, "new"));
  EXPECT_EQ(Slurp(path), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, FailedWriteLeavesTheOldFileIntact) {
  const std::string path = (dir_ / "keep.alg").string();
  ASSERT_FALSE(WriteTextFileAtomically(path, "precious"));
  if (::geteuid() == 0) {
    // Root ignores folder permissions; a target that is a folder still fails.
    auto error = WriteTextFileAtomically(dir_.string(), "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("folder"), std::string::npos);
  } else {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    auto error = WriteTextFileAtomically(path, "overwritten");
    fs::permissions(dir_, fs::perms::owner_all);
    ASSERT_TRUE(error);
  }
  EXPECT_EQ(Slurp(path), "precious");
}

TEST_F(TextFileTest, ReadsAnyLineEnding) {
  const fs::path path = dir_ / "mixed.txt";
  std::ofstream(path, std::ios::binary) << "a\r\nb\nc";
  std::string error;
  auto lines = ReadTextLines(path.string(), error);
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_FALSE(ReadTextLines((dir_ / "missing").string(), error));
  EXPECT_NE(error.find("missing"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
