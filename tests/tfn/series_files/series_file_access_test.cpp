// A series data file that is no data file at all: a folder, a device, an
// empty file, a file whose line has no end. The message says what it is.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tfn/series_data_error.h"
#include "tfn/series_files/read_series_data.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

TEST(SeriesFileAccessTest, WhatIsNoDataFileIsNamedForWhatItIs) {
  const fs::path dir = fs::temp_directory_path() / ("quorvane_series_access_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "folder.dat");
  const std::string empty = (dir / "empty.dat").string();
  std::ofstream(empty, std::ios::binary).flush();
  const std::string endless = (dir / "endless.dat").string();
  std::ofstream(endless, std::ios::binary) << "Period   A\n" << std::string(3'000'000, '1');
  struct Case {
    std::string path;
    std::string text;
  };
  for (const Case& c : {
           Case{(dir / "folder.dat").string(),
                "The response data file cannot be read: " + (dir / "folder.dat").string() +
                    " is a folder"},
           Case{"/dev/null",
                "The response data file cannot be read: /dev/null is a device, not a file"},
           Case{"/dev/zero",
                "The response data file cannot be read: /dev/zero is a device, not a file"},
           Case{empty, "The response data file " + empty + " is empty"},
           Case{endless, "The response data file cannot be read: Line 2 of " + endless +
                             " is longer than 1000000 characters, so it is not a text file of "
                             "this kind"},
       }) {
    SCOPED_TRACE(c.path);
    SeriesFileChoice choice;
    choice.FileName = c.path;
    choice.StartPeriod = 1;
    choice.EndPeriod = 2;
    choice.FirstSeries = 1;
    choice.LastSeries = 1;
    try {
      ReadSeriesData(choice, "response");
      ADD_FAILURE() << "no error";
    } catch (const SeriesDataError& e) {
      EXPECT_EQ(e.Title, "Fatal data input error");
      EXPECT_EQ(e.Text, c.text);
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvane
