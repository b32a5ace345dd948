// Where the program finds the files that ship with it: the source tree's
// from a build tree, the installed ones from an installation.
#include "base/files/installed_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class InstalledDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("quorvane_installed_data_" + std::to_string(::getpid()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Write(const fs::path& relative, const std::string& text = "# Quorvane user guide\n") {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  fs::path root_;
};

TEST_F(InstalledDataTest, FindsTheGuideOfTheSourceTreeOrOfTheInstallation) {
  const fs::path sourceGuide = Write("source/docs/README.md");
  Write("build/CMakeCache.txt", "CMAKE_BUILD_TYPE:STRING=\nQuorvane_SOURCE_DIR:STATIC=" +
                                    (root_ / "source").string() + "\n");
  const fs::path installedGuide = Write("prefix/share/doc/quorvane/README.md");
  Write("other/CMakeCache.txt", "Other_SOURCE_DIR:STATIC=" + (root_ / "source").string() + "\n");
  Write("other/share/doc/quorvane/README.md");

  struct Case {
    const char* program;
    fs::path found;
  };
  for (const Case& c : {
           Case{"build/frontends/qt/quorvane", sourceGuide},
           Case{"build/frontends/console/quorvane-console", sourceGuide},
           Case{"prefix/bin/quorvane", installedGuide},
           // Another project's build tree is no build tree of ours: the
           // installed place beside it counts.
           Case{"other/bin/quorvane", root_ / "other/share/doc/quorvane/README.md"},
       }) {
    SCOPED_TRACE(c.program);
    EXPECT_EQ(FindUserGuide(root_ / c.program).found, c.found);
  }

  // A build tree whose source has no guide falls back on the installed place.
  fs::remove(sourceGuide);
  const InstalledFile missing = FindUserGuide(root_ / "build/frontends/qt/quorvane");
  EXPECT_TRUE(missing.found.empty());
  EXPECT_EQ(missing.expected, root_ / "build/frontends/share/doc/quorvane/README.md");
}

TEST_F(InstalledDataTest, SaysWhereAnInstalledProgramExpectsTheGuide) {
  fs::create_directories(root_ / "prefix/bin");
  const InstalledFile guide = FindUserGuide(root_ / "prefix/bin/../bin/quorvane");
  EXPECT_TRUE(guide.found.empty());
  EXPECT_EQ(guide.expected, root_ / "prefix/share/doc/quorvane/README.md");
}

// This project's own build tree finds its guide.
TEST(InstalledDataOfThisBuildTest, TheConsoleProgramFindsTheSourceTreesGuide) {
  const InstalledFile guide = FindUserGuide(QUORVANE_CONSOLE_BINARY);
  EXPECT_EQ(guide.found, (fs::path(QUORVANE_SOURCE_DIR) / "docs/README.md").lexically_normal());
}

}  // namespace
}  // namespace quorvane
