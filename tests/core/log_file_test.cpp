// The minimisation log file where it cannot simply be written: another
// instance holds it, it is read-only, or a write fails.
#include "core/log_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvane_log_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string At(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(LogFileTest, ASecondWriterIsRefusedUntilTheFirstClosesTheLog) {
  const std::string path = At("minimize.qvl");
  LogFile first, second;
  ASSERT_FALSE(first.Create(path));
  ASSERT_FALSE(first.AppendLine("first 1"));
  const auto refused = second.Create(path);
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "The log file " + path +
                          " is held by another running Quorvane (or another program that locked "
                          "it); choose another log file");
  EXPECT_FALSE(second.IsOpen());
  ASSERT_FALSE(first.AppendLine("first 2"));
  EXPECT_EQ(Slurp(path), "first 1\r\nfirst 2\r\n");  // not emptied by the refused writer

  first.Close();
  ASSERT_FALSE(second.Create(path));  // created anew once free
  ASSERT_FALSE(second.AppendLine("second"));
  EXPECT_EQ(Slurp(path), "second\r\n");
}

TEST_F(LogFileTest, AReadOnlyFileIsRefusedAndKept) {
  const std::string path = At("locked.qvl");
  std::ofstream(path, std::ios::binary) << "an old log";
  ::chmod(path.c_str(), 0444);
  LogFile log;
  EXPECT_EQ(log.Create(path), path + " is read-only, so it is not replaced");
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(Slurp(path), "an old log");
}

TEST_F(LogFileTest, AFailedWriteGivesTheReason) {
  LogFile log;
  ASSERT_FALSE(log.Create("/dev/full"));
  EXPECT_EQ(log.AppendLine("progress"),
            "Cannot write to the log file /dev/full: No space left on device");
}

}  // namespace
}  // namespace quorvane
