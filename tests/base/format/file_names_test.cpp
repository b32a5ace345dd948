#include "base/format/file_names.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace quorvane {
namespace {

std::tm MakeTime(int month, int day, int hour, int minute) {
  std::tm when{};
  when.tm_year = 124;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = 42;
  return when;
}

TEST(DateTimeFileNameTest, MonthDayHourMinuteThenExtension) {
  const struct {
    std::tm when;
    const char* extension;
    const char* expected;
  } cases[] = {
      {MakeTime(2, 4, 15, 7), ".alg", "02041507.alg"},
      {MakeTime(12, 31, 23, 59), ".txt", "12312359.txt"},
      {MakeTime(1, 1, 0, 0), ".alg", "01010000.alg"},
      {MakeTime(10, 9, 8, 30), "", "10090830"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateTimeFileName(c.extension, c.when), c.expected);
  }
}

TEST(DateTimeFileNameTest, SecondsDoNotChangeTheName) {
  std::tm early = MakeTime(2, 4, 15, 7);
  std::tm late = early;
  early.tm_sec = 0;
  late.tm_sec = 59;
  EXPECT_EQ(DateTimeFileName(".alg", early), DateTimeFileName(".alg", late));
}

TEST(DateTimeFileNameTest, CurrentTimeUsesLocalClock) {
  auto local_name = [] {
    const std::time_t now = std::time(nullptr);
    return DateTimeFileName(".alg", *std::localtime(&now));
  };
  const std::string before = local_name();
  const std::string name = DateTimeFileName(".alg");
  const std::string after = local_name();
  EXPECT_TRUE(name == before || name == after) << name;
  EXPECT_EQ(name.size(), 12u);
}

TEST(FileTitleTest, NameWithoutFolderAndExtension) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\data\\model1.alg", "model1"},
      {"/home/x/model1.alg", "model1"},
      {"model1.alg", "model1"},
      {"C:\\data/mixed\\run.2.out", "run.2"},
      {"/home/x/a.alg", "a"},
      {"/home/x/a.al", ""},
      {"/home/x/.alg", ""},
      {"/home/x/", ""},
      {"abcd", ""},
      {"abcde", "a"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileTitle(c.path), c.expected) << c.path;
  }
}

}  // namespace
}  // namespace quorvane
