// Saving and reading where the path is not a plain file in a plain folder:
// links, read-only files, pipes and devices, names at the length limit,
// lines without end.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "base/files/file_path_check.h"
#include "base/files/text_file.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SpecialPathsTest : public ::testing::Test {
 public:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvane_special_paths_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string At(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(At(name), std::ios::binary) << text;
    return At(name);
  }
  // The files of the folder, so a test sees that no temporary is left.
  size_t FileCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST_F(SpecialPathsTest, SavingThroughALinkReplacesTheTargetAndKeepsTheLink) {
  const std::string target = Write("target.alg", "old");
  fs::create_directories(dir_ / "links");
  fs::create_symlink("../target.alg", dir_ / "links" / "link.alg");  // relative, in another folder
  ASSERT_FALSE(WriteTextFileAtomically(At("links/link.alg"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "link.alg"));
  EXPECT_EQ(Slurp(target), "new");

  // A link whose target does not exist yet creates it.
  fs::create_symlink("later.alg", dir_ / "dangling.alg");
  ASSERT_FALSE(WriteTextFileAtomically(At("dangling.alg"), "made"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.alg"));
  EXPECT_EQ(Slurp(dir_ / "later.alg"), "made");
}

// Each save that must be refused: the reason names the user's path (not a
// temporary), and whatever was there is left exactly as it was.
TEST_F(SpecialPathsTest, RefusedSavesNameTheFileAndLeaveWhatWasThere) {
  struct Case {
    const char* name;
    std::function<std::string(SpecialPathsTest&)> make;  // gives the path to save at
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"read-only file",
       [](SpecialPathsTest& t) {
         const std::string path = t.Write("locked.alg", "precious");
         ::chmod(path.c_str(), 0444);
         return path;
       },
       " is read-only, so it is not replaced"},
      {"link to a read-only file",
       [](SpecialPathsTest& t) {
         const std::string path = t.Write("locked2.alg", "precious");
         ::chmod(path.c_str(), 0444);
         fs::create_symlink("locked2.alg", t.dir_ / "via.alg");
         return t.At("via.alg");
       },
       " is read-only, so it is not replaced"},
      {"pipe",
       [](SpecialPathsTest& t) {
         ::mkfifo(t.At("pipe").c_str(), 0644);
         return t.At("pipe");
       },
       " is a pipe, not a file"},
      {"missing folder", [](SpecialPathsTest& t) { return t.At("no/such/folder.alg"); },
       ": No such file or directory"},
      {"loop of links",
       [](SpecialPathsTest& t) {
         fs::create_symlink("loop.alg", t.dir_ / "loop.alg");
         return t.At("loop.alg");
       },
       "Too many levels of symbolic links"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.make(*this);
    const size_t files = FileCount();
    const auto error = WriteTextFileAtomically(path, "overwritten");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(path), std::string::npos) << *error;
    EXPECT_NE(error->find(c.reason), std::string::npos) << *error;
    EXPECT_EQ(error->find(".tmp"), std::string::npos) << *error;
    EXPECT_EQ(FileCount(), files);
  }
  EXPECT_EQ(Slurp(At("locked.alg")), "precious");
  EXPECT_EQ(Slurp(At("locked2.alg")), "precious");
  EXPECT_EQ(fs::status(At("pipe")).type(), fs::file_type::fifo);
}

TEST_F(SpecialPathsTest, ANameAtTheFolderLimitSaves) {
  const std::string path = At(std::string(250, 'n') + ".alg");  // 254 of the 255 allowed
  ASSERT_FALSE(WriteTextFileAtomically(path, "fits"));
  EXPECT_EQ(Slurp(path), "fits");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SpecialPathsTest, ReadingRefusesWhatIsNoTextFile) {
  std::string longLine(kLongestTextLine + 1, 'x');
  const std::string tooLong = Write("long.txt", "short\n" + longLine + "\n");
  const std::string justFits = Write("fits.txt", longLine.substr(1) + "\r\n");
  fs::create_directories(dir_ / "folder");
  struct Case {
    std::string path;
    std::string error;
  };
  for (const Case& c : {
           Case{At("folder"), At("folder") + " is a folder"},
           Case{"/dev/null", "/dev/null is a device, not a file"},
           Case{tooLong, "Line 2 of " + tooLong +
                             " is longer than 1000000 characters, so it is not a text file of "
                             "this kind"},
           Case{At(std::string(300, 'n')), "Cannot look up " + At(std::string(300, 'n')) +
                                               ": File name too long"},
       }) {
    std::string error;
    EXPECT_FALSE(ReadTextLines(c.path, error)) << c.path;
    EXPECT_EQ(error, c.error);
  }
  std::string error;
  const auto lines = ReadTextLines(justFits, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(lines->at(0).size(), kLongestTextLine);
}

TEST_F(SpecialPathsTest, FileChooserChecksGiveTheReasonAndNeverThrow) {
  const std::string plain = Write("plain.alg", "x");
  const std::string locked = Write("locked.alg", "x");
  ::chmod(locked.c_str(), 0444);
  fs::create_symlink("loop", dir_ / "loop");
  const std::string tooLong = At(std::string(300, 'n'));
  struct Case {
    std::string path;
    std::optional<std::string> toOpen;
    std::optional<std::string> toSave;
    bool exists;
  };
  for (const Case& c : {
           Case{plain, std::nullopt, std::nullopt, true},
           Case{At("new.alg"), "There is no file " + At("new.alg"), std::nullopt, false},
           Case{locked, std::nullopt, locked + " is read-only, so it is not replaced", true},
           Case{dir_.string(), dir_.string() + " is a folder", dir_.string() + " is a folder", true},
           Case{"/dev/null", "/dev/null is a device, not a file", std::nullopt, true},
           Case{tooLong, "Cannot look up " + tooLong + ": File name too long",
                "Cannot look up " + tooLong + ": File name too long", false},
           Case{At("loop"), "Cannot look up " + At("loop") + ": Too many levels of symbolic links",
                "Cannot look up " + At("loop") + ": Too many levels of symbolic links", false},
           Case{At("none/x.alg"), "There is no file " + At("none/x.alg"),
                "There is no folder " + At("none"), false},
           Case{plain + "/x.alg", "There is no file " + plain + "/x.alg",
                plain + " is not a folder", false},
       }) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ProblemOpeningFile(c.path), c.toOpen);
    const SaveTargetCheck save = CheckFileToSave(c.path);
    EXPECT_EQ(save.Problem, c.toSave);
    if (!save.Problem) {
      EXPECT_EQ(save.Exists, c.exists);
    }
  }
}

}  // namespace
}  // namespace quorvane
